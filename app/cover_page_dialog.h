// CCoverPageDialog: "Print coverpage". Shows the voyage number, writes it back into the route
// when the field is left, and prints the voyage planning cover page.
#pragma once

#include <QDialog>

class QLineEdit;

namespace keelmark {

class Voyage;

class CCoverPageDialog : public QDialog {
  Q_OBJECT

 public:
  CCoverPageDialog(Voyage& route, QWidget* parent = nullptr);

 signals:
  // "Print": the print command on the selection the dialog holds (the cover page).
  void PrintRequested();

 private:
  void StoreVoyageNumber();

  Voyage& route_;
  QLineEdit* number_ = nullptr;
};

}  // namespace keelmark
