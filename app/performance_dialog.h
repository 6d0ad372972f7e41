// CPerformanceDialog: "Performance", the noon report. The period between two fixes of the
// history with its distance, hours, average speed and engine rpm, the voyage still to go, and
// "Print Graph", which prints the performance report of the period.
#pragma once

#include <QDialog>
#include <array>

class QComboBox;
class QLineEdit;

namespace keelmark {

class CKeelmarkRouteXPDoc;

class CPerformanceDialog : public QDialog {
  Q_OBJECT

 public:
  CPerformanceDialog(CKeelmarkRouteXPDoc& doc, QWidget* parent = nullptr);

 signals:
  // "Print Graph": the print command on the selection the dialog holds (the report).
  void PrintRequested();

 private:
  // The chosen rows go into the document, where the printout finds them, and the figures
  // are shown again.
  void ShowFigures();

  CKeelmarkRouteXPDoc& doc_;
  QComboBox* from_ = nullptr;
  QComboBox* till_ = nullptr;
  std::array<QLineEdit*, 7> results_{};
};

}  // namespace keelmark
