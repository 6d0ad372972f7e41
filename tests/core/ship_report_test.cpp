#include "reports/ship_report.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <limits>
#include <memory>

#include "navigation/calendar.h"
#include "navigation/clock.h"
#include "navigation/navigation.h"
#include "records/archive_file.h"
#include "records/position_fix.h"
#include "records/settings_store.h"
#include "records/vessel.h"
#include "records/voyage.h"
#include "tests/core/test_files.h"

namespace keelmark {
namespace {

using test::DayOf;
using test::FileText;
using test::UtcTime;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

Waypoint* AddWaypoint(Voyage& voyage, const char* name, double latitude, double longitude,
                      double requiredTime, double legCourse, double groundSpeed,
                      int greatCircle = 0) {
  auto w = std::make_unique<Waypoint>();
  w->SetName(name);
  w->SetLatitude(latitude);
  w->SetLongitude(longitude);
  w->SetRequiredTime(requiredTime);
  w->LegCourse = legCourse;
  w->GroundSpeed = groundSpeed;
  w->GreatCircle = greatCircle;
  return voyage.Add(std::move(w));
}

// The voyage, vessel and present position of the golden files (make_report_files.py holds the
// same values).
class ShipReportTest : public testing::Test {
 protected:
  ShipReportTest() : clock_(UtcTime("2026-12-06T12:00:00Z")), scope_(clock_) {
    vessel_.name = "ALPHA";
    vessel_.callSign = "PABC";
    vessel_.imoNumber = "9123456";
    Waypoint* departure =
        AddWaypoint(voyage_, "ROTTERDAM", 51.9316, 4.175, DayOf("2026-12-05T14:45Z"), 0.0, 12.0);
    departure->SetTime(DayOf("2026-12-05T14:30Z"));
    AddWaypoint(voyage_, "CAPE", -36.75, 18.5, DayOf("2026-12-07T06:00Z"), 5.7, 12.5);
    AddWaypoint(voyage_, "WP TWO", 0.0, -0.20833333, DayOf("2026-12-09T09:05Z"), 245.3, 8.4, 1);
    AddWaypoint(voyage_, "NEW YORK", 40.45, -73.78333, DayOf("2027-01-03T09:05Z"), 359.9, 0.5);
    fix_.SetName("Latest Position Fix");
    fix_.SetLatitude(1.5);
    fix_.SetLongitude(-0.5);
    fix_.SetTime(DayOf("2026-12-08T21:07Z"));
    fix_.SetRequiredTime(DayOf("2026-12-08T23:59Z"));
    fix_.CourseMadeGood = 250.2;
    fix_.SpeedMadeGood = 8.0;
  }

