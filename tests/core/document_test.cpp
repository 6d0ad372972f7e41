// The document: loading and locating the data files, damaged files kept aside, stores that
// fail, the route document; each data file read once and stored only when changed; records
// inserted and removed by category; the lists and their export.
#include "document/keelmark_document.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <limits>
#include <map>
#include <memory>

#include "document/category_edits.h"
#include "document/category_records.h"
#include "navigation/calendar.h"
#include "navigation/clock.h"
#include "navigation/navigation.h"
#include "navigation/text_format.h"
#include "records/archive_file.h"
#include "records/port_list.h"
#include "records/route_document.h"
#include "records/storm.h"
#include "records/storm_list.h"
#include "reports/category_table.h"
#include "reports/list_export.h"
#include "tests/core/document_fixture.h"
#include "voyage/voyage_calculation.h"

namespace keelmark {
namespace {

namespace fs = std::filesystem;

// A data folder with every data file present (empty lists, a default vessel).
class DocumentTest : public test::DocumentFixture {
 protected:
  DocumentTest() { WriteEmptyDataFiles(); }

  void WriteBytes(const std::string& name, const Archive::Bytes& bytes) const {
    ASSERT_TRUE(WriteFileAtomically(PathOf(name), std::string(bytes.begin(), bytes.end())));
  }
  std::vector<std::string> MessageTexts() const {
    std::vector<std::string> texts;
    for (const auto& m : prompter_.Messages()) texts.push_back(m.text);
    return texts;
  }
};

TEST_F(DocumentTest, FirstStartWithoutFilesLocatesEachInOrderAndGoesOnEmpty) {
  for (const auto& entry : fs::directory_iterator(folder_.PathOf(""))) fs::remove(entry.path());
  { auto doc = Open(); }
  // Seven locate dialogs, in the order the data is loaded, each cancelled.
  ASSERT_EQ(prompter_.FileChoices().size(), 7u);
  const char* names[] = {"vessel", "voyage", "hurricane", "meteo", "warning", "port", "forecast"};
  for (std::size_t i = 0; i < 7; ++i) {
    EXPECT_EQ(prompter_.FileChoices()[i].initialName, names[i]);
  }
  const auto texts = MessageTexts();
  ASSERT_GE(texts.size(), 3u);
  EXPECT_EQ(texts[0], "Unable to load vessel data\nPlease locate data file");
  EXPECT_EQ(texts[1], "Failed to open file\ndata might be corrupt\nCreating new empty datafile");
  // Cancelled dialogs keep the paths, where the new empty data files are created at the end.
  EXPECT_EQ(store_.ReadText("Path", "portinfo", "?"), "port.dat");
  EXPECT_EQ(*ReadWholeFile(PathOf("port.dat")), (Archive::Bytes{0, 0, 0, 0}));
}

TEST_F(DocumentTest, LocatedFileIsLoadedAndItsPathRemembered) {
  fs::rename(PathOf("port.dat"), PathOf("elsewhere.dat"));
  prompter_.QueueFile(PathOf("elsewhere.dat"));
  { auto doc = Open(); }
  EXPECT_EQ(MessageTexts(),
            std::vector<std::string>{"Unable to load port data\nPlease locate data file"});
  EXPECT_EQ(store_.ReadText("Path", "portinfo", ""), PathOf("elsewhere.dat"));
}

TEST_F(DocumentTest, DamagedFileIsKeptAsideWithItsBytesAndNeverOverwritten) {
  // A storm list that claims two records and ends after a few bytes; one whose count (0 or
  // negative) reads as empty but is followed by what it does not account for.
  for (const Archive::Bytes& damaged : {Archive::Bytes{2, 0, 0, 0, 1, 2, 3},
                                        Archive::Bytes{0xFF, 0xFF, 0xFF, 0xFF, 'j', 'u', 'n', 'k'},
                                        Archive::Bytes{0, 0, 0, 0, 0}}) {
    fs::remove(PathOf("hurricane.dat.damaged-20261206-120000"));
    WriteBytes("hurricane.dat", damaged);
    { auto doc = Open(); }
    const std::string kept = PathOf("hurricane.dat.damaged-20261206-120000");
    ASSERT_TRUE(fs::exists(kept)) << damaged.size() << " bytes";
    EXPECT_EQ(*ReadWholeFile(kept), damaged);
    // The locate dialog was cancelled: a new empty list is stored at the path, beside the kept
    // damaged bytes.
    EXPECT_EQ(*ReadWholeFile(PathOf("hurricane.dat")), (Archive::Bytes{0, 0, 0, 0}));
    const auto texts = MessageTexts();
    EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [&](const std::string& text) {
      return text.find(kept) != std::string::npos;
    }));
  }
}

