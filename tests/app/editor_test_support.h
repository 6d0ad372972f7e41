// What the editor tests share: a document on a copy of the example data, and helpers that open
// an editor, drive its pages the way a user does and read what it shows.
#pragma once

#include <QAbstractButton>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QTest>
#include <QVariant>
#include <functional>
#include <string>
#include <type_traits>
#include <vector>

#include "app/property_sheet.h"
#include "app/record_editors.h"
#include "document/category.h"
#include "document/keelmark_document.h"
#include "navigation/clock.h"
#include "records/archive.h"
#include "records/field_visitor.h"
#include "records/settings_store.h"
#include "tests/app/app_test_support.h"

namespace keelmark::test {

// The example route with its data files, at the example's present time, with scripted answers.
class EditorFixture {
 public:
  EditorFixture()
      : clock_(ExampleNow()), useClock_(clock_), doc_(store_, prompter_, folder_.Folder()) {
    const LoadResult opened = doc_.OpenRouteDocument(folder_.RoutePath().toStdString());
    if (!opened.Ok()) qFatal("example route not opened: %s", opened.detail.c_str());
  }

  [[nodiscard]] CKeelmarkRouteXPDoc& Doc() { return doc_; }
  [[nodiscard]] ScriptedPrompter& Prompter() { return prompter_; }
  [[nodiscard]] MemorySettingsStore& Store() { return store_; }
  [[nodiscard]] const ExampleFolder& Folder() const { return folder_; }
  [[nodiscard]] FixedClock& Clock() { return clock_; }

  // The texts of every message shown so far.
  [[nodiscard]] QStringList Messages() const {
    QStringList texts;
    for (const auto& shown : prompter_.Messages()) texts << QString::fromStdString(shown.text);
    return texts;
  }

 private:
  ExampleFolder folder_;
  FixedClock clock_;
  ScopedProcessClock useClock_;
  MemorySettingsStore store_;
  ScriptedPrompter prompter_;
  CKeelmarkRouteXPDoc doc_;
};

// The editors: a category's (its number), and the voyage, vessel and options sheets.
inline constexpr int kVoyage = kCategoryCount;
inline constexpr int kVessel = kCategoryCount + 1;
inline constexpr int kOptions = kCategoryCount + 2;

// The editor of this name: a category's, "Voyage", "Vessel" or "Options".
inline int EditorNamed(const QString& name) {
  const QStringList others{"Voyage", "Vessel", "Options"};
  if (others.contains(name)) return kCategoryCount + others.indexOf(name);
  return static_cast<int>(CategoryFromText(name.toStdString()).value());
}

// The record on this row of the category's list, selected as a click selects it; none for the
// other editors.
inline SelectedRecord SelectRow(CKeelmarkRouteXPDoc& doc, int editor, int row) {
  if (editor >= kCategoryCount) return {};
  doc.SetCategory(static_cast<Category>(editor));
  doc.selectedRow = row;
  return doc.GetSelectedRecord();
}

// Runs the editor on the record, as the program's commands run it.
inline bool OpenEditor(CKeelmarkRouteXPDoc& doc, int editor, const SelectedRecord& record) {
  if (editor == kVoyage) return EditVoyage(nullptr, doc, "");
  if (editor == kVessel) return EditVessel(nullptr, doc);
  if (editor == kOptions) return EditOptions(nullptr, doc);
  return EditRecord(nullptr, doc, static_cast<Category>(editor), record, "Record");
}

// Opens an editor with `open` and runs `drive` on its sheet once it shows; a sheet the drive
// leaves open is cancelled. The editor's result.
inline bool DriveSheet(const std::function<bool()>& open,
                       const std::function<void(PropertySheet&)>& drive) {
  OnNext<PropertySheet>(drive);
  return open();
}

// The control whose accessible name is `name`, inside root.
template <typename Widget>
Widget* Field(QWidget* root, const QString& name) {
  for (Widget* widget : root->findChildren<Widget*>()) {
    if (widget->accessibleName() == name) return widget;
  }
  return nullptr;
}

// The button or radio button with this text, inside root.
template <typename Button = QAbstractButton>
Button* ButtonText(QWidget* root, const QString& text) {
  for (Button* button : root->findChildren<Button*>()) {
    if (button->text() == text) return button;
  }
  return nullptr;
}

// Opens the page with this caption, as a click on its tab does.
inline PropertyPage* ShowPage(PropertySheet& sheet, const QString& caption) {
  for (int i = 0; i < sheet.PageCount(); ++i) {
    if (sheet.Tabs()->tabText(i) == caption) {
      sheet.Tabs()->setCurrentIndex(i);
      return sheet.CurrentPage();
    }
  }
  return nullptr;
}

// The text of the field with this accessible name.
inline QString Text(QWidget* root, const QString& field) {
  auto* edit = Field<QLineEdit>(root, field);
  return edit ? edit->text() : QStringLiteral("<no field %1>").arg(field);
}

// Replaces a field's text by typing.
inline void Type(QLineEdit* edit, const QString& text) {
  QVERIFY(edit);
  edit->selectAll();
  QTest::keyClick(edit, Qt::Key_Delete);
  QTest::keyClicks(edit, text);
}

// Chooses a combo entry, as the user does from its list.
inline void Choose(QComboBox* box, int index) {
  QVERIFY(box);
  box->setCurrentIndex(index);
  emit box->activated(index);
}

inline void Click(QAbstractButton* button) {
  QVERIFY(button);
  button->click();
}

inline void PressOk(QDialog& dialog) {
  Click(dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok));
}

