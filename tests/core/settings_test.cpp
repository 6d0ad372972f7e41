#include "records/settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "records/ini_settings_store.h"
#include "records/settings_store.h"
#include "tests/core/test_files.h"

namespace keelmark {
namespace {

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
  s.listSelected = 6;
  s.propListSelected = 2;
  s.historyCleanUp = 30;
  s.exportForecast = s.exportHistory = s.exportMeteo = s.exportPorts = s.exportPublications = 1;
  s.weekdayScheduler = 4;
  s.exportFolder = "/var/keelmark/export";
  s.scheduleRun = 2;
  s.companyLogo = "/home/mate/logo big.bmp";
  s.smallLogo = "small, logo.bmp";
  s.printIncludeBigLogo = s.printIncludeDate = s.printIncludeFileName = 0;
  s.printIncludeSmallLogo = s.printIncludeShipsName = 0;
  s.updateDR = s.writeToHis = s.useNMEA = s.monitorRunning = s.isNight = 1;
  s.alternativeSelection = s.underWay = s.runScheduler = 1;
  s.updateSeconds = 5;
  s.writeToHisMinutes = 10;
  s.comPort = 3;
  s.gpsString = 2;
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
  return s;
}

TEST(WriteSettings, LeavesTheReportFileAndTheDataPathsToTheUser) {
  MemorySettingsStore store;
  WriteSettings(store, Changed());
  EXPECT_EQ(store.Content().at("Settings").count("ReportFile"), 0u);
  EXPECT_EQ(store.Content().at("Path").size(), 1u);  // the schedule's only
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

// (Escapes of values, sections and keys are checked against QSettings itself in
// tests/app/test_settings_store.cpp.)

class IniFileTest : public testing::Test {
 protected:
  test::ScratchDirectory scratch_;
};

TEST_F(IniFileTest, SettingsSurviveAFileRoundTrip) {
  const std::string path = scratch_.PathOf("keelmark.ini");
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
  const std::string path = scratch_.PathOf("hand.ini");
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
  const std::string path = scratch_.PathOf("hand.ini");
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
  const std::string path = scratch_.PathOf("settings-dir");
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
  const std::string path = scratch_.PathOf("untouched.ini");
  {
    IniSettingsStore store(path);
    EXPECT_EQ(store.Read(setting::kHistoryCleanUp), 7);
  }
  EXPECT_FALSE(std::filesystem::exists(path));
}

}  // namespace
}  // namespace keelmark
