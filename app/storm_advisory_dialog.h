// CStormAdvisoryDialog: "Tropical storm advisory". The storm to advise on, the start (latest
// fix or departure), and the closest approach of the voyage to the storm, recomputed on every
// change; "Print Form" prints the advisory of the chosen storm.
#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace keelmark {

class CKeelmarkRouteXPDoc;

class CStormAdvisoryDialog : public QDialog {
  Q_OBJECT

 public:
  explicit CStormAdvisoryDialog(CKeelmarkRouteXPDoc& doc, QWidget* parent = nullptr);

 signals:
  // "Print Form": the print command on the storm advisory of the chosen storm.
  void PrintRequested();

 private:
  // The chosen storm into the document's selected row, the start box into its under-way flag,
  // and the closest approach shown again.
  void Recompute();

  CKeelmarkRouteXPDoc& doc_;
  QComboBox* storm_ = nullptr;
  QCheckBox* fromLatestFix_ = nullptr;
  QCheckBox* presentCourse_ = nullptr;
  QLineEdit* distance_ = nullptr;
  QLineEdit* bearing_ = nullptr;
  QLineEdit* time_ = nullptr;
};

}  // namespace keelmark
