// CMasterScheduleDialog: the "Master Schedule" dialog, the ship's coming port calls with the
// speed, rpm and fuel each leg needs and the totals; RunMasterSchedule opens it from the menu.
#pragma once

#include <QDialog>
#include <string>

#include "voyage/master_schedule.h"

class QLineEdit;
class QPushButton;
class QTableView;

namespace keelmark {

class CKeelmarkRouteXPDoc;
class DateTimeEntry;
class NumberEdit;
class Prompter;
class ScheduleModel;

class CMasterScheduleDialog : public QDialog {
  Q_OBJECT

 public:
  static constexpr const char* kCaption = "Master Schedule";

  // Loads the schedule file the settings name (an empty schedule, after a message, when it
  // cannot be read) and shows it. The vessel gives rpm and fuel.
  explicit CMasterScheduleDialog(CKeelmarkRouteXPDoc& document, QWidget* parent = nullptr);

  [[nodiscard]] const MasterSchedule& Schedule() const { return schedule_; }
  [[nodiscard]] const std::string& FilePath() const { return path_; }
  // The row whose values the fields show; -1 for none.
  [[nodiscard]] int SelectedRow() const { return selected_; }

  // Writes the schedule file whole; a message and false when it cannot.
  bool StoreSchedule();

 private:
  void OnNewItem();
  void OnSaveChanges();
  void OnRemoveItem();
  // The call at row becomes the selected one and its values fill the fields (row -1: none).
  void Select(int row);
  // Recalculated rows and totals into the list and the total fields.
  void Refill();
  // The first field that cannot be taken gets a message and the focus; false then.
  bool FieldsCanBeTaken();

  Prompter& prompter_;
  MasterSchedule schedule_;
  std::string path_;
  int selected_ = -1;

  ScheduleModel* model_;
  QTableView* list_;
  QLineEdit* name_;
  NumberEdit* distance_;
  DateTimeEntry* eta_;
  NumberEdit* zone_;
  NumberEdit* portStay_;
  QPushButton* saveChanges_;
  QPushButton* removeItem_;
  QLineEdit* totalPortStay_;
  QLineEdit* totalAtSea_;
  QLineEdit* totalDistance_;
  QLineEdit* averageSpeed_;
  QLineEdit* totalFuel_;
};

// Tools > Master schedule: runs the dialog; after "Close" stores the schedule file and offers
// the schedule as a text file. Closing the window any other way keeps nothing.
void RunMasterSchedule(QWidget* parent, CKeelmarkRouteXPDoc& document);

}  // namespace keelmark
