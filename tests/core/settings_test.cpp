#include "records/settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "records/ini_settings_store.h"
#include "records/settings_store.h"
#include "tests/core/test_files.h"

namespace keelmark {
namespace {

// Every setting with its default, from tests/data/setting_defaults.txt.
struct KeyCase {
  std::string section;
  std::string key;
  bool isInt = false;
  std::string defaultText;  // an integer default in decimal
};

std::vector<KeyCase> ExpectedKeys() {
  std::vector<KeyCase> keys;
  std::ifstream in(std::string(KEELMARK_TEST_DATA) + "/setting_defaults.txt");
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> fields;
    for (std::size_t start = 0;;) {
      const std::size_t tab = line.find('\t', start);
      fields.push_back(line.substr(start, tab - start));
      if (tab == std::string::npos) break;
      start = tab + 1;
    }
    fields.resize(4);
    keys.push_back({fields[0], fields[1], fields[2] == "int", fields[3]});
  }
  return keys;
}

class SettingDefaultTest : public testing::TestWithParam<KeyCase> {};

TEST_P(SettingDefaultTest, MissingKeyReadsAsItsDefault) {
  const KeyCase& c = GetParam();
  const SettingInfo* info = FindSetting(c.section, c.key);
  ASSERT_NE(info, nullptr) << c.section << "/" << c.key;
  ASSERT_EQ(info->type == SettingType::Int, c.isInt);
  const MemorySettingsStore empty;
  if (c.isInt) {
    EXPECT_EQ(std::to_string(empty.ReadInt(c.section, c.key, info->intDefault)), c.defaultText);
  } else {
    EXPECT_EQ(empty.ReadText(c.section, c.key, info->textDefault), c.defaultText);
  }
}

INSTANTIATE_TEST_SUITE_P(EveryKey, SettingDefaultTest, testing::ValuesIn(ExpectedKeys()));

TEST(SettingsStore, EmptyTextIsKeptAndBadIntegersReadAsTheDefault) {
  MemorySettingsStore store;
  store.Write(setting::kVesselPath, "");
  EXPECT_EQ(store.Read(setting::kVesselPath), "");
  EXPECT_EQ(store.Read(setting::kHistoryPath), "voyage.dat");
  for (const char* bad : {"", "abc", "12abc", " 5", "0x10", "2147483648", "1.5"}) {
    store.WriteText("Settings", "HistoryCleanUp", bad);
    EXPECT_EQ(store.Read(setting::kHistoryCleanUp), 7) << bad;
  }
  store.WriteText("Settings", "HistoryCleanUp", "-2147483648");
  EXPECT_EQ(store.Read(setting::kHistoryCleanUp), INT32_MIN);
  store.WriteInt("Settings", "HistoryCleanUp", 14);
  EXPECT_EQ(store.ReadText("Settings", "HistoryCleanUp", ""), "14");
}

// Every value changed from its default.
Settings Changed() {
  Settings s;
  s.hasListSelected = 0;
  s.alternativeSelection = 1;
  s.listSelected = 6;
  s.underWay = 1;
  s.propListSelected = 2;
  s.historyCleanUp = 30;
  s.exportForecast = s.exportHistory = s.exportMeteo = s.exportPorts = s.exportPublications = 1;
  s.runScheduler = 1;
  s.weekdayScheduler = 4;
  s.exportFolder = "/var/keelmark/export";
  s.scheduleRun = 2;
  s.companyLogo = "/home/mate/logo big.bmp";
  s.smallLogo = "small, logo.bmp";
  s.printIncludeBigLogo = s.printIncludeDate = s.printIncludeFileName = 0;
  s.printIncludeSmallLogo = s.printIncludeShipsName = 0;
  s.updateDR = s.writeToHis = s.useNMEA = 1;
  s.updateSeconds = 5;
  s.writeToHisMinutes = 10;
  s.comPort = 3;
  s.gpsString = 2;
  s.monitorRunning = 1;
  s.depCheckList = "dep.doc";
  s.arrCheckList = "arr.doc";
  s.standingOrders = "orders \"master\".doc";
  s.schedulePath = "";
  s.convChar = ";";
  s.colBckMain = PackColor(1, 2, 3);
  s.colBckProp = PackColor(4, 5, 6);
  s.colBckStat = PackColor(7, 8, 9);
  s.colTxMain = PackColor(10, 11, 12);
  s.colTxProp = PackColor(13, 14, 15);
  s.colTxStat = PackColor(16, 17, 18);
  s.isNight = 1;
  return s;
}

TEST(WriteSettings, WritesTheKeysReadSettingsReads) {
  MemorySettingsStore store;
  WriteSettings(store, Changed());
  const auto& content = store.Content();
  // The report file and the data paths other than the schedule are the user's own to set.
  EXPECT_EQ(content.at("Settings").count("ReportFile"), 0u);
  EXPECT_EQ(content.at("Path").size(), 1u);
  EXPECT_EQ(content.at("Settings").at("ListSelected"), "6");
}

TEST(Colors, PackedAsBlueGreenRed) {
  Settings settings;
  settings.colTxMain = PackColor(255, 0, 0);  // red
  MemorySettingsStore store;
  WriteColors(store, settings);
  EXPECT_EQ(store.ReadText("Colors", "ColTxMain", ""), "255");
  EXPECT_EQ(store.Content().at("Colors").size(), 7u);
}

// --- The INI file store --------------------------------------------------------------------

struct EscapeCase {
  const char* text;
  const char* written;  // as the desktop program's settings file holds it
};

class IniEscapeTest : public testing::TestWithParam<EscapeCase> {};

TEST_P(IniEscapeTest, WrittenAsTheDesktopProgramWritesAndReadBack) {
  EXPECT_EQ(IniSettingsStore::EscapeValue(GetParam().text), GetParam().written);
  EXPECT_EQ(IniSettingsStore::UnescapeValue(GetParam().written), GetParam().text);
}

// The right-hand forms are what QSettings 6 wrote for these texts.
INSTANTIATE_TEST_SUITE_P(
    Texts, IniEscapeTest,
    testing::Values(EscapeCase{"", ""}, EscapeCase{"a b", "a b"}, EscapeCase{",", "\",\""},
                    EscapeCase{"say \"hi\"", "say \\\"hi\\\""},
                    EscapeCase{"c:\\dir\\file.txt", "c:\\\\dir\\\\file.txt"},
                    EscapeCase{"a=b", "\"a=b\""}, EscapeCase{"@x", "@@x"},
                    EscapeCase{"  lead and trail  ", "\"  lead and trail  \""},
                    EscapeCase{"Gen\xC3\xA8ve \xE2\x82\xAC", "Gen\xC3\xA8ve \xE2\x82\xAC"},
                    EscapeCase{"tab\there\nnewline\r", "tab\\there\\nnewline\\r"},
                    EscapeCase{"\x01"
                               "ab",
                               "\\x1\\x61\\x62"},
                    EscapeCase{"#x", "#x"}));

struct UnescapeCase {
  const char* written;
  const char* text;
};

class IniHandWrittenTest : public testing::TestWithParam<UnescapeCase> {};

TEST_P(IniHandWrittenTest, ValuesWrittenByHandReadAsTheDesktopProgramReadsThem) {
  EXPECT_EQ(IniSettingsStore::UnescapeValue(GetParam().written), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Values, IniHandWrittenTest,
                         testing::Values(UnescapeCase{"  spaced out  ", "spaced out"},
                                         UnescapeCase{"a , b,c", "a,b,c"},  // an unquoted list
                                         UnescapeCase{"\"a\" \"b\"", "ab"},
                                         UnescapeCase{"@Invalid()", ""},
                                         UnescapeCase{"@ByteArray(abc)", "abc"},
                                         UnescapeCase{"\\101\\x42", "AB"}));

TEST(IniKeys, EscapedLikeTheDesktopProgram) {
  EXPECT_EQ(IniSettingsStore::EscapeKey("Keelmark Route"), "Keelmark%20Route");
  EXPECT_EQ(IniSettingsStore::EscapeKey("a/b.c_d-e"), "a\\b.c_d-e");
  EXPECT_EQ(IniSettingsStore::EscapeKey("\xC3\xA8\xE2\x82\xAC"), "%E8%U20AC");
  for (const char* key : {"Keelmark Route", "a/b", "\xC3\xA8\xE2\x82\xAC", "\xF0\x9F\x9A\xA2"}) {
    EXPECT_EQ(IniSettingsStore::UnescapeKey(IniSettingsStore::EscapeKey(key)), key);
  }
}

class IniFileTest : public testing::Test {
 protected:
  [[nodiscard]] std::string PathOf(const char* name) const { return scratch_.PathOf(name); }

  test::ScratchDirectory scratch_;
};

TEST_F(IniFileTest, SettingsSurviveAFileRoundTrip) {
  const std::string path = PathOf("keelmark.ini");
  Settings written = Changed();
  {
    IniSettingsStore store(path);
    WriteSettings(store, written);
    WriteColors(store, written);
    std::string error;
    ASSERT_TRUE(store.Sync(&error)) << error;
  }
  IniSettingsStore again(path);
  Settings read;
  ReadSettings(again, read);
  ReadColors(again, read);
  // The selection is read, then replaced by the Waypoints list; the under-way flag and the
  // property list's selection survive.
  written.hasListSelected = 1;
  written.alternativeSelection = 0;
  written.listSelected = 0;
  EXPECT_EQ(read, written);
  const std::string file = test::FileText(path);
  EXPECT_NE(file.find("[Keelmark%20Route]\nConvChar=\";\"\n"), std::string::npos) << file;
  EXPECT_NE(file.find("SmallLogo=\"small, logo.bmp\"\n"), std::string::npos) << file;
  EXPECT_NE(file.find("[Path]\nSchedule=\n"), std::string::npos) << file;
}

TEST_F(IniFileTest, ReadsCommentsCrLfAndAByteOrderMark) {
  const std::string path = PathOf("hand.ini");
  ASSERT_TRUE(WriteFileAtomically(
      path,
      "\xEF\xBB\xBF; written by hand\r\n[Settings]\r\nHistoryCleanUp = 21 ; three weeks\r\n"
      "ExportFolder=\"d;e\"\r\nno equals sign "
      "here\r\n\r\n[Keelmark%20Route]\r\nConvChar=\"\\t\"\r\n"
      "[Path]\r\nRoutedat=\r\n"));
  const IniSettingsStore store(path);
  ASSERT_EQ(store.LoadError(), "");
  EXPECT_EQ(store.Read(setting::kHistoryCleanUp), 21);
  EXPECT_EQ(store.Read(setting::kExportFolder), "d;e");
  EXPECT_EQ(store.Read(setting::kConvChar), "\t");
  EXPECT_EQ(store.Read(setting::kHistoryPath), "");
  EXPECT_EQ(store.Read(setting::kPortPath), "port.dat");
}

TEST_F(IniFileTest, AnUnclosedQuoteCostsOnlyItsLineAndStoresStayAlike) {
  // Found by fuzzing: the open quote took every later line into its value, and each store
  // moved or lengthened it.
  const std::string path = PathOf("hand.ini");
  ASSERT_TRUE(WriteFileAtomically(path,
                                  "[Settings]\nExportFolder=\"d:/export\nHistoryCleanUp=21\n"
                                  "[Path]\nRoutedat=r.dat\n"));
  IniSettingsStore store(path);
  EXPECT_EQ(store.Read(setting::kHistoryCleanUp), 21);
  EXPECT_EQ(store.Lookup("Settings", "ExportFolder"), std::nullopt);
  EXPECT_EQ(store.Lookup("Path", "Routedat"), "r.dat");
  const std::string once = store.Format();
  IniSettingsStore again("");
  again.Parse(once);
  EXPECT_EQ(again.Format(), once);
}

TEST_F(IniFileTest, AFileThatCannotBeReadIsNeverWrittenOver) {
  // A directory stands for a file that exists but cannot be read.
  const std::string path = PathOf("settings-dir");
  std::filesystem::create_directory(path);
  IniSettingsStore store(path);
  EXPECT_NE(store.LoadError(), "");
  store.Write(setting::kHistoryCleanUp, 3);
  std::string error;
  EXPECT_FALSE(store.Sync(&error));
  EXPECT_NE(error, "");
  EXPECT_TRUE(std::filesystem::is_directory(path));
}

TEST_F(IniFileTest, NothingIsWrittenUntilSomethingIsPut) {
  const std::string path = PathOf("untouched.ini");
  {
    IniSettingsStore store(path);
    EXPECT_EQ(store.Read(setting::kHistoryCleanUp), 7);
  }
  EXPECT_FALSE(std::filesystem::exists(path));
}

}  // namespace
}  // namespace keelmark
