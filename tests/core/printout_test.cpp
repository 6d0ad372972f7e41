// The printouts as drawing calls: page model, selection, header and footer, and one table of
// cases per printout, read back from a RecordingCanvas.
#include "reports/printout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "document/keelmark_document.h"
#include "navigation/calendar.h"
#include "navigation/clock.h"
#include "reports/storm_advisory.h"
#include "reports/table_grid.h"
#include "tests/core/document_fixture.h"
#include "tests/core/test_files.h"

namespace keelmark {
namespace {

constexpr int kA4Height = 2870;  // A4 with 5 mm margins, page units
constexpr const char* kMaster = "Master: ..........................(name/signature)";
// 2026-12-06 12:00 UTC as a day number (day 1.0 is 2000-01-01 00:00 UTC).
constexpr double kDay = 9837.5;

// --- Page model --------------------------------------------------------------------------

// The cases of tests/data/printing/page_model.txt: how many pages a sheet takes, and where rows
// go.
TEST(PageModel, PagesReachTheDrawingAndRowsNeverStraddlePagesOrTheFooter) {
  const auto rows = test::ReadTable("printing/page_model.txt");
  ASSERT_EQ(rows.size(), 12u);
  for (const auto& row : rows) {
    std::vector<int> n;
    for (std::size_t i = 1; i < row.size(); ++i) n.push_back(std::stoi(row[i]));
    const PageModel page(n.at(0));
    EXPECT_EQ(
        row[0] == "count" ? page.PageCount(n.at(1), n.at(2)) : page.PlaceRow(n.at(1), n.at(2)),
        n.at(3))
        << row[0] << " " << n[1] << " " << n[2];
  }
}

// --- The document behind the printouts ---------------------------------------------------

class PrintoutTest : public test::DocumentFixture {
 protected:
  PrintoutTest() : doc_(Open()) { doc_->GetVessel().name = "mv Test Ship"; }

  Waypoint& AddWaypoint(const std::string& name, double latitude, double longitude) {
    Waypoint& waypoint = *test::AddAt<Waypoint>(doc_->GetRoute(), latitude, longitude, name);
    waypoint.SetTime(kDay);
    waypoint.SetRequiredTime(kDay);
    waypoint.SetScheduledTime(kDay);
    return waypoint;
  }

  Storm& AddStorm(const std::string& name, double latitude, int fieldRadius) {
    Storm& storm = *test::AddAt<Storm>(doc_->GetStorms(), latitude, 10.0, name);
    storm.SetTime(kDay);
    storm.FieldRadius = fieldRadius;
    return storm;
  }

  PositionFix& AddFix(double day, double speedMadeGood) {
    auto fix = std::make_unique<PositionFix>();
    fix->SetTime(day);
    fix->SpeedMadeGood = speedMadeGood;
    return *doc_->GetHistory().Add(std::move(fix));
  }

  // The sheet of a printout as the print path records it on A4.
  RecordingCanvas Print(PrintoutKind kind, int pageHeight = kA4Height) {
    SelectPrintout(doc_->GetSettings(), kind);
    const DocumentPrintout printout(*doc_, "/ship/route.q3v");
    Sheet sheet = RecordSheet(printout, PageModel(pageHeight));
    pages_ = sheet.pageCount;
    return std::move(sheet.drawing);
  }

  static std::vector<int> RowTops(const RecordingCanvas& canvas) {
    std::vector<int> tops;
    for (const DrawCall& call : canvas.Calls()) {
      if (call.kind == DrawCall::Kind::Rectangle && call.x1 == kTableLeft &&
          call.y1 <= kFirstRowTop) {
        tops.push_back(call.y1);
      }
    }
    return tops;
  }

