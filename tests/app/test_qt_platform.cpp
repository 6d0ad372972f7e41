// The desktop program's message boxes and file dialogs, and its settings store's agreement with
// the command line's INI store: both write the same file, and each reads what the other wrote.
// (The settings through a store: the core's settings tests.)
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QtTest>

#include "app/qt_prompter.h"
#include "platform/qt_settings_store.h"
#include "records/ini_settings_store.h"
#include "records/settings_keys.h"
#include "tests/app/app_test_support.h"

using keelmark::FileChoice;
using keelmark::IniSettingsStore;
using keelmark::MessageIcon;
using keelmark::QtPrompter;
using keelmark::QtSettingsStore;
using keelmark::SettingsStore;
using keelmark::test::FileBytes;
using keelmark::test::WriteFileBytes;

namespace {

const char* const kDataFilter = "Data File (*.dat)|*.dat|All Files (*.*)|*.*||";

struct TextValue {
  const char* section;
  const char* key;
  std::string text;
};

// Texts that need care in an INI file, under sections and keys that need escaping.
using namespace std::string_literals;
const TextValue kTrickyTexts[] = {
    {"Settings", "Empty", ""},
    {"Settings", "Space", "a b"},
    {"Settings", "Lead", "  lead and trail  "},
    {"Settings", "Comma", ","},
    {"Settings", "Commas", "a,b, c"},
    {"Settings", "Quote", "say \"hi\" 'there'"},
    {"Settings", "Backslash", "c:\\dir\\file.txt"},
    {"Settings", "Semicolon", "a;b"},
    {"Settings", "Equals", "a=b"},
    {"Settings", "Hash", "#x"},
    {"Settings", "At", "@x"},
    {"Settings", "AtAt", "@@"},
    {"Settings", "AtByteArray", "@ByteArray(abc)"},
    {"Settings", "AtInvalid", "@Invalid()"},
    {"Settings", "Control", "tab\there\nline\rbell\a\x01"s + "ab\x1f"s + "9"},
    {"Settings", "Nul", "a\0"s + "1b"},
    {"Settings", "Utf8", "Gen\xC3\xA8ve \xE2\x82\xAC \xF0\x9F\x9A\xA2"},
    {"Settings", "Digits", "0042"},
    {"Keelmark Route", "ConvChar", ";"},
    {"Keelmark Route", "Key With Space", "x"},
    {"General", "InGeneral", "g"},
    {"Path", "vesseldata", "/home/mate/ship data/vessel.dat"},
    {"Sekci\xC3\xB3n", "Cl\xC3\xA9", "\xC3\xA9"},
};

const std::pair<const char*, std::int32_t> kIntegers[] = {{"HistoryCleanUp", 14},
                                                          {"WeekdayScheduler", -1},
                                                          {"ColTxMain", 0xFFFFFF},
                                                          {"Lowest", INT32_MIN},
                                                          {"Highest", INT32_MAX}};

void WriteAll(SettingsStore& store) {
  for (const TextValue& v : kTrickyTexts) store.WriteText(v.section, v.key, v.text);
  for (const auto& [key, value] : kIntegers) store.WriteInt("Numbers", key, value);
  std::string error;
  QVERIFY2(store.Sync(&error), error.c_str());
}

void ExpectAll(const SettingsStore& store) {
  for (const TextValue& v : kTrickyTexts) {
    const auto read = store.Lookup(v.section, v.key);
    QVERIFY2(read.has_value(), v.key);
    QCOMPARE(QByteArray::fromStdString(*read), QByteArray::fromStdString(v.text));
  }
  for (const auto& [key, value] : kIntegers) QCOMPARE(store.ReadInt("Numbers", key, 7), value);
  QCOMPARE(store.ReadText("Settings", "Missing", "fallback"), std::string("fallback"));
}

}  // namespace

