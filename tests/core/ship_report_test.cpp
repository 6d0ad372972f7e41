#include "reports/ship_report.h"

#include <gtest/gtest.h>

#include <algorithm>
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
  Waypoint* w = test::AddAt<Waypoint>(voyage, latitude, longitude, name);
  w->SetRequiredTime(requiredTime);
  w->LegCourse = legCourse;
  w->GroundSpeed = groundSpeed;
  w->GreatCircle = greatCircle;
  return w;
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

// Every writer of tests/data/reports/writers.txt against its golden file byte for byte.
TEST_F(ShipReportTest, MessagesMatchTheirGoldenFilesByteForByte) {
  const auto indexOf = [](const auto& names, const std::string& name) {
    return static_cast<int>(std::find(names.begin(), names.end(), name) - names.begin());
  };
  const auto rows = test::ReadTable("reports/writers.txt");
  ASSERT_EQ(rows.size(), 19u);
  for (const auto& row : rows) {
    SCOPED_TRACE(row.at(2));
    const auto system = static_cast<ReportSystem>(indexOf(kReportSystemNames, row.at(0)));
    const auto kind = static_cast<ReportKind>(indexOf(kReportKindNames, row.at(1)));
    const auto golden = test::ReadTestData("reports/" + row[2]);
    ASSERT_FALSE(golden.empty());
    const ShipReport report = Build(system, kind);
    ASSERT_FALSE(report.refusal);
    EXPECT_EQ(ShipReportFileBytes(report.text), std::string(golden.begin(), golden.end()));
    EXPECT_EQ(ShipReportFileName(system, kind), row.at(3));
  }
}

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

// --- Figures that have no value print NA. ---
// (A route of one waypoint, no active voyage: tests/cli/report_cli_test.cpp.)

TEST_F(ShipReportTest, FigureWithoutValuePrintsNA) {
  const struct {
    void (*spoil)(Voyage&, PositionFix&);
    ReportSystem system;
    ReportKind kind;
    const char* expected;  // a piece of the message
  } cases[] = {{[](Voyage& v, PositionFix&) { v.GetAt(1)->GroundSpeed = kNaN; },
                ReportSystem::Amver, ReportKind::SailingPlan, "F/NA//\r\nG/"},
               {[](Voyage&, PositionFix& f) { f.SpeedMadeGood = kNaN; }, ReportSystem::Equador,
                ReportKind::PositionReport, "/250/NA/"},
               {[](Voyage&, PositionFix& f) { f.SetLatitude(kNaN); }, ReportSystem::Chilrep,
                ReportKind::PositionReport, "C/NA/00030W//"},
               {[](Voyage&, PositionFix& f) { f.SetTime(kInfinity); }, ReportSystem::Jasrep,
                ReportKind::FinalReport, "B/NA//"},
               {[](Voyage& v, PositionFix&) { v.GetLast()->SetRequiredTime(kNaN); },
                ReportSystem::Sistram, ReportKind::FinalReport, "SISTRAM/4/NA//"}};
  for (const auto& c : cases) {
    Voyage voyage;  // a copy of the fixture's route and fix, spoilt
    for (const auto& w : voyage_) voyage.Add(std::make_unique<Waypoint>(*w));
    PositionFix fix = fix_;
    c.spoil(voyage, fix);
    const ShipReport report = BuildShipReport(c.system, c.kind, {voyage, vessel_, fix});
    ASSERT_FALSE(report.refusal);
    EXPECT_NE(report.text.find(c.expected), std::string::npos) << report.text;
  }
}

// --- Save to file, read back for mail. ---

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

// --- Where the report file goes. ---

TEST(ReportFilePath, ConfiguredPathOrReportTxtBesideTheDataFiles) {
  const test::ScratchDirectory folder;
  std::filesystem::create_directories(folder.PathOf("reports"));
  const struct {
    const char* configured;  // nullptr: the key is missing
    const char* expected;    // relative to the data folder
  } cases[] = {{nullptr, "Report.txt"},
               {"D:\\Ship\\out.txt", "Report.txt"},  // a Windows path
               {"reports/amver.txt", "reports/amver.txt"},
               {"gone/amver.txt", "Report.txt"},  // a relative folder that does not exist
               {"message.txt", "message.txt"}};
  for (const auto& c : cases) {
    MemorySettingsStore store;
    if (c.configured) store.Write(setting::kReportFile, c.configured);
    EXPECT_EQ(ReportFilePath(store, folder.PathOf("")), folder.PathOf(c.expected)) << c.expected;
  }
  // An absolute path is kept when its folder exists.
  MemorySettingsStore store;
  store.Write(setting::kReportFile, folder.PathOf("r.txt"));
  EXPECT_EQ(ReportFilePath(store, "/nonexistent-data"), folder.PathOf("r.txt"));
  store.Write(setting::kReportFile, folder.PathOf("missing/r.txt"));
  EXPECT_EQ(ReportFilePath(store, "/data"), "/data/Report.txt");
}

}  // namespace
}  // namespace keelmark