TEST_F(DocumentTest, DamagedFileReplacedByALocatedOneKeepsBoth) {
  WriteBytes("warning.dat", {0xFF, 0xFF, 0xFF, 0x7F});  // a count no file can hold
  prompter_.QueueFile(PathOf("warning.dat"));           // the officer points at the same path
  { auto doc = Open(); }
  // The second attempt found no file (the damaged one was set aside), so an empty list was
  // written at the path only after the damaged bytes were safe.
  EXPECT_EQ(*ReadWholeFile(PathOf("warning.dat.damaged-20261206-120000")),
            (Archive::Bytes{0xFF, 0xFF, 0xFF, 0x7F}));
  EXPECT_EQ(*ReadWholeFile(PathOf("warning.dat")), (Archive::Bytes{0, 0, 0, 0}));
}

TEST_F(DocumentTest, SelectedRecordFollowsCategoryRowAndChartKind) {
  auto doc = Open();
  for (const int isChart : {1, 0, 1, 0}) {
    auto chart = std::make_unique<Chart>();
    chart->IsChart = isChart;
    doc->GetCharts().Add(std::move(chart));
  }
  doc->SetCategory(Category::Charts);
  doc->selectedRow = 1;
  EXPECT_EQ(doc->GetSelectedRecord().position, doc->GetCharts().GetAt(2));
  doc->SetCategory(Category::Publications);
  EXPECT_EQ(doc->GetSelectedRecord().position, doc->GetCharts().GetAt(3));
  doc->selectedRow = 2;
  EXPECT_FALSE(doc->GetSelectedRecord());
  doc->SetCategory(Category::Ports);
  doc->selectedRow = 0;
  EXPECT_FALSE(doc->GetSelectedRecord());  // empty collection
  doc->GetSettings().hasListSelected = 0;
  doc->GetSettings().alternativeSelection = 0;
  EXPECT_EQ(doc->GetSelectedRecord().position, &doc->PresentPosition());
}

// (An item exported and imported again: the window's list tests, for every category.)
TEST_F(DocumentTest, NothingToExportOrImportChangesNothing) {
  auto doc = Open();
  doc->SetCategory(Category::Storms);
  doc->selectedRow = -1;
  ASSERT_TRUE(doc->ExportSelectedRecord(PathOf("none.dat")));
  EXPECT_TRUE(ReadWholeFile(PathOf("none.dat"))->empty());
  EXPECT_FALSE(doc->ImportRecord(PathOf("none.dat")));  // nothing to read: nothing inserted
  EXPECT_FALSE(doc->ImportRecord(PathOf("missing.dat")));
  EXPECT_EQ(doc->GetStorms().GetCount(), 0);
  EXPECT_EQ(MessageTexts().back(), "Error reading file " + PathOf("missing.dat"));
}

// --- Stores that fail, files that cannot be read ---

TEST_F(DocumentTest, AFailedStoreIsReportedWithTheFileAndReason) {
  auto doc = Open();
  // A history with a fix more than was read, so that closing has to store it.
  doc->GetHistory().Add(std::make_unique<PositionFix>());
  fs::create_directory(PathOf("voyage.dat.tmp"));
  EXPECT_FALSE(doc->Close());
  ASSERT_FALSE(prompter_.Messages().empty());
  const std::string text = prompter_.Messages().back().text;
  EXPECT_EQ(text.rfind("Can not store history data:\n", 0), 0u) << text;
  EXPECT_NE(text.find(PathOf("voyage.dat.tmp")), std::string::npos) << text;
}