class TestQtPlatform : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

  void filtersBecomeNameFilters() {
    const std::pair<const char*, QStringList> cases[] = {
        {kDataFilter, {"Data File (*.dat)", "All Files (*)"}},
        {"Route (*.q3v)|*.q3v|All Files (*.*)|*.*||", {"Route (*.q3v)", "All Files (*)"}},
        {"Text (*.txt;*.csv)|*.txt;*.csv||", {"Text (*.txt *.csv)"}},
        {"Reports|*.txt||", {"Reports (*.txt)"}},  // a description without patterns
        {"", {}}};
    for (const auto& [filter, names] : cases) QCOMPARE(keelmark::NameFilters(filter), names);
  }

  // A message shows the program's caption, its text and icon; a question answers Yes or No.
  void messagesAndQuestions() {
    QStringList shown;
    keelmark::test::OnNext<QMessageBox>([&](QMessageBox& box) {
      shown << box.windowTitle() << box.text() << QString::number(box.icon());
      box.button(QMessageBox::Ok)->click();
    });
    QtPrompter prompter;
    prompter.Message("Failed to open file\ndata might be corrupt", MessageIcon::Exclamation);
    QCOMPARE(shown, (QStringList{"Keelmark Route", "Failed to open file\ndata might be corrupt",
                                 QString::number(QMessageBox::Warning)}));
    keelmark::test::AnswerNextMessageBox(QMessageBox::Yes);
    QVERIFY(prompter.AskYesNo("Delete selected item\nAre you sure?", MessageIcon::Question));
    keelmark::test::AnswerNextMessageBox(QMessageBox::No);
    QVERIFY(!prompter.AskYesNo("Delete selected item\nAre you sure?", MessageIcon::Question));
  }

  void fileDialogsOfferTheFilterExtensionAndName() {
    QTemporaryDir dir;
    QVERIFY(QDir::setCurrent(dir.path()));
    QtPrompter prompter;
    QStringList offered;
    keelmark::test::OnNext<QFileDialog>([&](QFileDialog& dialog) {
      offered << dialog.nameFilters() << dialog.defaultSuffix()
              << dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text()
              << QString::number(dialog.acceptMode());
      static_cast<QDialog&>(dialog).accept();
    });
    const auto saved = prompter.ChooseSaveFile({kDataFilter, "dat", "vessel"});
    QCOMPARE(offered, (QStringList{"Data File (*.dat)", "All Files (*)", "dat", "vessel",
                                   QString::number(QFileDialog::AcceptSave)}));
    // The default extension completes the name typed.
    QVERIFY(saved.has_value());
    QCOMPARE(QString::fromStdString(*saved),
             QDir(dir.path()).filePath(QStringLiteral("vessel.dat")));

    keelmark::test::OnNext<QFileDialog>([](QFileDialog&) {});  // left open: cancelled
    QVERIFY(!prompter.ChooseOpenFile({kDataFilter, "dat", ""}).has_value());
  }

  // Both stores write the same file, and the INI store reads back what the Qt store wrote.
  void bothStoresWriteTheSameFileAndReadEachOthers() {
    QTemporaryDir dir;
    const QString qtPath = dir.filePath(QStringLiteral("by-qt.ini"));
    const QString iniPath = dir.filePath(QStringLiteral("by-ini.ini"));
    {
      QtSettingsStore qt(qtPath.toStdString());
      WriteAll(qt);
      IniSettingsStore ini(iniPath.toStdString());
      WriteAll(ini);
    }
    QCOMPARE(FileBytes(iniPath), FileBytes(qtPath));
    const IniSettingsStore ini(qtPath.toStdString());
    QCOMPARE(QString::fromStdString(ini.LoadError()), QString());
    ExpectAll(ini);
  }

  void handWrittenFileReadsAlikeInBoth() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("hand.ini"));
    QVERIFY(WriteFileBytes(
        path,
        "; notes\r\n[Settings]\r\nList = a , b,\"c, d\" \r\nTrailing = x   ; comment\r\n"
        "Quoted=\"  q  \"\r\nEscapes=\\x41\\102\\t\\q\r\nNumber= 12 \r\nBadNumber=12a\r\n"
        "Dup=first\r\nDup=second\r\nnoequals\r\n[Keelmark%20Route]\r\nConvChar=,\r\n"
        "[general]\r\nRoot=r\r\n[%General]\r\nOwn=o\r\n"));
    const QtSettingsStore qt(path.toStdString());
    const IniSettingsStore ini(path.toStdString());
    const std::pair<const char*, const char*> keys[] = {
        {"Settings", "List"},    {"Settings", "Trailing"}, {"Settings", "Quoted"},
        {"Settings", "Escapes"}, {"Settings", "Number"},   {"Settings", "BadNumber"},
        {"Settings", "Dup"},     {"Settings", "noequals"}, {"Keelmark Route", "ConvChar"},
        {"General", "Own"},      {"Settings", "Missing"},
    };
    for (const auto& [section, key] : keys) {
      const auto fromQt = qt.Lookup(section, key);
      const auto fromIni = ini.Lookup(section, key);
      QVERIFY2(fromQt.has_value() == fromIni.has_value(), key);
      if (fromQt) QCOMPARE(QString::fromStdString(*fromIni), QString::fromStdString(*fromQt));
      QCOMPARE(ini.ReadInt(section, key, -5), qt.ReadInt(section, key, -5));
    }
    QCOMPARE(ini.Read(keelmark::setting::kConvChar), std::string(","));
    QCOMPARE(ini.ReadInt("Settings", "Number", 0), 12);
  }
};

QTEST_MAIN(TestQtPlatform)
#include "test_qt_platform.moc"