// The bytes of every list of the document and of the vessel: what an editor may change.
inline Archive::Bytes DocumentBytes(CKeelmarkRouteXPDoc& doc) {
  Archive archive = Archive::ForStoring();
  doc.GetRoute().Serialize(archive);
  doc.GetHistory().Serialize(archive);
  doc.GetMeteo().Serialize(archive);
  doc.GetWarnings().Serialize(archive);
  doc.GetReportingPoints().Serialize(archive);
  doc.GetCharts().Serialize(archive);
  doc.GetPorts().Serialize(archive);
  doc.GetForecasts().Serialize(archive);
  doc.GetStorms().Serialize(archive);
  doc.GetVessel().Serialize(archive);
  return archive.StoredBytes();
}

// A stored field of the record by the name its files give it ("Weather.WindSpeed" for a field
// of a nested record); invalid when there is none.
template <typename Record>
QVariant FieldValue(const Record& record, const QString& path) {
  QVariant found;
  VisitFields(record, [&](const char* name, const auto& field, auto&&...) {
    using Type = std::decay_t<decltype(field)>;
    if (path.section('.', 0, 0) != QLatin1String(name)) return;
    if constexpr (HasFields<Type>) {
      found = FieldValue(field, path.section('.', 1));
    } else if constexpr (std::is_same_v<Type, std::string>) {
      found = QString::fromStdString(field);
    } else if constexpr (std::is_arithmetic_v<Type>) {
      found = QVariant::fromValue(field);
    }
  });
  return found;
}

// Does what a user does, step by step ("; " between steps): "Page/" opens the page with that
// caption; "Field=value" types into the field of that name, picks a combo entry (by index, or
// types its text), moves a slider or picks a time (ISO text); "Button" clicks the button of that
// name or text. A step without a page works on the page showing.
inline void Apply(PropertySheet& sheet, const QString& steps) {
  for (const QString& step : steps.split(QStringLiteral("; "))) {
    const QString action = step.section('=', 0, 0);
    const QString value = step.section('=', 1);
    const int slash = action.indexOf('/');
    QWidget* page = slash < 0 ? sheet.CurrentPage() : ShowPage(sheet, action.left(slash));
    QVERIFY2(page, qPrintable(step));
    const QString name = action.mid(slash + 1);
    bool isIndex = false;
    const int index = value.toInt(&isIndex);
    if (name.isEmpty()) {
      continue;
    } else if (auto* picker = Field<QDateTimeEdit>(page, name)) {
      picker->setDateTime(QDateTime::fromString(value, Qt::ISODate));
    } else if (auto* box = Field<QComboBox>(page, name)) {
      if (isIndex)
        Choose(box, index);
      else
        box->setCurrentText(value);
    } else if (auto* slider = Field<QSlider>(page, name)) {
      slider->setValue(index);
    } else if (auto* edit = Field<QLineEdit>(page, name)) {
      Type(edit, value);
    } else if (auto* button = Field<QAbstractButton>(page, name)) {
      Click(button);
    } else {
      Click(ButtonText(page, name));
    }
  }
}

// Opens the options sheet on the fixture's document, applies the steps and presses OK; whether
// the sheet was confirmed.
inline bool DriveOptions(EditorFixture& fixture, const QString& steps) {
  return DriveSheet([&] { return EditOptions(nullptr, fixture.Doc()); },
                    [&](PropertySheet& sheet) {
                      Apply(sheet, steps);
                      PressOk(sheet);
                    });
}

}  // namespace keelmark::test
