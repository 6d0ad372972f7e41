// PropertySheet and PropertyPage: the tabbed editors of the program's records.
//
// A page holds plain values and binds its controls to them. The sheet copies the record into
// its pages' values before it is shown and back into the record on OK only. A page's controls
// are checked when the page is left and when OK is pressed: a value outside its range keeps
// the page open with a message that names the field and its range, and nothing is taken.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QDialog>
#include <QString>
#include <QStringList>
#include <QWidget>

#include "app/date_time_entry.h"
#include "app/number_edit.h"
#include "document/prompter.h"
#include "navigation/time_value.h"

class QBoxLayout;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QFormLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTabWidget;
class QVBoxLayout;

namespace keelmark {

class CoordinateEntry;
class PositionEntry;
class ZoneEntry;

// Radio buttons for a choice of texts, and optionally an explanation that follows the choice.
class RadioChoice : public QWidget {
  Q_OBJECT

 public:
  // `explanations` (one per choice, or none) are shown below the buttons.
  RadioChoice(const QStringList& texts, const QStringList& explanations = {},
              QWidget* parent = nullptr);

  void SetChoice(int index);
  [[nodiscard]] int Choice() const;
  [[nodiscard]] QLabel* Explanation() const { return explanation_; }

 signals:
  void Chosen(int index);

 private:
  void Explain();

  QButtonGroup* group_;
  QStringList explanations_;
  QLabel* explanation_ = nullptr;
};

// One control bound to a value of its page.
struct FieldBinding {
  QWidget* widget = nullptr;         // gets the focus when its check fails
  std::function<void()> show;        // the value into the control
  std::function<QString()> problem;  // why the control cannot be taken; none when always fine
  std::function<void()> take;        // the control into the value
};

class PropertyPage : public QWidget {
  Q_OBJECT

 public:
  explicit PropertyPage(const QString& caption, QWidget* parent = nullptr);

  [[nodiscard]] const QString& Caption() const { return caption_; }

  // Shows every value in its control, then lets the page show what follows from them.
  void ShowValues();
  // Checks every bounded control; at the first one that fails, shows its message, gives it the
  // focus and returns false with no value taken. Otherwise takes every control's value.
  bool TakeValues(Prompter& prompter);

  // The layout the page's rows go into (a column; add groups and rows in order).
  [[nodiscard]] QVBoxLayout* Column() const { return column_; }

 protected:
  // What the page shows besides its bound controls (computed figures), after ShowValues and
  // whenever a followed input changes.
  virtual void ShowFigures() {}
  // What the page does with its values once taken (values derived from several fields).
  virtual void OnTaken() {}

  void Bind(FieldBinding binding);

  // Controls bound to values, with the text they are shown with. Where a value is shown in a
  // control and the control is not changed, the value is taken back exactly as it was.
  QLineEdit* BindText(std::string& value, const QString& field);
  QPlainTextEdit* BindNote(std::string& value, const QString& field);
  NumberEdit* BindNumber(double& value, const QString& field,
                         std::optional<NumberRange> range = std::nullopt);
  NumberEdit* BindWhole(std::int32_t& value, const QString& field,
                        std::optional<NumberRange> range = std::nullopt);
  QCheckBox* BindCheck(std::int32_t& value, const QString& text);
  // A drop-down list choosing an index (-1 for none).
  QComboBox* BindIndex(std::int32_t& value, const QStringList& items, const QString& field);
  // A combo whose text is the value; editable, or a fixed list where a text not in it keeps the
  // value it had.
  QComboBox* BindComboText(std::string& value, const QStringList& items, const QString& field,
                           bool editable);
  RadioChoice* BindRadio(std::int32_t& value, const QStringList& texts,
                         const QStringList& explanations = {});
  // A coordinate, a position (latitude and longitude), a zone offset in days.
  CoordinateEntry* BindCoordinate(double& value, CoordinateEntry* entry);
  PositionEntry* BindPosition(double& latitude, double& longitude, PositionEntry* entry);
  ZoneEntry* BindZone(double& days, ZoneEntry* entry);
  // A time value, and a time slot read in local time or UTC.
  DateTimeEntry* BindTime(TimeValue& value, TimeReading reading, const QString& field);
  DateTimeEntry* BindSlot(SlotTime& value, TimeReading reading, const QString& field);

  // Layout helpers: a titled group with a form inside; a row of label, control and unit.
  QGroupBox* AddGroup(const QString& title, QFormLayout*& form);
  QFormLayout* AddForm();
  static void AddRow(QFormLayout* form, const QString& label, QWidget* control,
                     const QString& unit = QString());
  QLabel* AddText(const QString& text);
  // A read-only field for a computed figure.
  QLineEdit* AddFigure(QFormLayout* form, const QString& label, const QString& unit = {});

  // Rows of a label, a control bound to the value and a unit; the field's name in messages is
  // the label without its colon.
  QLineEdit* TextRow(QFormLayout* form, const QString& label, std::string& value);
  NumberEdit* NumberRow(QFormLayout* form, const QString& label, double& value,
                        const QString& unit = {}, std::optional<NumberRange> range = {});
  NumberEdit* WholeRow(QFormLayout* form, const QString& label, std::int32_t& value,
                       const QString& unit = {}, std::optional<NumberRange> range = {});
  // A path field with a "..." button that offers an open-file dialog (on the path shown when
  // the choice names no file); the path chosen replaces the field, a cancelled dialog leaves it.
  QLineEdit* PathRow(QFormLayout* form, const QString& label, std::string& value,
                     const FileChoice& choice, Prompter& prompter);
  // The name of a field labelled so: "Max. draft:" gives "Max. draft".
  [[nodiscard]] static QString FieldName(const QString& label);

  // Runs ShowFigures whenever the control is edited.
  void FollowEdits(QLineEdit* edit);

 private:
  QString caption_;
  QVBoxLayout* column_;
  std::vector<FieldBinding> bindings_;
};

class PropertySheet : public QDialog {
  Q_OBJECT

 public:
  PropertySheet(const QString& caption, Prompter& prompter, QWidget* parent = nullptr);

  void AddPage(PropertyPage* page);
  [[nodiscard]] int PageCount() const;
  [[nodiscard]] PropertyPage* Page(int index) const;
  [[nodiscard]] PropertyPage* CurrentPage() const;
  [[nodiscard]] QTabWidget* Tabs() const { return tabs_; }
  [[nodiscard]] Prompter& GetPrompter() const { return prompter_; }
  // A dialog of one page shows no tab.
  void HideTabs();
  // A sheet that only shows figures has one button, "Close", which keeps nothing.
  void UseCloseButton();

  // Copies the record into the pages, shows them and runs the sheet; on OK copies the pages
  // back into the record. True on OK.
  bool Run();

  // OK: the current page's checks must pass; then the sheet closes with result OK.
  void accept() override;

 protected:
  // Record values into the pages' values; page values into the record (and what follows an
  // OK for this editor).
  virtual void CopyIn() = 0;
  virtual void CopyBack() = 0;
  // After OK's checks pass: a last question about the values as a whole; false keeps the
  // sheet open.
  [[nodiscard]] virtual bool ConfirmValues() { return true; }

 private:
  void OnTabChanged(int index);
  // Says once which texts will lose characters when stored.
  void WarnOfLossyText();

  Prompter& prompter_;
  QTabWidget* tabs_;
  QDialogButtonBox* buttons_;
  int shownIndex_ = 0;
  bool reverting_ = false;
  bool running_ = false;
};

}  // namespace keelmark
