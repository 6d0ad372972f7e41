// CPlottingSheetDialog: "Plottingsheet", the settings of the plotting sheet in the document's
// current chart: the centre (whole degrees and hemispheres, filled from the latest fix when the
// dialog opens), the projection, the scale, the latitude of scale, the grid interval and the
// background bitmap. Every change writes all controls back into the chart; "Print" prints the
// sheet the chart then describes.
#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;
class QSpinBox;

namespace keelmark {

class CKeelmarkRouteXPDoc;
class Prompter;

class CPlottingSheetDialog : public QDialog {
  Q_OBJECT

 public:
  CPlottingSheetDialog(CKeelmarkRouteXPDoc& doc, Prompter& prompter, QWidget* parent = nullptr);

 signals:
  // "Print": the print command on the selection the dialog holds (the plotting sheet).
  void PrintRequested();
  // Every control was written into the current chart.
  void ChartChanged();

 private:
  // The controls from the chart, the centre from the latest fix when there is one.
  void ShowChart();
  // Every control into the chart.
  void StoreChart();
  // "...": a bitmap file for the background, with the warning that it is not scaled.
  void ChooseBitmap();

  CKeelmarkRouteXPDoc& doc_;
  Prompter& prompter_;
  QSpinBox* latitude_ = nullptr;
  QComboBox* north_ = nullptr;
  QSpinBox* longitude_ = nullptr;
  QComboBox* east_ = nullptr;
  QComboBox* projection_ = nullptr;
  QLineEdit* scale_ = nullptr;
  QLineEdit* scaleLatitude_ = nullptr;
  QLineEdit* grid_ = nullptr;
  QLineEdit* bitmap_ = nullptr;
};

}  // namespace keelmark
