// The document: loading and locating the data files, damaged files kept aside, stores that
// fail, the route document; each data file read once and stored only when changed; records
// inserted and removed by category.
#include "document/keelmark_document.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>

#include "document/category_edits.h"
#include "document/category_records.h"
#include "records/port_list.h"
#include "records/storm.h"
#include "records/storm_list.h"
#include "tests/core/document_fixture.h"

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

// (A route saved and opened again: the window's file tests and the golden route files.)
TEST_F(DocumentTest, DamagedRouteDocumentChangesNothing) {
  const std::string route = PathOf("atlantic.q3v");
  auto doc = Open();
  for (int i = 0; i < 3; ++i) doc->GetRoute().Add(std::make_unique<Waypoint>());
  doc->GetCharts().Add(std::make_unique<Chart>());
  ASSERT_TRUE(doc->SaveRouteDocument(route));

  // Cut short, or with bytes after it: damaged, the document and the file stay as they were.
  Archive::Bytes cut = *ReadWholeFile(route);
  Archive::Bytes longer = cut;
  longer.insert(longer.end(), {'j', 'u', 'n', 'k'});
  cut.resize(cut.size() / 2);
  for (const Archive::Bytes& damaged : {cut, longer}) {
    WriteBytes("damaged.q3v", damaged);
    const LoadResult result = doc->OpenRouteDocument(PathOf("damaged.q3v"));
    EXPECT_EQ(result.status, LoadStatus::Damaged);
    EXPECT_EQ(doc->GetRoute().GetCount(), 3);
    EXPECT_EQ(doc->GetCharts().GetCount(), 1);
    EXPECT_EQ(*ReadWholeFile(PathOf("damaged.q3v")), damaged);
  }
  EXPECT_NE(doc->OpenRouteDocument(PathOf("damaged.q3v")).detail.find("4 bytes follow"),
            std::string::npos);
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

// (That an unchanged file is not read again is a matter of speed: bench/.)
TEST_F(DataFileReadsTest, OpeningARouteDocumentReadsAFileChangedOnTheDiskOrInMemory) {
  auto doc = Open();
  // Changed on the disk: one storm where the example has others.
  StormList one;
  one.Add(std::make_unique<Storm>())->SetName("Newcomer");
  ASSERT_TRUE(StoreArchiveFile(PathOf("hurricane.dat"), [&](Archive& a) { one.Serialize(a); }));
  // Changed in memory: the read drops what was not stored, as it always has.
  const int warnings = doc->GetWarnings().GetCount();
  doc->GetWarnings().RemoveAll();
  ASSERT_TRUE(doc->OpenRouteDocument(RoutePath()).Ok());
  ASSERT_EQ(doc->GetStorms().GetCount(), 1);
  EXPECT_EQ(doc->GetStorms().GetFirst()->GetName(), "Newcomer");
  EXPECT_EQ(doc->GetWarnings().GetCount(), warnings);
  doc->Discard();
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

}  // namespace
}  // namespace keelmark
