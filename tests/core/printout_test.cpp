// The printouts as drawing calls: page model, selection, header and footer, and one table of
// cases per printout, read back from a RecordingCanvas.
#include "reports/printout.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "document/keelmark_document.h"
#include "navigation/calendar.h"
#include "navigation/clock.h"
#include "reports/storm_advisory.h"
#include "reports/table_grid.h"
#include "tests/core/document_fixture.h"

namespace keelmark {
namespace {

constexpr int kA4Height = 2870;  // A4 with 5 mm margins, page units
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// 2026-12-06 12:00 UTC as a day number (day 1.0 is 2000-01-01 00:00 UTC).
constexpr double kDay = 9837.5;

// --- Page model --------------------------------------------------------------------------

struct PageCountCase {
  int pageHeight;
  int selectionPages;
  int lowestY;
  int pages;
};

class PageCounts : public testing::TestWithParam<PageCountCase> {};

TEST_P(PageCounts, SelectionCountOrAsManyAsTheDrawingReaches) {
  const PageCountCase& c = GetParam();
  EXPECT_EQ(PageModel(c.pageHeight).PageCount(c.selectionPages, c.lowestY), c.pages);
}

INSTANTIATE_TEST_SUITE_P(
    Sheets, PageCounts,
    testing::Values(PageCountCase{kA4Height, 1, 0, 1},       // empty sheet
                    PageCountCase{kA4Height, 1, -2836, 1},   // the footer's bottom
                    PageCountCase{kA4Height, 2, -2500, 2},   // 20 fixes: the count holds
                    PageCountCase{kA4Height, 1, -2871, 2},   // one unit onto page 2
                    PageCountCase{kA4Height, 3, -8700, 4},   // rows run past the count
                    PageCountCase{2694, 1, -2694 * 5, 5}));  // letter, exactly 5 pages

TEST(PageModel, SelectionAsksForNDiv20PlusOnePages) {
  const int records[] = {0, 19, 20, 45, 2000};
  const int pages[] = {1, 1, 2, 3, 101};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(SelectionPageCount(records[i]), pages[i]) << records[i];
}

struct PlaceCase {
  int pageHeight;
  int top;
  int height;
  int placed;
};

class RowPlacement : public testing::TestWithParam<PlaceCase> {};

TEST_P(RowPlacement, RowsNeverStraddlePagesOrTheFooter) {
  const PlaceCase& c = GetParam();
  EXPECT_EQ(PageModel(c.pageHeight).PlaceRow(c.top, c.height), c.placed);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RowPlacement,
    testing::Values(PlaceCase{kA4Height, -500, 100, -500},
                    PlaceCase{kA4Height, -2650, 100, -2650},        // ends at the footer's top
                    PlaceCase{kA4Height, -2700, 100, -2870 - 200},  // would run into the footer
                    PlaceCase{kA4Height, -5700, 100, -5740 - 200},  // across pages 2 and 3
                    PlaceCase{kA4Height, -5640, 100, -5640},        // ends on page 2's bottom
                    PlaceCase{2694, -2560, 100, -2694 - 200}));     // letter: the footer moved up

// --- The document behind the printouts ---------------------------------------------------

class PrintoutTest : public test::DocumentFixture {
 protected:
  PrintoutTest() : doc_(Open()) { doc_->GetVessel().name = "mv Test Ship"; }

