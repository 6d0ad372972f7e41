// The lists: what each category shows, and its export as a file or a mail body.
#include "reports/category_table.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>

#include "document/keelmark_document.h"
#include "navigation/calendar.h"
#include "navigation/clock.h"
#include "navigation/navigation.h"
#include "navigation/text_format.h"
#include "records/archive_file.h"
#include "records/route_document.h"
#include "reports/list_export.h"
#include "tests/core/document_fixture.h"
#include "voyage/voyage_calculation.h"

namespace keelmark {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

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
  // at Day(1).
  void MakeRoute(int count = 4) {
    for (int i = 0; i < count; ++i) {
      auto w = std::make_unique<Waypoint>();
      w->SetName("WP" + std::to_string(i));
      w->SetLatitude(0.0);
      w->SetLongitude(i);
      doc_->GetRoute().Add(std::move(w));
    }
    Waypoint* first = doc_->GetRoute().GetFirst();
    first->SetTime(Day(0));
    first->SetScheduledTime(Day(0));
    first->SetRequiredTime(Day(0));
    doc_->GetRoute().GetLast()->SetScheduledTime(Day(1));
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

// Before the departure nothing is passed and every schedule row has its ETA; under way, the
// waypoints behind the present position are passed. (The cells: the example's list goldens.)
TEST_F(CategoryTableTest, WaypointsBehindThePresentPositionArePassed) {
  MakeRoute();
  doc_->GetSettings().underWay = 1;
  AddFix(0.0, Day(-1));
  for (const Row& row : Fill(Category::Waypoints).rows) EXPECT_EQ(row.image, kImageWaypoint);
  EXPECT_EQ(doc_->GetSettings().underWay, 0);
  for (const Row& row : Fill(Category::Schedule).rows) {
    EXPECT_EQ(row.image, kImageWaypoint);
    EXPECT_NE(row.cells[1], "NA");
    EXPECT_NE(row.cells[4], "");
  }
  // Half way, between WP1 (due at Day(1/3)) and WP2.
  AddFix(1.6, Day(0.5));
  const Table waypoints = Fill(Category::Waypoints);
  EXPECT_EQ(doc_->GetSettings().underWay, 1);
  const Table schedule = Fill(Category::Schedule);
  ASSERT_EQ(waypoints.rows.size(), 4u);
  ASSERT_EQ(schedule.rows.size(), 4u);
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(waypoints.rows[i].image, i < 2 ? kImagePassed : kImageWaypoint) << i;
    EXPECT_EQ(schedule.rows[i].image, waypoints.rows[i].image) << i;
  }
  EXPECT_EQ(schedule.rows[1].cells, (decltype(Row::cells){"WP1", "NA", "", "", "", "", "", ""}));
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

TEST_F(CategoryTableTest, HistoryMarksFixesAfterTheDepartureAndShowsNonFiniteAsNA) {
  AddFix(0.0, Day(-0.5));
  PositionFix* later = AddFix(0.5, Day(0.25));
  // Without a route the latest fix is the reference: nothing is later than it.
  for (const Row& row : Fill(Category::History).rows) EXPECT_EQ(row.image, kImageFix);

  MakeRoute();
  Table history = Fill(Category::History);
  ASSERT_EQ(history.rows.size(), 2u);
  EXPECT_EQ(history.rows[0].image, kImageFix);
  EXPECT_EQ(history.rows[1].image, kImageNewFix);
  later->CourseMadeGood = kNaN;
  later->SetTime(kNaN);
  history = Fill(Category::History);
  EXPECT_EQ(history.rows[1].cells[0], "NA");
  EXPECT_EQ(history.rows[1].cells[4], "NA");
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
  EXPECT_EQ(ports.rows[0].cells[4] + ports.rows[1].cells[4] + ports.rows[2].cells[4], "??30.0 nM");
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

// --- Export ---

Table TwoRows() {
  Table table;
  table.columns = CategoryColumns(Category::Publications);
  table.rows.push_back(
      {kImageChart, {"NP 136", "01 Mar 2024", "Edition 6", "UKHO", "", "", "", ""}});
  table.rows.push_back({kImageChart, {"Göteborg", "a", "b", "c", "d", "e", "f", "g"}});
  return table;
}

// Every row has eight fields, empty ones too, and CR LF; names leave in Windows-1252. (With a
// tab: the list goldens.)
TEST(ListFileBytes, AnySeparator) {
  EXPECT_EQ(ListFileBytes(TwoRows(), "<>"),
            "NP 136<>01 Mar 2024<>Edition 6<>UKHO<><><><>\r\n"
            "G\xF6teborg<>a<>b<>c<>d<>e<>f<>g\r\n");
}

TEST(ListText, MailBodyKeepsUtf8AndPlainLineEnds) {
  EXPECT_EQ(ListText(TwoRows(), kTextSeparator, "\n").substr(38),
            "Göteborg\ta\tb\tc\td\te\tf\tg\n");
  EXPECT_EQ(ListText(Table{}, kTextSeparator, "\n"), "");
}

TEST(ExportList, CancelWritesNothingAndAFailedWriteSaysSo) {
  test::ScratchDirectory folder;
  ScriptedPrompter prompter;
  prompter.QueueFile(std::nullopt);
  prompter.QueueFile(folder.PathOf("missing-folder/list.txt"));
  prompter.QueueFile(folder.PathOf("list.csv"));

  EXPECT_FALSE(ExportList(TwoRows(), ListFormat::Text, ";", prompter));
  EXPECT_TRUE(prompter.Messages().empty());

  EXPECT_FALSE(ExportList(TwoRows(), ListFormat::Text, ";", prompter));
  ASSERT_EQ(prompter.Messages().size(), 1u);
  EXPECT_EQ(prompter.Messages()[0].text, "Error opening file for writing");
  EXPECT_EQ(prompter.Messages()[0].icon, MessageIcon::Stop);

  EXPECT_TRUE(ExportList(TwoRows(), ListFormat::SeparatedValues, ";", prompter));
  EXPECT_EQ(prompter.FileChoices().at(2).defaultExtension, "csv");
  EXPECT_EQ(test::FileText(folder.PathOf("list.csv")), ListFileBytes(TwoRows(), ";"));
}

}  // namespace
}  // namespace keelmark
