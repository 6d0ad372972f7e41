// What the editor tests share: a document on a copy of the example data, and helpers that open
// an editor, drive its pages the way a user does and read what it shows.
#pragma once

#include <QAbstractButton>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <functional>

#include "app/property_sheet.h"
#include "document/keelmark_document.h"
#include "navigation/clock.h"
#include "records/archive.h"
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

// Opens an editor with `open` and runs `drive` on its sheet once it shows; a sheet the drive
// leaves open is cancelled. The editor's result.
inline bool DriveSheet(const std::function<bool()>& open,
                       const std::function<void(PropertySheet&)>& drive) {
  HandleNextModal([drive](QWidget* modal) {
    auto* sheet = qobject_cast<PropertySheet*>(modal);
    if (!sheet) return false;
    drive(*sheet);
    if (sheet->isVisible()) sheet->reject();
    return true;
  });
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

inline void PressOk(PropertySheet& sheet) {
  Click(sheet.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok));
}

// The bytes a list (or a record) is stored with.
template <typename Stored>
Archive::Bytes StoredBytes(Stored& stored) {
  Archive archive = Archive::ForStoring();
  stored.Serialize(archive);
  return archive.StoredBytes();
}

}  // namespace keelmark::test