  Waypoint& AddWaypoint(const std::string& name, double latitude, double longitude) {
    auto waypoint = std::make_unique<Waypoint>();
    waypoint->SetName(name);
    waypoint->SetLatitude(latitude);
    waypoint->SetLongitude(longitude);
    waypoint->SetTime(kDay);
    waypoint->SetRequiredTime(kDay);
    waypoint->SetScheduledTime(kDay);
    return *doc_->GetRoute().Add(std::move(waypoint));
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

TEST_F(PrintoutTest, SelectionNamesThePrintout) {
  struct Case {
    int flag;
    int category;
    int alternative;
    std::optional<PrintoutKind> kind;
  };
  const Case cases[] = {{1, 2, -1, PrintoutKind::VoyageSchedule},
                        {1, 5, -1, PrintoutKind::Publications},
                        {1, 10, -1, std::nullopt},
                        {0, 0, 0, PrintoutKind::PlottingSheet},
                        {0, 0, 3, PrintoutKind::Performance},
                        {0, 0, 4, std::nullopt},
                        {2, 0, 0, std::nullopt}};
  for (const Case& c : cases) {
    Settings& settings = doc_->GetSettings();
    settings.hasListSelected = c.flag;
    settings.listSelected = c.category;
    settings.alternativeSelection = c.alternative;
    EXPECT_EQ(SelectedPrintout(settings), c.kind)
        << c.flag << " " << c.category << " " << c.alternative;
  }
  EXPECT_EQ(PrintoutFromName("cover-page"), PrintoutKind::CoverPage);
  EXPECT_EQ(PrintoutFromName("3"), std::nullopt);
}

TEST_F(PrintoutTest, NothingSelectedPrintsAnEmptySheetOfOnePage) {
  doc_->GetSettings().hasListSelected = 1;
  doc_->GetSettings().listSelected = 99;
  const DocumentPrintout printout(*doc_, "");
  const Sheet sheet = RecordSheet(printout, PageModel(kA4Height));
  EXPECT_TRUE(sheet.drawing.Calls().empty());
  EXPECT_EQ(sheet.pageCount, 1);
}

// --- Header and footer -------------------------------------------------------------------

TEST_F(PrintoutTest, HeaderAndFooterFollowThePrintFlags) {
  struct Case {
    int smallLogo, shipsName, date, fileName;
    std::vector<std::string> present;
    std::vector<std::string> absent;
  };
  const std::string printed = "Printed   06 Dec 2026 12:00 LT";
  const Case cases[] = {
      {0, 0, 0, 0, {}, {"Voyageplanning", "mv Test Ship", printed, "/ship/route.q3v"}},
      {1, 0, 1, 0, {printed}, {"Voyageplanning", "/ship/route.q3v"}},
      {0, 1, 0, 1, {"Voyageplanning", "mv Test Ship", "/ship/route.q3v"}, {printed}},
  };
  for (const Case& c : cases) {
    Settings& settings = doc_->GetSettings();
    settings.printIncludeSmallLogo = c.smallLogo;
    settings.printIncludeShipsName = c.shipsName;
    settings.printIncludeDate = c.date;
    settings.printIncludeFileName = c.fileName;
    const RecordingCanvas sheet = Print(PrintoutKind::History);
    for (const std::string& text : c.present) EXPECT_NE(sheet.FindText(text), nullptr) << text;
    for (const std::string& text : c.absent) EXPECT_EQ(sheet.FindText(text), nullptr) << text;
    const bool logo =
        !sheet.Calls().empty() &&
        std::any_of(sheet.Calls().begin(), sheet.Calls().end(), [](const DrawCall& d) {
          return d.kind == DrawCall::Kind::Bitmap && d.x1 == 0 && d.y1 == 0;
        });
    EXPECT_EQ(logo, c.smallLogo == 1);
    EXPECT_NE(sheet.FindText("Master: ..........................(name/signature)"), nullptr);
  }
  EXPECT_EQ(Print(PrintoutKind::History).FindText("/ship/route.q3v")->y1, -2800);
  // On US letter the footer moves up with the page's bottom.
  const RecordingCanvas letter = Print(PrintoutKind::History, 2694);
  EXPECT_EQ(letter.FindText("/ship/route.q3v")->y1, -2800 + 146);
}

TEST_F(PrintoutTest, FooterIsBlackWhateverTheLastRowWas) {
  AddWaypoint("A", 0.0, 0.0);
  AddWaypoint("B", 0.0, 1.0).Weather.WindSpeed = 45.0;  // a red row last
  const RecordingCanvas sheet = Print(PrintoutKind::RouteWeather);
  EXPECT_EQ(sheet.FindText("B")->textColor, kRed);
  EXPECT_EQ(sheet.FindText("Master: ..........................(name/signature)")->textColor,
            kBlack);
}

// --- Waypoint List -----------------------------------------------------------------------

TEST_F(PrintoutTest, WaypointListPagesInGroupsOf20) {
  for (int i = 0; i < 45; ++i) AddWaypoint("WP" + std::to_string(i), 0.0, i * 0.1);
  const RecordingCanvas sheet = Print(PrintoutKind::WaypointList);
  const std::vector<int> tops = RowTops(sheet);
  ASSERT_EQ(tops.size(), 45u);
  struct Case {
    int row;  // from 1
    int top;
  };
  // Row 21 starts 700 below row 20's bottom (-2500), row 41 700 below row 40's (-5200).
  const Case cases[] = {{1, -500}, {20, -2400}, {21, -3200}, {40, -5100}, {41, -5900}, {45, -6300}};
  for (const Case& c : cases) EXPECT_EQ(tops[c.row - 1], c.top) << "row " << c.row;
  EXPECT_EQ(pages_, 3);
  EXPECT_EQ(sheet.FindText("WP20")->y1, -3200 - 30);
}

TEST_F(PrintoutTest, ThousandsOfWaypointsPrintEveryRowOnSomePage) {
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
}

TEST_F(PrintoutTest, EmptyListsPrintTheirHeadsAndNoRows) {
  const PrintoutKind kinds[] = {PrintoutKind::WaypointList,    PrintoutKind::History,
                                PrintoutKind::VoyageSchedule,  PrintoutKind::Warnings,
                                PrintoutKind::ReportingPoints, PrintoutKind::Charts,
                                PrintoutKind::RouteWeather,    PrintoutKind::Storms};
  for (PrintoutKind kind : kinds) {
    const RecordingCanvas sheet = Print(kind);
    EXPECT_TRUE(RowTops(sheet).empty()) << static_cast<int>(kind);
    bool head = false;
    for (const DrawCall& call : sheet.Calls()) {
      head = head || (call.kind == DrawCall::Kind::Rectangle && call.y1 == kHeadTop);
    }
    EXPECT_TRUE(head) << static_cast<int>(kind);
    EXPECT_EQ(pages_, 1);
  }
}

// --- Voyage Schedule ---------------------------------------------------------------------

TEST_F(PrintoutTest, ScheduleFirstRowShowsTheEtaTheOthersTheRequiredTime) {
  AddWaypoint("Dep", 0.0, 0.0).SetTime(kDay + 1.0);           // Mon 07 Dec 12:00
  AddWaypoint("Mid", 0.0, 1.0).SetRequiredTime(kDay + 2.25);  // Tue 08 Dec 18:00
  Waypoint& last = AddWaypoint("Arr", 0.0, 2.0);
  last.SetRequiredTime(kDay + 3.0);
  last.GroundSpeed = 14.25;
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
  const RecordingCanvas sheet = Print(PrintoutKind::VoyageSchedule);
  const std::vector<int> tops = RowTops(sheet);
  ASSERT_EQ(tops.size(), 30u);
  EXPECT_EQ(tops[21], -2600);             // the 22nd row ends 150 above the footer
  EXPECT_EQ(tops[22], -kA4Height - 200);  // the 23rd would reach into it
  EXPECT_EQ(tops[23], -kA4Height - 300);
  EXPECT_EQ(pages_, 2);
}

// --- Warnings and storms -----------------------------------------------------------------

TEST_F(PrintoutTest, StormCpaRowsAreRedInsideTheStormField) {
  AddWaypoint("Dep", 0.0, 0.0).SetTime(kDay);
  Waypoint& arrival = AddWaypoint("Arr", 0.0, 10.0);
  arrival.SetRequiredTime(kDay + 2.0);
  arrival.SetTime(kDay + 2.0);
  struct Case {
    double latitude;  // a storm standing still on the arrival's meridian
    int radius;       // nM
    Color color;
  };
  const Case cases[] = {
      {2.5, 200, kRed},    // 150 nM off the track, inside 200
      {5.0, 200, kBlack},  // 300 nM off
      {0.0, 0, kBlack},    // on the track: a CPA of 0 equals a radius of 0
  };
  for (const Case& c : cases) {
    doc_->GetStorms().RemoveAll();
    auto storm = std::make_unique<Storm>();
    storm->SetName("Storm");
    storm->SetLatitude(c.latitude);
    storm->SetLongitude(10.0);
    storm->SetTime(kDay);
    storm->FieldRadius = c.radius;
    doc_->GetStorms().Add(std::move(storm));
    const RecordingCanvas sheet = Print(PrintoutKind::Storms);
    const DrawCall* cpa = sheet.FindText("CPA");
    ASSERT_NE(cpa, nullptr);
    EXPECT_EQ(cpa->textColor, c.color) << c.latitude << " " << c.radius;
  }
}

TEST_F(PrintoutTest, WarningAndStormBlocksWithoutAVoyage) {
  for (int i = 0; i < 2; ++i) {
    auto warning = std::make_unique<NavWarning>();
    warning->SetName("NAVAREA " + std::to_string(i));
    doc_->GetWarnings().Add(std::move(warning));
    doc_->GetStorms().Add(std::make_unique<Storm>());
  }
  for (PrintoutKind kind : {PrintoutKind::Warnings, PrintoutKind::Storms}) {
    const RecordingCanvas sheet = Print(kind);
    std::vector<int> noVoyage;
    for (const DrawCall& call : sheet.Texts()) {
      if (call.text == "Unable to calculate as no voyage loaded") noVoyage.push_back(call.y1);
    }
    // Blocks of a record row and a CPA row at -520 and 220 lower.
    EXPECT_EQ(noVoyage, (std::vector<int>{-640, -860})) << static_cast<int>(kind);
  }
}

// --- Route weather -----------------------------------------------------------------------

TEST_F(PrintoutTest, RouteWeatherRowsTurnRedAboveTheLimits) {
  struct Case {
    double wind, waves, swell;
    int observations;
    Color color;
    const char* last;
  };
  const Case cases[] = {{30.0, 4.0, 4.0, 0, kBlack, "FORECAST"},
                        {30.1, 0.0, 0.0, 3, kRed, "3 "},
                        {0.0, 0.0, 4.01, 1, kRed, "1 "}};
  for (const Case& c : cases) {
    doc_->GetRoute().RemoveAll();
    WeatherConditions& w = AddWaypoint("Point", 0.0, 0.0).Weather;
    w.WindSpeed = c.wind;
    w.WaveHeight = c.waves;
    w.SwellHeight = c.swell;
    w.ObservationCount = c.observations;
    const RecordingCanvas sheet = Print(PrintoutKind::RouteWeather);
    EXPECT_EQ(sheet.FindText("Point")->textColor, c.color) << c.wind;
    const DrawCall* last = sheet.FindText(c.last);
    ASSERT_NE(last, nullptr) << c.last;
    EXPECT_EQ(last->textColor, c.color);
  }
  EXPECT_NE(Print(PrintoutKind::RouteWeather).FindText("Average Weather"), nullptr);
  doc_->GetRoute().UseForecastAreas = 1;
  EXPECT_NE(Print(PrintoutKind::RouteWeather).FindText("Forecast Weather"), nullptr);
}

// --- Cover page --------------------------------------------------------------------------

TEST_F(PrintoutTest, CoverPageHasNoHeaderOrFooterAndVoyageLinesOnlyForARoute) {
  struct Case {
    int waypoints;
    int bigLogo;
    bool voyageLines;
  };
  for (const Case& c : {Case{0, 1, false}, Case{1, 0, false}, Case{2, 1, true}}) {
    doc_->GetRoute().RemoveAll();
    doc_->GetSettings().printIncludeBigLogo = c.bigLogo;
    for (int i = 0; i < c.waypoints; ++i) AddWaypoint("Port " + std::to_string(i), 0.0, i);
    doc_->GetRoute().VoyageNumber = "V042";
    const RecordingCanvas sheet = Print(PrintoutKind::CoverPage);
    // Black on the page, whatever the opaque blue title left in force.
    EXPECT_EQ(sheet.FindText("mv Test Ship")->textColor, kBlack);
    EXPECT_EQ(sheet.FindText("Voyage V042") != nullptr, c.voyageLines);
    EXPECT_EQ(sheet.FindText("Master: ..........................(name/signature)"), nullptr);
    EXPECT_EQ(!sheet.Calls().empty() && sheet.Calls().front().kind == DrawCall::Kind::Bitmap,
              c.bigLogo == 1);
  }
  EXPECT_NE(Print(PrintoutKind::CoverPage).FindText("SSV    06 Dec 2026 12:00 LT"), nullptr);
}

// --- Performance report ------------------------------------------------------------------

TEST_F(PrintoutTest, PerformanceGraphAxesPolylineAndRequiredSpeed) {
  AddFix(kDay, 10.0);
  AddFix(kDay + 0.25, 12.0);  // 6 h later
  AddFix(kDay + 0.5, 15.0);   // 12 h: the period
  struct Case {
    int from, till;
    double voyageHours;  // departure to scheduled arrival, 60 nM of route
    bool graph;
    bool requiredLine;
  };
  const Case cases[] = {{0, 2, 29.0, true, true},
                        {0, 2, 31.0, true, false},  // 1.9 knots: no line
                        {1, 1, 29.0, false, true}};
  for (const Case& c : cases) {
    doc_->GetRoute().RemoveAll();
    AddWaypoint("Dep", 0.0, 0.0).SetTime(kDay);
    AddWaypoint("Arr", 0.0, 1.0).SetScheduledTime(kDay + c.voyageHours / 24.0);
    doc_->performanceFrom = c.from;
    doc_->performanceTill = c.till;
    const RecordingCanvas sheet = Print(PrintoutKind::Performance);
    std::vector<std::pair<int, int>> points;
    bool red = false;
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
    EXPECT_EQ(sheet.FindText("time") != nullptr, c.graph);
    if (c.graph) {
      // Axes (50,-1200)-(50,-2000)-(1900,-2000), then the speeds at 0, 6 and 12 hours.
      const std::vector<std::pair<int, int>> expected = {
          {50, -2000}, {1900, -2000}, {1000, -2000 + 312}, {1950, -2000 + 390}};
      EXPECT_EQ(points, expected);
    } else {
      EXPECT_NE(sheet.FindText("NA"), nullptr);
    }
  }
}

// --- Plotting sheet and storm advisory --------------------------------------------------------

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
  auto storm = std::make_unique<Storm>();
  storm->SetName("BETA");
  doc_->GetStorms().Add(std::move(storm));
  EXPECT_EQ(PrintRefusal(*doc_), "");
  doc_->selectedRow = 5;  // no such row: the last storm, as lists fall back
  EXPECT_NE(Print(PrintoutKind::StormAdvisory).FindText("BETA"), nullptr);
  doc_->GetRoute().Remove(doc_->GetRoute().GetLast());
  SelectPrintout(doc_->GetSettings(), PrintoutKind::StormAdvisory);
  EXPECT_EQ(PrintRefusal(*doc_), kNoStormAdvisoryMessage);

  EXPECT_EQ(PrintoutFromName("plotting-sheet"), PrintoutKind::PlottingSheet);
  EXPECT_EQ(PrintoutFromName("storm-advisory"), PrintoutKind::StormAdvisory);
}

}  // namespace
}  // namespace keelmark