TEST_F(DocumentTest, AnUnreadableDataFileIsNeverWrittenOver) {
  fs::remove(PathOf("port.dat"));
  fs::create_directory(PathOf("port.dat"));
  EXPECT_FALSE(Open()->Close());
  EXPECT_TRUE(fs::is_directory(PathOf("port.dat")));
}

// --- Each data file is read once per open and stored only when what the records would store
// is not what was read: an unchanged file is neither read again by opening a route document nor
// rewritten on closing, while a change in memory, a change on the disk and a file in an older
// layout still are. ---

constexpr const char* kDataFiles[] = {"vessel.dat",  "voyage.dat", "hurricane.dat", "meteo.dat",
                                      "warning.dat", "port.dat",   "forecast.dat"};

class DataFileReadsTest : public test::DocumentFixture {
 protected:
  DataFileReadsTest() { CopyExampleData(); }

  // Each data file's stamp: a store, even of the same bytes, gives a new one.
  std::map<std::string, FileStamp> Stamps() const {
    std::map<std::string, FileStamp> stamps;
    for (const char* name : kDataFiles) stamps[name] = StampOf(PathOf(name)).value_or(FileStamp{});
    return stamps;
  }
  std::string RoutePath() const { return PathOf(test::kExampleRoute); }
};

// A change to one list in memory stores that file, and only that one. (Opening and closing
// without a change writes nothing: the CLI's reading commands.)
TEST_F(DataFileReadsTest, AChangeInMemoryIsStoredAndNothingElse) {
  const std::pair<const char*, std::function<void(CKeelmarkRouteXPDoc&)>> changes[] = {
      {"hurricane.dat", [](auto& doc) { doc.GetStorms().Add(std::make_unique<Storm>()); }},
      {"meteo.dat", [](auto& doc) { doc.GetMeteo().GetLast()->JunAug.WindSpeed += 0.5; }},
      {"vessel.dat", [](auto& doc) { doc.GetVessel().breadth += 1.0; }},
      {"port.dat", [](auto& doc) { doc.GetPorts().RemoveAll(); }}};
  for (const auto& [file, change] : changes) {
    const auto before = Stamps();
    {
      auto doc = Open();
      change(*doc);
      EXPECT_TRUE(doc->Close());
    }
    const auto after = Stamps();
    for (const char* name : kDataFiles) {
      EXPECT_EQ(after.at(name) == before.at(name), std::string(name) != file) << file << name;
    }
  }
}

TEST_F(DataFileReadsTest, AFileReadInAnOlderLayoutIsStoredInTheCurrentOne) {
  // One port as the older program wrote it (no layout mark, fewer fields).
  Archive::Bytes older = {1, 0, 0, 0};
  const Archive::Bytes port = test::ReadTestData("port_older_layout.bin");
  older.insert(older.end(), port.begin(), port.end());
  ASSERT_TRUE(WriteFileAtomically(PathOf("port.dat"), std::string(older.begin(), older.end())));
  { auto doc = Open(); }
  const auto stored = ReadWholeFile(PathOf("port.dat"));
  ASSERT_TRUE(stored);
  EXPECT_GT(stored->size(), older.size());
  PortList reread;
  ASSERT_TRUE(LoadArchiveFile(PathOf("port.dat"), [&](Archive& a) { reread.Serialize(a); }).Ok());
  ASSERT_EQ(reread.GetCount(), 1);
  EXPECT_EQ(reread.GetFirst()->LayoutMark, 1000);
}

// (That an unchanged file is not read again is a matter of speed: bench/.) Opening a route
// document reads a file changed on the disk, whether the records in memory are compared again or
// taken as they were last read or stored (right after a read or store); a change in memory is
// dropped by the read, as it always has been.
TEST_F(DataFileReadsTest, OpeningARouteDocumentReadsAFileChangedOnTheDiskOrInMemory) {
  for (const DataFilesInMemory inMemory :
       {DataFilesInMemory::MayBeEdited, DataFilesInMemory::AsLastReadOrStored}) {
    auto doc = Open();
    StormList one;
    one.Add(std::make_unique<Storm>())->SetName("Newcomer");
    ASSERT_TRUE(StoreArchiveFile(PathOf("hurricane.dat"), [&](Archive& a) { one.Serialize(a); }));
    const int warnings = doc->GetWarnings().GetCount();
    if (inMemory == DataFilesInMemory::MayBeEdited) doc->GetWarnings().RemoveAll();
    ASSERT_TRUE(doc->OpenRouteDocument(RoutePath(), VoyageStart::AsRead, inMemory).Ok());
    ASSERT_EQ(doc->GetStorms().GetCount(), 1);
    EXPECT_EQ(doc->GetStorms().GetFirst()->GetName(), "Newcomer");
    EXPECT_EQ(doc->GetWarnings().GetCount(), warnings);
    doc->Discard();
  }
}

