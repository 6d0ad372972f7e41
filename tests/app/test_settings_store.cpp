// The desktop program's settings store, and its agreement with the command line's INI store:
// both write the same file, and each reads what the other wrote. (The settings through a store:
// the core's settings tests.)
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "platform/qt_settings_store.h"
#include "records/ini_settings_store.h"
#include "records/settings_keys.h"

using keelmark::IniSettingsStore;
using keelmark::QtSettingsStore;
using keelmark::SettingsStore;

namespace {

struct TextValue {
  const char* section;
  const char* key;
  std::string text;
};

// Texts that need care in an INI file, under sections and keys that need escaping.
const std::vector<TextValue>& TrickyTexts() {
  using namespace std::string_literals;
  static const std::vector<TextValue> values = {
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
  return values;
}

const std::vector<std::pair<const char*, std::int32_t>>& Integers() {
  static const std::vector<std::pair<const char*, std::int32_t>> values = {{"HistoryCleanUp", 14},
                                                                           {"WeekdayScheduler", -1},
                                                                           {"ColTxMain", 0xFFFFFF},
                                                                           {"Lowest", INT32_MIN},
                                                                           {"Highest", INT32_MAX}};
  return values;
}

void WriteAll(SettingsStore& store) {
  for (const TextValue& v : TrickyTexts()) store.WriteText(v.section, v.key, v.text);
  for (const auto& [key, value] : Integers()) store.WriteInt("Numbers", key, value);
  std::string error;
  QVERIFY2(store.Sync(&error), error.c_str());
}

void ExpectAll(const SettingsStore& store) {
  for (const TextValue& v : TrickyTexts()) {
    const auto read = store.Lookup(v.section, v.key);
    QVERIFY2(read.has_value(), v.key);
    QCOMPARE(QByteArray::fromStdString(*read), QByteArray::fromStdString(v.text));
  }
  for (const auto& [key, value] : Integers()) QCOMPARE(store.ReadInt("Numbers", key, 7), value);
  QCOMPARE(store.ReadText("Settings", "Missing", "fallback"), std::string("fallback"));
}

QByteArray Contents(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

}  // namespace

class TestSettingsStore : public QObject {
  Q_OBJECT

 private slots:
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
    QCOMPARE(Contents(iniPath), Contents(qtPath));
    const IniSettingsStore ini(qtPath.toStdString());
    QCOMPARE(QString::fromStdString(ini.LoadError()), QString());
    ExpectAll(ini);
  }

  void handWrittenFileReadsAlikeInBoth() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("hand.ini"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(
        "; notes\r\n[Settings]\r\nList = a , b,\"c, d\" \r\nTrailing = x   ; comment\r\n"
        "Quoted=\"  q  \"\r\nEscapes=\\x41\\102\\t\\q\r\nNumber= 12 \r\nBadNumber=12a\r\n"
        "Dup=first\r\nDup=second\r\nnoequals\r\n[Keelmark%20Route]\r\nConvChar=,\r\n"
        "[general]\r\nRoot=r\r\n[%General]\r\nOwn=o\r\n");
    file.close();
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

  void perUserStoreLivesInTheConfigFolder() {
    const QtSettingsStore store;
    const QString name = QString::fromStdString(store.FileName());
    QVERIFY2(name.endsWith(QStringLiteral("/Brineholt Productions/Keelmark Route.ini")),
             qPrintable(name));
  }
};

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "test_settings_store.moc"
