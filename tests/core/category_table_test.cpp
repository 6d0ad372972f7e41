#include "reports/category_table.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>

#include "document/keelmark_document.h"
#include "navigation/calendar.h"
#include "navigation/clock.h"
#include "navigation/navigation.h"
#include "navigation/text_format.h"
#include "records/route_document.h"
#include "tests/core/document_fixture.h"
#include "voyage/voyage_calculation.h"

namespace keelmark {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct ZoneCase {
  double hours;
  const char* text;
};

class ZoneTexts : public testing::TestWithParam<ZoneCase> {};

TEST_P(ZoneTexts, LocalTimeColumnNamesTheOffset) {
  EXPECT_EQ(ZoneText(GetParam().hours), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Offsets, ZoneTexts,
                         testing::Values(ZoneCase{-0.0, "UTC"}, ZoneCase{-5.0, "UTC -5.0 hrs"},
                                         ZoneCase{5.5, "UTC + 5.5 hrs"},
                                         ZoneCase{-12.0, "UTC -12.0 hrs"}, ZoneCase{kNaN, "NA"}));

// A document on an empty data folder (every file present and empty, a default vessel) at a
// fixed "now" of 6 December 2026 12:00 UTC.
class CategoryTableTest : public test::DocumentFixture {
 protected:
  CategoryTableTest() {
    WriteEmptyDataFiles();
    doc_ = Open();
  }

  // 1 December 2026 00:00 UTC plus some days.
  static double Day(double days) {
    return CNavigation().LocalDayNumber(TimeFromUtcFields({126, 11, 1, 0, 0, 0, 0})) + days;
  }

  // Four waypoints on the equator one degree apart (60 nM legs): departure at Day(0), arrival
  // at Day(1); zone offsets 0, 0, +1 and -5 hours; the last leg by great circle.
  void MakeRoute(int count = 4) {
    const double zones[] = {0.0, 0.0, 1.0, -5.0};
    for (int i = 0; i < count; ++i) {
      auto w = std::make_unique<Waypoint>();
      w->SetName("WP" + std::to_string(i));
      w->SetLatitude(0.0);
      w->SetLongitude(i);
      w->SetZoneHours(zones[i]);
      w->UseVoyageWeather = 0;
      w->Weather.WindDirection = 45.0;
      w->Weather.WindSpeed = 12.0;
      doc_->GetRoute().Add(std::move(w));
    }
    Waypoint* first = doc_->GetRoute().GetFirst();
    first->SetTime(Day(0));
    first->SetScheduledTime(Day(0));
    first->SetRequiredTime(Day(0));
    doc_->GetRoute().GetLast()->SetScheduledTime(Day(1));
    doc_->GetRoute().GetLast()->GreatCircle = count > 1 ? 1 : 0;
    doc_->UpdateVoyage(VoyageStart::Departure);
  }

  PositionFix* AddFix(double longitude, double time) {
    auto fix = std::make_unique<PositionFix>();
    fix->SetLatitude(0.0);
    fix->SetLongitude(longitude);
    fix->SetTime(time);
    fix->CourseMadeGood = 90.0;
    fix->SpeedMadeGood = 7.5;
    return doc_->GetHistory().Add(std::move(fix));
  }

  // What the list does: the document brings what it shows up to date, the fill only reads.
  Table Fill(Category category) {
    doc_->UpdateForList(category);
    return FillCategory(*doc_, category);
  }

  std::unique_ptr<CKeelmarkRouteXPDoc> doc_;
};

using Cells = std::array<std::string, kListColumnCount>;

TEST_F(CategoryTableTest, UnderWayWaypointsBehindThePresentPositionArePassed) {
  MakeRoute();
  doc_->GetSettings().underWay = 0;
  // Half way, between WP1 (due at Day(1/3)) and WP2.
  AddFix(1.6, Day(0.5));
  const Table waypoints = Fill(Category::Waypoints);
  EXPECT_EQ(doc_->GetSettings().underWay, 1);
  ASSERT_EQ(waypoints.rows.size(), 4u);
  const int images[] = {kImagePassed, kImagePassed, kImageWaypoint, kImageWaypoint};
  for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(waypoints.rows[i].image, images[i]) << i;
  EXPECT_EQ(waypoints.rows[0].cells[4], "-");
  EXPECT_EQ(waypoints.rows[3].cells[4], "90. deg (GRC)");

  const Table schedule = Fill(Category::Schedule);
  ASSERT_EQ(schedule.rows.size(), 4u);
  EXPECT_EQ(schedule.rows[1].image, kImagePassed);
  EXPECT_EQ(schedule.rows[1].cells, (Cells{"WP1", "NA", "", "", "", "", "", ""}));
  EXPECT_EQ(schedule.rows[3].image, kImageWaypoint);
  // The last waypoint arrives at the scheduled arrival, Day(1) = 2 December 00:00 UTC, read at
  // UTC -5.
  EXPECT_EQ(schedule.rows[3].cells[1], "01 Dec 19:00 LT");
  EXPECT_EQ(schedule.rows[3].cells[5], "       0.0 nM");
}

TEST_F(CategoryTableTest, BeforeDepartureNothingIsPassedAndEveryScheduleRowHasItsEta) {
  MakeRoute();
  doc_->GetSettings().underWay = 1;
  AddFix(0.0, Day(-1));
  const Table waypoints = Fill(Category::Waypoints);
  EXPECT_EQ(doc_->GetSettings().underWay, 0);
  for (const Row& row : waypoints.rows) EXPECT_EQ(row.image, kImageWaypoint) << row.cells[0];
  const Table schedule = Fill(Category::Schedule);
  for (const Row& row : schedule.rows) {
    EXPECT_EQ(row.image, kImageWaypoint);
    EXPECT_NE(row.cells[1], "NA");
    EXPECT_NE(row.cells[4], "");
  }
  EXPECT_EQ(schedule.rows[0].cells[1], "01 Dec 00:00 LT");
}

TEST_F(CategoryTableTest, DepartureIsComparedInUtcWhateverTheZones) {
  // Regression: comparing local readings put a departure at UTC+3 three hours late, so a ship
  // half an hour out was still planned from the departure.
  MakeRoute();
  doc_->GetRoute().GetFirst()->SetZoneHours(3.0);
  doc_->GetSettings().underWay = 0;
  AddFix(0.1, Day(0) + 0.5 / 24.0);
  (void)Fill(Category::Waypoints);
  EXPECT_EQ(doc_->GetSettings().underWay, 1);
}

TEST_F(CategoryTableTest, OneWaypointShowsNoLegAndAnEmptyRouteNoRows) {
  EXPECT_TRUE(Fill(Category::Waypoints).rows.empty());
  EXPECT_TRUE(Fill(Category::Schedule).rows.empty());
  MakeRoute(1);
  const Table table = Fill(Category::Waypoints);
  ASSERT_EQ(table.rows.size(), 1u);
  EXPECT_EQ(table.rows[0].cells[4], "-");
  EXPECT_EQ(table.rows[0].cells[5], "-");
}

TEST_F(CategoryTableTest, ScheduleRemainingIsEachWaypointsDistanceToTheLast) {
  // A zig-zag of mixed legs, long enough that a row taking another row's figure shows.
  for (int i = 0; i < 40; ++i) {
    auto w = std::make_unique<Waypoint>();
    w->SetName("Z" + std::to_string(i));
    w->SetLatitude(i % 2 == 0 ? 10.0 : 12.5);
    w->SetLongitude(170.0 + 0.7 * i);  // runs across the date line
    w->GreatCircle = i % 3 == 0 ? 1 : 0;
    w->UseVoyageWeather = 0;
    doc_->GetRoute().Add(std::move(w));
  }
  doc_->GetRoute().GetFirst()->SetTime(Day(0));
  doc_->GetRoute().GetLast()->SetScheduledTime(Day(10));
  AddFix(170.0, Day(-1));
  const Table schedule = Fill(Category::Schedule);
  ASSERT_EQ(schedule.rows.size(), 40u);
  std::size_t row = 0;
  for (const auto& waypoint : doc_->GetRoute()) {
    EXPECT_EQ(schedule.rows[row].cells[5],
              FormatNumber("%#10.1f nM", DistanceToArrival(doc_->GetRoute(), waypoint.get())))
        << row;
    ++row;
  }
}

TEST_F(CategoryTableTest, ImpossibleScheduleShowsNotAvailable) {
  MakeRoute();
  // Arrival at the departure: no time to sail, every speed is a division by zero.
  doc_->GetRoute().GetLast()->SetScheduledTime(Day(0));
  AddFix(0.0, Day(-1));
  const Table schedule = Fill(Category::Schedule);
  EXPECT_EQ(schedule.rows[2].cells[3], "NA");
  EXPECT_EQ(schedule.rows[2].cells[4], "NA");
}

TEST_F(CategoryTableTest, HistoryMarksFixesAfterTheDepartureAndShowsNonFiniteAsNA) {
  AddFix(0.0, Day(-0.5));
  PositionFix* later = AddFix(0.5, Day(0.25));
  later->SetZoneHours(1.0);
  later->EngineRpm = 85.0;
  // Without a route the latest fix is the reference: nothing is later than it.
  for (const Row& row : Fill(Category::History).rows) EXPECT_EQ(row.image, kImageFix);

  MakeRoute();
  Table history = Fill(Category::History);
  ASSERT_EQ(history.rows.size(), 2u);
  EXPECT_EQ(history.rows[0].image, kImageFix);
  EXPECT_EQ(history.rows[1].image, kImageNewFix);
  EXPECT_EQ(history.rows[1].cells[0], "01 Dec 07:00 LT");
  later->CourseMadeGood = kNaN;
  later->SetTime(kNaN);
  history = Fill(Category::History);
  EXPECT_EQ(history.rows[1].cells[0], "NA");
  EXPECT_EQ(history.rows[1].cells[4], "NA");
}

TEST_F(CategoryTableTest, ChartsAndPublicationsShareOneListButEachShowsItsKind) {
  const char* names[] = {"P0", "C0", "P1", "C1"};
  for (int i = 0; i < 4; ++i) {
    auto chart = std::make_unique<Chart>();
    chart->SetName(names[i]);
    chart->IsChart = i % 2;
    chart->Projection = i == 3 ? 1 : 0;
    doc_->GetCharts().Add(std::move(chart));
  }
  const Table charts = Fill(Category::Charts);
  ASSERT_EQ(charts.rows.size(), 2u);
  EXPECT_EQ(charts.rows[1].cells[0], "C1");
  EXPECT_EQ(charts.rows[1].cells[5], "Gnomonic");
  const Table publications = Fill(Category::Publications);
  ASSERT_EQ(publications.rows.size(), 2u);
  EXPECT_EQ(publications.rows[1].cells[0], "P1");
}

TEST_F(CategoryTableTest, InboundDistanceNeedsTwoTrajectPoints) {
  for (int points = 0; points < 3; ++points) {
    auto port = std::make_unique<Port>();
    port->SetZoneHours(-5.0);
    for (int i = 0; i < points; ++i) {
      auto w = std::make_unique<Waypoint>();
      w->SetLatitude(0.0);
      w->SetLongitude(i * 0.5);
      port->InboundTraject.Add(std::move(w));
    }
    doc_->GetPorts().Add(std::move(port));
  }
  const Table ports = Fill(Category::Ports);
  ASSERT_EQ(ports.rows.size(), 3u);
  EXPECT_EQ(ports.rows[0].cells[4], "?");
  EXPECT_EQ(ports.rows[1].cells[4], "?");
  EXPECT_EQ(ports.rows[2].cells[4], "30.0 nM");
}

// The fill only reads: on a document that is not up to date (the fix says under way, the flag
// says not, the present position is not yet taken from the fix), bringing anything up to date
// inside a fill would show in the bytes of the route, history, present position or settings.
TEST_F(CategoryTableTest, FillingAListChangesNeitherTheDocumentNorTheSettings) {
  MakeRoute();
  AddFix(1.6, Day(0.5));
  doc_->GetStorms().Add(std::make_unique<Storm>());
  auto state = [this] {
    Archive archive = Archive::ForStoring();
    SerializeRouteDocument(archive, doc_->GetRoute(), doc_->GetCharts(),
                           doc_->GetReportingPoints());
    doc_->GetHistory().Serialize(archive);
    doc_->PresentPosition().Serialize(archive);
    return std::pair(archive.StoredBytes(), doc_->GetSettings());
  };
  const auto before = state();
  for (int i = 0; i < kCategoryCount; ++i) {
    (void)FillCategory(*doc_, *CategoryFromIndex(i));
    EXPECT_TRUE(state() == before) << kCategoryNames[static_cast<std::size_t>(i)];
  }
  doc_->UpdateForList(Category::Schedule);
  EXPECT_FALSE(state() == before);  // what the document itself does first
}

}  // namespace
}  // namespace keelmark