// --- Records inserted and removed by category ---

// A document on a copy of the example data (every collection holds records), with the
// example's route open and the clock on the example's day.
class CategoryEditsTest : public test::DocumentFixture {
 protected:
  CategoryEditsTest() {
    CopyExampleData();
    doc_ = Open();
    EXPECT_TRUE(doc_->OpenRouteDocument(PathOf(test::kExampleRoute)).Ok());
  }

  // Selects a row of a category the way the list does.
  void Select(Category category, int row) {
    doc_->SetCategory(category);
    doc_->GetSettings().hasListSelected = 1;
    doc_->selectedRow = row;
  }

  std::unique_ptr<CKeelmarkRouteXPDoc> doc_;
};

TEST_F(CategoryEditsTest, NewRecordGoesAfterTheSelectedOneOrAtTheEnd) {
  struct Case {
    Category category;
    int selectedRow;
    int expectedIndex;  // in the collection
  };
  const Case cases[] = {
      {Category::Waypoints, 2, 3}, {Category::Waypoints, -1, 12}, {Category::Schedule, 0, 1},
      {Category::Ports, 4, 5},     {Category::Ports, 99, 12},     {Category::Storms, 0, 1},
      {Category::Warnings, 2, 3},  {Category::Reporting, 1, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.category) * 1000 + c.selectedRow);
    Select(c.category, c.selectedRow);
    const SelectedRecord created = InsertNewRecord(*doc_, c.category);
    ASSERT_NE(created.position, nullptr);
    // Not in the category's collection would be -1.
    EXPECT_EQ(VisitCategoryRecords(*doc_, c.category,
                                   [&](auto records) {
                                     return records.Collection().IndexOf(records.OfClass(created));
                                   }),
              c.expectedIndex);
    EXPECT_TRUE(RemoveRecord(*doc_, c.category, created));
  }
  EXPECT_EQ(doc_->GetRoute().GetCount(), 12);
  EXPECT_EQ(doc_->GetPorts().GetCount(), 12);
}

TEST_F(CategoryEditsTest, ChartsAndPublicationsGetTheirKindAfterTheNthOfTheirKind) {
  // The shared list: chart, publication, chart, publication, chart, chart, publication.
  Select(Category::Publications, 1);  // the second publication, at list index 3
  const SelectedRecord publication = InsertNewRecord(*doc_, Category::Publications);
  auto* newPublication = dynamic_cast<Chart*>(publication.position);
  ASSERT_NE(newPublication, nullptr);
  EXPECT_EQ(doc_->GetCharts().NthPublication(2), newPublication);

  Select(Category::Charts, 0);  // the first chart, at list index 0
  const SelectedRecord chart = InsertNewRecord(*doc_, Category::Charts);
  auto* newChart = dynamic_cast<Chart*>(chart.position);
  ASSERT_NE(newChart, nullptr);
  EXPECT_EQ(doc_->GetCharts().NthChart(1), newChart);

  // Removing either goes through the shared list, whichever category asks.
  EXPECT_TRUE(RemoveRecord(*doc_, Category::Charts, publication));
  EXPECT_TRUE(RemoveRecord(*doc_, Category::Publications, chart));
  EXPECT_EQ(doc_->GetCharts().GetCount(), 7);
}

TEST_F(CategoryEditsTest, ForecastAreaIsAlwaysAppended) {
  Select(Category::Forecast, 0);
  const SelectedRecord created = InsertNewRecord(*doc_, Category::Forecast);
  ASSERT_NE(created.forecast, nullptr);
  EXPECT_EQ(created.position, nullptr);
  EXPECT_EQ(doc_->GetForecasts().GetLast(), created.forecast);
  EXPECT_TRUE(RemoveRecord(*doc_, Category::Forecast, created));
  EXPECT_EQ(doc_->GetForecasts().GetCount(), 3);
}