  [[nodiscard]] ShipReportSources Sources() const { return {voyage_, vessel_, fix_}; }
  [[nodiscard]] ShipReport Build(ReportSystem system, ReportKind kind) const {
    return BuildShipReport(system, kind, Sources());
  }
  FixedClock clock_;
  ScopedProcessClock scope_;
  CVessel2 vessel_;
  Voyage voyage_;
  PositionFix fix_;
};

// --- Every writer against its golden file. ---

struct GoldenCase {
  ReportSystem system;
  ReportKind kind;
  const char* file;
  const char* saveName;  // the save dialog's default file name
};

class ShipReportGoldenTest : public ShipReportTest,
                             public testing::WithParamInterface<GoldenCase> {};

TEST_P(ShipReportGoldenTest, MessageMatchesItsGoldenFileByteForByte) {
  const auto golden = test::ReadTestData(std::string("reports/") + GetParam().file);
  ASSERT_FALSE(golden.empty());
  const ShipReport report = Build(GetParam().system, GetParam().kind);
  ASSERT_FALSE(report.refusal);
  EXPECT_EQ(ShipReportFileBytes(report.text), std::string(golden.begin(), golden.end()));
  EXPECT_EQ(ShipReportFileName(GetParam().system, GetParam().kind), GetParam().saveName);
}

INSTANTIATE_TEST_SUITE_P(
    Writers, ShipReportGoldenTest,
    testing::Values(
        GoldenCase{ReportSystem::Amver, ReportKind::SailingPlan, "amver_sp.txt", "AMVER"},
        GoldenCase{ReportSystem::Amver, ReportKind::PositionReport, "amver_pr.txt", "AMVER"},
        GoldenCase{ReportSystem::Amver, ReportKind::FinalReport, "amver_fr.txt", "AMVER"},
        GoldenCase{ReportSystem::Sistram, ReportKind::SailingPlan, "sistram_1.txt", "SISTRAM"},
        GoldenCase{ReportSystem::Sistram, ReportKind::PositionReport, "sistram_2.txt", "SISTRAM"},
        GoldenCase{ReportSystem::Sistram, ReportKind::FinalReport, "sistram_4.txt", "SISTRAM"},
        GoldenCase{ReportSystem::Ausrep, ReportKind::SailingPlan, "ausrep_sp.txt", "AUSREP"},
        GoldenCase{ReportSystem::Ausrep, ReportKind::PositionReport, "ausrep_pr.txt", "AUSREP"},
        GoldenCase{ReportSystem::Ausrep, ReportKind::FinalReport, "ausrep_fr.txt", "AUSREP"},
        GoldenCase{ReportSystem::Jasrep, ReportKind::SailingPlan, "jasrep_sp.txt", "JASREP"},
        GoldenCase{ReportSystem::Jasrep, ReportKind::PositionReport, "jasrep_pr.txt", "JASREP"},
        GoldenCase{ReportSystem::Jasrep, ReportKind::FinalReport, "jasrep_fr.txt", "JASREP"},
        GoldenCase{ReportSystem::Chilrep, ReportKind::SailingPlan, "chilrep_sp.txt", "CHILREP"},
        GoldenCase{ReportSystem::Chilrep, ReportKind::PositionReport, "chilrep_pr.txt", "CHILREP"},
        GoldenCase{ReportSystem::Chilrep, ReportKind::FinalReport, "chilrep_fr.txt", "CHILREP"},
        GoldenCase{ReportSystem::Equador, ReportKind::SailingPlan, "equador_sp.txt", "EQUADOR"},
        GoldenCase{ReportSystem::Equador, ReportKind::PositionReport, "equador_pr.txt", "EQUADOR"},
        GoldenCase{ReportSystem::Equador, ReportKind::FinalReport, "equador_fr.txt", "EQUADOR"},
        GoldenCase{ReportSystem::Peru, ReportKind::PositionReport, "shiprep_pr.txt", "ShipRep"}),
    [](const testing::TestParamInfo<GoldenCase>& row) {
      const std::string file = row.param.file;
      return file.substr(0, file.find('.'));
    });

// --- Which times, waypoints and forms the lines take. ---

TEST_F(ShipReportTest, JasrepPositionReportWithTheDestinationAheadRepeatsItsCourse) {
  fix_.SetLatitude(40.4);
  fix_.SetLongitude(-73.0);
  fix_.CourseMadeGood = 355.0;  // along the destination's leg course of 359.9
  const std::string text = Build(ReportSystem::Jasrep, ReportKind::PositionReport).text;
  EXPECT_NE(text.find("\r\nM/359/359//\r\n"), std::string::npos) << text;
}

TEST_F(ShipReportTest, TwoWaypointVoyageListsTheDestinationOnceAndRepeatsItsCourse) {
  voyage_.Remove(voyage_.GetAt(1));
  voyage_.Remove(voyage_.GetAt(1));
  ASSERT_EQ(voyage_.GetCount(), 2);
  const std::string text = Build(ReportSystem::Jasrep, ReportKind::SailingPlan).text;
  EXPECT_NE(text.find("\r\nM/359/359//\r\n"), std::string::npos) << text;
  const std::size_t route = text.find("\r\nL/RL/05/4027N/07346W/030905Z/NEW YORK//");
  EXPECT_NE(route, std::string::npos) << text;
  EXPECT_EQ(text.find("\r\nL/", route + 1), std::string::npos) << text;
}

// --- Refusals. ---

TEST_F(ShipReportTest, FewerThanTwoWaypointsIsNoActiveVoyageForEveryMessage) {
  voyage_.RemoveAll();
  AddWaypoint(voyage_, "ALONE", 1.0, 1.0, 0.0, 0.0, 12.0);
  for (std::size_t s = 0; s < kReportSystemNames.size(); ++s) {
    for (std::size_t k = 0; k < kReportKindNames.size(); ++k) {
      const ShipReport report = Build(static_cast<ReportSystem>(s), static_cast<ReportKind>(k));
      ASSERT_TRUE(report.refusal);
      EXPECT_STREQ(report.refusal->text, "No active voyage");
      EXPECT_EQ(report.refusal->icon, MessageIcon::Stop);
    }
  }
}

// --- Figures that have no value. ---

struct NotAvailableCase {
  const char* what;
  void (*spoil)(Voyage&, PositionFix&);
  ReportSystem system;
  ReportKind kind;
  const char* expected;  // a piece of the message
};

class ShipReportNotAvailableTest : public ShipReportTest,
                                   public testing::WithParamInterface<NotAvailableCase> {};

TEST_P(ShipReportNotAvailableTest, FigureWithoutValuePrintsNA) {
  GetParam().spoil(voyage_, fix_);
  const ShipReport report = Build(GetParam().system, GetParam().kind);
  ASSERT_FALSE(report.refusal);
  EXPECT_NE(report.text.find(GetParam().expected), std::string::npos) << report.text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ShipReportNotAvailableTest,
    testing::Values(
        NotAvailableCase{"ground speed",
                         [](Voyage& v, PositionFix&) { v.GetAt(1)->GroundSpeed = kNaN; },
                         ReportSystem::Amver, ReportKind::SailingPlan, "F/NA//\r\nG/"},
        NotAvailableCase{"whole-knot speed of the fix",
                         [](Voyage&, PositionFix& f) { f.SpeedMadeGood = kNaN; },
                         ReportSystem::Equador, ReportKind::PositionReport, "/250/NA/"},
        NotAvailableCase{"fix position", [](Voyage&, PositionFix& f) { f.SetLatitude(kNaN); },
                         ReportSystem::Chilrep, ReportKind::PositionReport, "C/NA/00030W//"},
        NotAvailableCase{"fix time", [](Voyage&, PositionFix& f) { f.SetTime(kInfinity); },
                         ReportSystem::Jasrep, ReportKind::FinalReport, "B/NA//"},
        NotAvailableCase{"arrival time",
                         [](Voyage& v, PositionFix&) { v.GetLast()->SetRequiredTime(kNaN); },
                         ReportSystem::Sistram, ReportKind::FinalReport, "SISTRAM/4/NA//"}),
    [](const testing::TestParamInfo<NotAvailableCase>& row) {
      std::string name = row.param.what;
      for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
      }
      return name;
    });

// --- Save to file, read back for mail. ---

TEST_F(ShipReportTest, SaveAsksForAFileNamedAfterTheSystemAndWritesThere) {
  const test::ScratchDirectory folder;
  ScriptedPrompter prompter;
  prompter.QueueFile(folder.PathOf("chosen.txt"));
  ASSERT_TRUE(SaveShipReport(ReportSystem::Equador, ReportKind::FinalReport, Sources(), prompter));
  ASSERT_EQ(prompter.FileChoices().size(), 1u);
  EXPECT_EQ(prompter.FileChoices()[0].initialName, "EQUADOR");
  EXPECT_EQ(FileText(folder.PathOf("chosen.txt")),
            Build(ReportSystem::Equador, ReportKind::FinalReport).text);
}

TEST_F(ShipReportTest, SpecialFormAsksForNoFileAndACancelledSaveSaysNothing) {
  ScriptedPrompter prompter;
  EXPECT_FALSE(SaveShipReport(ReportSystem::Peru, ReportKind::SailingPlan, Sources(), prompter));
  EXPECT_TRUE(prompter.FileChoices().empty());
  ASSERT_EQ(prompter.Messages().size(), 1u);
  EXPECT_EQ(prompter.Messages()[0].text, "This report requires special form");
  // No file queued: the choice is cancelled.
  EXPECT_FALSE(SaveShipReport(ReportSystem::Amver, ReportKind::FinalReport, Sources(), prompter));
  EXPECT_EQ(prompter.Messages().size(), 1u);
}

TEST_F(ShipReportTest, MailReadBackGivesTheMessageWithPlainLineBreaks) {
  vessel_.name = "SÃO GONÇALO";  // written as Windows-1252, read back as UTF-8
  const test::ScratchDirectory folder;
  const std::string path = folder.PathOf("Report.txt");
  ASSERT_TRUE(
      WriteShipReport(ReportSystem::Amver, ReportKind::FinalReport, Sources(), path).written);
  EXPECT_NE(FileText(path).find("A/S\xC3O GON\xC7"
                                "ALO/PABC//\r\n"),
            std::string::npos);
  const std::optional<std::string> mail = ReadShipReportForMail(path);
  ASSERT_TRUE(mail);
  EXPECT_EQ(*mail,
            "AMVER/FR//\nA/SÃO GONÇALO/PABC//\nK/NEW YORK/4027N/07346W/030905Z//\nZ/EOR//\n");
  EXPECT_FALSE(ReadShipReportForMail(folder.PathOf("never-written.txt")));
}

// --- Where the report file goes. ---

struct ReportPathCase {
  const char* what;
  const char* configured;  // nullptr: the key is missing
  const char* expected;    // relative to the data folder
};

class ReportFilePathTest : public testing::TestWithParam<ReportPathCase> {};

TEST_P(ReportFilePathTest, ConfiguredPathOrReportTxtBesideTheDataFiles) {
  const test::ScratchDirectory folder;
  std::filesystem::create_directories(folder.PathOf("reports"));
  MemorySettingsStore store;
  if (GetParam().configured) store.Write(setting::kReportFile, GetParam().configured);
  EXPECT_EQ(ReportFilePath(store, folder.PathOf("")), folder.PathOf(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Paths, ReportFilePathTest,
    testing::Values(ReportPathCase{"default", nullptr, "Report.txt"},
                    ReportPathCase{"windows backslashes", "D:\\Ship\\out.txt", "Report.txt"},
                    ReportPathCase{"relative folder that exists", "reports/amver.txt",
                                   "reports/amver.txt"},
                    ReportPathCase{"relative folder that does not", "gone/amver.txt", "Report.txt"},
                    ReportPathCase{"bare name", "message.txt", "message.txt"}));

TEST(ReportFilePath, AbsolutePathInAnExistingFolderIsKept) {
  const test::ScratchDirectory folder;
  MemorySettingsStore store;
  store.Write(setting::kReportFile, folder.PathOf("r.txt"));
  EXPECT_EQ(ReportFilePath(store, "/nonexistent-data"), folder.PathOf("r.txt"));
  store.Write(setting::kReportFile, folder.PathOf("missing/r.txt"));
  EXPECT_EQ(ReportFilePath(store, "/data"), "/data/Report.txt");
}

}  // namespace
}  // namespace keelmark