  std::unique_ptr<CKeelmarkRouteXPDoc> doc_;
  int pages_ = 0;
};

// --- Selection ---------------------------------------------------------------------------
// (Which printout a selection names: tests/app/test_printing.cpp and the print commands.)

TEST_F(PrintoutTest, NothingSelectedPrintsAnEmptySheetOfOnePage) {
  doc_->GetSettings().hasListSelected = 1;
  doc_->GetSettings().listSelected = 99;
  const DocumentPrintout printout(*doc_, "");
  const Sheet sheet = RecordSheet(printout, PageModel(kA4Height));
  EXPECT_TRUE(sheet.drawing.Calls().empty());
  EXPECT_EQ(sheet.pageCount, 1);
}

// --- Header and footer -------------------------------------------------------------------

TEST_F(PrintoutTest, HeaderAndFooterFollowThePrintFlagsAndThePaper) {
  const std::string printed = "Printed   06 Dec 2026 12:00 LT", file = "/ship/route.q3v";
  const struct {
    int smallLogo, shipsName, date, fileName;
    std::vector<std::string> present, absent;
  } cases[] = {{0, 0, 0, 0, {}, {"Voyageplanning", "mv Test Ship", printed, file}},
               {1, 0, 1, 0, {printed}, {"Voyageplanning", file}},
               {0, 1, 0, 1, {"Voyageplanning", "mv Test Ship", file}, {printed}}};
  for (const auto& c : cases) {
    Settings& settings = doc_->GetSettings();
    settings.printIncludeSmallLogo = c.smallLogo;
    settings.printIncludeShipsName = c.shipsName;
    settings.printIncludeDate = c.date;
    settings.printIncludeFileName = c.fileName;
    const RecordingCanvas sheet = Print(PrintoutKind::History);
    for (const std::string& text : c.present) EXPECT_NE(sheet.FindText(text), nullptr) << text;
    for (const std::string& text : c.absent) EXPECT_EQ(sheet.FindText(text), nullptr) << text;
    const bool logo =
        std::any_of(sheet.Calls().begin(), sheet.Calls().end(), [](const DrawCall& d) {
          return d.kind == DrawCall::Kind::Bitmap && d.x1 == 0 && d.y1 == 0;
        });
    EXPECT_EQ(logo, c.smallLogo == 1);
    EXPECT_NE(sheet.FindText(kMaster), nullptr);
  }
  EXPECT_EQ(Print(PrintoutKind::History).FindText(file)->y1, -2800);
  // On US letter the footer moves up with the page's bottom.
  EXPECT_EQ(Print(PrintoutKind::History, 2694).FindText(file)->y1, -2800 + 146);
}

TEST_F(PrintoutTest, FooterIsBlackWhateverTheLastRowWas) {
  AddWaypoint("A", 0.0, 0.0);
  AddWaypoint("B", 0.0, 1.0).Weather.WindSpeed = 45.0;  // a red row last
  const RecordingCanvas sheet = Print(PrintoutKind::RouteWeather);
  EXPECT_EQ(sheet.FindText("B")->textColor, kRed);
  EXPECT_EQ(sheet.FindText(kMaster)->textColor, kBlack);
}

// --- Lists -------------------------------------------------------------------------------

TEST_F(PrintoutTest, ThousandsOfWaypointsPrintEveryRowOnSomePageInGroupsOf20) {
  for (int i = 0; i < 2000; ++i) AddWaypoint("W" + std::to_string(i), 0.0, i * 0.01);
  const RecordingCanvas sheet = Print(PrintoutKind::WaypointList);
  const std::vector<int> tops = RowTops(sheet);
  ASSERT_EQ(tops.size(), 2000u);
  const PageModel page(kA4Height);
  EXPECT_GE(pages_, 101);
  EXPECT_LE(page.PageOf(tops.back() - kRowHeight + 1), pages_);
  for (int top : tops) {
    EXPECT_EQ(page.PageOf(top), page.PageOf(top - kRowHeight + 1)) << "row at " << top;
  }
  // Row 21 starts 700 below row 20's bottom (-2500), on the next page.
  EXPECT_EQ(tops[19], -2400);
  EXPECT_EQ(tops[20], -3200);
}

TEST_F(PrintoutTest, EmptyListsPrintTheirHeadsAndNoRows) {
  for (PrintoutKind kind :
       {PrintoutKind::WaypointList, PrintoutKind::History, PrintoutKind::VoyageSchedule,
        PrintoutKind::Warnings, PrintoutKind::ReportingPoints, PrintoutKind::Charts,
        PrintoutKind::RouteWeather, PrintoutKind::Storms}) {
    const RecordingCanvas sheet = Print(kind);
    EXPECT_TRUE(RowTops(sheet).empty()) << static_cast<int>(kind);
    EXPECT_TRUE(std::any_of(sheet.Calls().begin(), sheet.Calls().end(), [](const DrawCall& c) {
      return c.kind == DrawCall::Kind::Rectangle && c.y1 == kHeadTop;
    })) << static_cast<int>(kind);
    EXPECT_EQ(pages_, 1);
  }
}

TEST_F(PrintoutTest, ScheduleFirstRowShowsTheEtaTheOthersTheRequiredTime) {
  AddWaypoint("Dep", 0.0, 0.0).SetTime(kDay + 1.0);           // Mon 07 Dec 12:00
  AddWaypoint("Mid", 0.0, 1.0).SetRequiredTime(kDay + 2.25);  // Tue 08 Dec 18:00
  Waypoint& last = AddWaypoint("Arr", 0.0, 2.0);
  last.SetRequiredTime(kDay + 3.0);
  last.Rpm = 88.0;
  doc_->GetSettings().underWay = 0;
  const RecordingCanvas sheet = Print(PrintoutKind::VoyageSchedule);
  EXPECT_EQ(sheet.FindText("Mon 07 Dec 12:00 LT")->y1, -560);
  EXPECT_EQ(sheet.FindText("Tue 08 Dec 18:00 LT")->y1, -660);
  EXPECT_EQ(sheet.FindText("88.0 rpm")->x1, 1250);
  // Before departure the first row has no leg values.
  for (const DrawCall& call : sheet.Texts()) EXPECT_NE(call.y1, -550) << call.text;
}

TEST_F(PrintoutTest, RunOnRowsSkipTheFooterAndThePageEdge) {
  for (int i = 0; i < 30; ++i) AddWaypoint("S" + std::to_string(i), 0.0, i * 0.1);
  const std::vector<int> tops = RowTops(Print(PrintoutKind::VoyageSchedule));
  ASSERT_EQ(tops.size(), 30u);
  EXPECT_EQ(tops[21], -2600);             // the 22nd row ends 150 above the footer
  EXPECT_EQ(tops[22], -kA4Height - 200);  // the 23rd would reach into it
  EXPECT_EQ(pages_, 2);
}

// --- Colours by the figures ----------------------------------------------------------------

TEST_F(PrintoutTest, StormCpaRowsAreRedInsideTheStormField) {
  AddWaypoint("Dep", 0.0, 0.0);
  Waypoint& arrival = AddWaypoint("Arr", 0.0, 10.0);
  arrival.SetRequiredTime(kDay + 2.0);
  arrival.SetTime(kDay + 2.0);
  // A storm standing still on the arrival's meridian: 150 nM off the track inside 200, 300 nM
  // off, and on the track, where a CPA of 0 equals a radius of 0.
  for (const auto& [latitude, radius, color] :
       {std::tuple{2.5, 200, kRed}, std::tuple{5.0, 200, kBlack}, std::tuple{0.0, 0, kBlack}}) {
    doc_->GetStorms().RemoveAll();
    AddStorm("Storm", latitude, radius);
    const DrawCall* cpa = Print(PrintoutKind::Storms).FindText("CPA");
    ASSERT_NE(cpa, nullptr);
    EXPECT_EQ(cpa->textColor, color) << latitude << " " << radius;
  }
  // Without a voyage each record's CPA row says so.
  doc_->GetRoute().RemoveAll();
  EXPECT_NE(Print(PrintoutKind::Storms).FindText("Unable to calculate as no voyage loaded"),
            nullptr);
}

TEST_F(PrintoutTest, RouteWeatherRowsTurnRedAboveTheLimits) {
  const struct {
    double wind, waves, swell;
    int observations;
    Color color;
    const char* last;
  } cases[] = {{30.0, 4.0, 4.0, 0, kBlack, "FORECAST"},
               {30.1, 0.0, 0.0, 3, kRed, "3 "},
               {0.0, 0.0, 4.01, 1, kRed, "1 "}};
  for (const auto& c : cases) {
    doc_->GetRoute().RemoveAll();
    WeatherConditions& w = AddWaypoint("Point", 0.0, 0.0).Weather;
    w.WindSpeed = c.wind;
    w.WaveHeight = c.waves;
    w.SwellHeight = c.swell;
    w.ObservationCount = c.observations;
    const RecordingCanvas sheet = Print(PrintoutKind::RouteWeather);
    EXPECT_EQ(sheet.FindText("Point")->textColor, c.color) << c.wind;
    ASSERT_NE(sheet.FindText(c.last), nullptr) << c.last;
    EXPECT_EQ(sheet.FindText(c.last)->textColor, c.color);
  }
  EXPECT_NE(Print(PrintoutKind::RouteWeather).FindText("Average Weather"), nullptr);
  doc_->GetRoute().UseForecastAreas = 1;
  EXPECT_NE(Print(PrintoutKind::RouteWeather).FindText("Forecast Weather"), nullptr);
}

// --- Cover page, performance report, graphics ----------------------------------------------

TEST_F(PrintoutTest, CoverPageHasNoHeaderOrFooterAndVoyageLinesOnlyForARoute) {
  doc_->GetRoute().VoyageNumber = "V042";
  for (const auto& [waypoints, bigLogo] : {std::pair{0, 1}, std::pair{1, 0}, std::pair{2, 1}}) {
    doc_->GetRoute().RemoveAll();
    doc_->GetSettings().printIncludeBigLogo = bigLogo;
    for (int i = 0; i < waypoints; ++i) AddWaypoint("Port " + std::to_string(i), 0.0, i);
    const RecordingCanvas sheet = Print(PrintoutKind::CoverPage);
    // Black on the page, whatever the opaque blue title left in force.
    EXPECT_EQ(sheet.FindText("mv Test Ship")->textColor, kBlack);
    EXPECT_EQ(sheet.FindText("Voyage V042") != nullptr, waypoints == 2);
    EXPECT_EQ(sheet.FindText(kMaster), nullptr);
    EXPECT_EQ(sheet.Calls().front().kind == DrawCall::Kind::Bitmap, bigLogo == 1);
  }
  EXPECT_NE(Print(PrintoutKind::CoverPage).FindText("SSV    06 Dec 2026 12:00 LT"), nullptr);
}

TEST_F(PrintoutTest, PerformanceGraphAxesPolylineAndRequiredSpeed) {
  AddFix(kDay, 10.0);
  AddFix(kDay + 0.25, 12.0);  // 6 h later
  AddFix(kDay + 0.5, 15.0);   // 12 h: the period
  const struct {
    int from, till;
    double voyageHours;  // departure to scheduled arrival, 60 nM of route
    bool requiredLine;
  } cases[] = {{0, 2, 29.0, true}, {0, 2, 31.0, false}};  // 1.9 knots: no line
  for (const auto& c : cases) {
    doc_->GetRoute().RemoveAll();
    AddWaypoint("Dep", 0.0, 0.0);
    AddWaypoint("Arr", 0.0, 1.0).SetScheduledTime(kDay + c.voyageHours / 24.0);
    doc_->performanceFrom = c.from;
    doc_->performanceTill = c.till;
    std::vector<std::pair<int, int>> points;
    bool red = false;
    const RecordingCanvas sheet = Print(PrintoutKind::Performance);
    for (const DrawCall& call : sheet.Calls()) {
      if (call.kind != DrawCall::Kind::Line) continue;
      if (call.pen.color == kRed) {
        red = true;
        EXPECT_EQ(call.y1, -1946);  // 60 nM in 29 hours: 2.07 knots, 26 units a knot over -2000
      } else {
        points.emplace_back(call.x2, call.y2);
      }
    }
    EXPECT_EQ(red, c.requiredLine) << c.voyageHours;
    // Axes (50,-1200)-(50,-2000)-(1900,-2000), then the speeds at 0, 6 and 12 hours.
    EXPECT_EQ(points, (std::vector<std::pair<int, int>>{
                          {50, -2000}, {1900, -2000}, {1000, -2000 + 312}, {1950, -2000 + 390}}));
  }
}

TEST_F(PrintoutTest, GraphicsAreRefusedWithTheirMessageAndPrintedOnOnePage) {
  // The plotting sheet: the current chart centred on the route, whose far end runs off the page.
  AddWaypoint("Dep", 52.0, 4.0);
  AddWaypoint("Far", 40.0, -70.0);
  Chart& chart = doc_->GetCurrentChart();
  chart.SetLatitude(52.0);
  chart.SetLongitude(4.0);
  SelectPrintout(doc_->GetSettings(), PrintoutKind::PlottingSheet);
  EXPECT_EQ(PrintRefusal(*doc_), "");
  const RecordingCanvas sheet = Print(PrintoutKind::PlottingSheet);
  EXPECT_NE(sheet.FindText("Plottingsheet"), nullptr);
  EXPECT_NE(sheet.FindText("Voyageplanning"), nullptr);  // the page header is added
  EXPECT_EQ(pages_, 1);  // a chart is cut at the page's edge, not run on
  chart.ChartSpare = 0.0;
  EXPECT_NE(PrintRefusal(*doc_).find("grid interval"), std::string::npos);

  // The storm advisory needs a storm and a route of two waypoints.
  SelectPrintout(doc_->GetSettings(), PrintoutKind::StormAdvisory);
  EXPECT_EQ(PrintRefusal(*doc_), kNoStormAdvisoryMessage);
  AddStorm("BETA", 0.0, 0);
  EXPECT_EQ(PrintRefusal(*doc_), "");
  doc_->selectedRow = 5;  // no such row: the last storm, as lists fall back
  EXPECT_NE(Print(PrintoutKind::StormAdvisory).FindText("BETA"), nullptr);
  doc_->GetRoute().Remove(doc_->GetRoute().GetLast());
  SelectPrintout(doc_->GetSettings(), PrintoutKind::StormAdvisory);
  EXPECT_EQ(PrintRefusal(*doc_), kNoStormAdvisoryMessage);
}

}  // namespace
}  // namespace keelmark