// A new fix is the proposal with the last fix's draft, rpm and course, or the bare proposal.
TEST_F(CategoryEditsTest, NewFixIsTheProposalWithTheLastFixsDraftRpmAndCourse) {
  PositionFix* last = doc_->GetHistory().GetLast();
  last->DraftAft = 11.7;
  last->EngineRpm = 68.5;
  last->SteeredCourse = 251.0;
  const int before = doc_->GetHistory().GetCount();
  Select(Category::History, 0);  // the selection is not used
  auto* fix = dynamic_cast<PositionFix*>(InsertNewRecord(*doc_, Category::History).position);
  ASSERT_NE(fix, nullptr);
  EXPECT_EQ(doc_->GetHistory().GetLast(), fix);
  EXPECT_EQ(doc_->GetHistory().GetCount(), before + 1);
  EXPECT_DOUBLE_EQ(fix->DraftAft, 11.7);
  EXPECT_DOUBLE_EQ(fix->EngineRpm, 68.5);
  EXPECT_DOUBLE_EQ(fix->SteeredCourse, 251.0);

  doc_->GetHistory().RemoveAll();
  fix = dynamic_cast<PositionFix*>(InsertNewRecord(*doc_, Category::History).position);
  ASSERT_NE(fix, nullptr);
  EXPECT_EQ(doc_->GetHistory().GetCount(), 1);
  EXPECT_DOUBLE_EQ(fix->GetLatitude(), 45.0);
  EXPECT_DOUBLE_EQ(fix->EngineRpm, PositionFix().EngineRpm);
}

TEST_F(CategoryEditsTest, RemovingARecordOfAnotherCollectionChangesNothing) {
  Select(Category::Ports, 0);
  const SelectedRecord port = doc_->GetSelectedRecord();
  ASSERT_TRUE(port);
  EXPECT_FALSE(RemoveRecord(*doc_, Category::Storms, port));
  // The present position is no record of any list.
  SelectedRecord present;
  present.position = &doc_->PresentPosition();
  EXPECT_FALSE(RemoveRecord(*doc_, Category::History, present));
  EXPECT_FALSE(RemoveRecord(*doc_, Category::Forecast, SelectedRecord{}));
  EXPECT_TRUE(RemoveRecord(*doc_, Category::Ports, port));
  EXPECT_EQ(doc_->GetPorts().GetCount(), 11);
}

// --- The lists: what each category shows, and its export as a file or a mail body ---
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
      test::AddAt<Waypoint>(doc_->GetRoute(), 0.0, i, "WP" + std::to_string(i));
    }
    Waypoint* first = doc_->GetRoute().GetFirst();
    first->SetTime(Day(0));
    first->SetScheduledTime(Day(0));
    first->SetRequiredTime(Day(0));
    doc_->GetRoute().GetLast()->SetScheduledTime(Day(1));
    doc_->UpdateVoyage(VoyageStart::Departure);
  }

  PositionFix* AddFix(double longitude, double time) {
    PositionFix* fix = test::AddAt<PositionFix>(doc_->GetHistory(), 0.0, longitude);
    fix->SetTime(time);
    fix->CourseMadeGood = 90.0;
    fix->SpeedMadeGood = 7.5;
    return fix;
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
    // Across the date line.
    Waypoint* w = test::AddAt<Waypoint>(doc_->GetRoute(), i % 2 == 0 ? 10.0 : 12.5, 170.0 + 0.7 * i,
                                        "Z" + std::to_string(i));
    w->GreatCircle = i % 3 == 0 ? 1 : 0;
    w->UseVoyageWeather = 0;
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
  // Every row has eight fields, empty ones too, and CR LF; names leave in Windows-1252. (With a
  // tab: the list goldens.)
  EXPECT_EQ(test::FileText(folder.PathOf("list.csv")),
            "NP 136;01 Mar 2024;Edition 6;UKHO;;;;\r\nG\xF6teborg;a;b;c;d;e;f;g\r\n");
}

}  // namespace
}  // namespace keelmark
