#include "document/keelmark_document.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "navigation/calendar.h"
#include "navigation/clock.h"
#include "tests/core/document_fixture.h"

namespace keelmark {
namespace {

namespace fs = std::filesystem;

// A data folder with every data file present (empty lists, a default vessel).
class DocumentTest : public test::DocumentFixture {
 protected:
  DocumentTest() { WriteEmptyDataFiles(); }

  void WriteBytes(const std::string& name, const Archive::Bytes& bytes) const {
    std::ofstream(PathOf(name), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
  }
  std::vector<std::string> MessageTexts() const {
    std::vector<std::string> texts;
    for (const auto& m : prompter_.Messages()) texts.push_back(m.text);
    return texts;
  }
};

TEST_F(DocumentTest, AllFilesPresentLoadsQuietlyAndStoresThemBack) {
  { auto doc = Open(); }
  EXPECT_TRUE(prompter_.Messages().empty());
  EXPECT_TRUE(prompter_.FileChoices().empty());
  // The settings were written at the end.
  EXPECT_EQ(store_.Lookup("Settings", "HasListSelected"), std::optional<std::string>("1"));
}

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

TEST_F(DocumentTest, HistoryIsPrunedAndThePresentPositionTakenFromTheLatestFix) {
  HistoryList history;
  for (const double day : {9800.0, 9830.0, 9836.5}) {
    auto fix = std::make_unique<PositionFix>();
    fix->SetTime(day);
    fix->SetLatitude(day - 9800.0);
    fix->CourseMadeGood = 45.0;
    fix->SpeedMadeGood = 12.0;
    history.Add(std::move(fix));
  }
  ASSERT_TRUE(StoreArchiveFile(PathOf("voyage.dat"), [&](Archive& a) { history.Serialize(a); }));
  auto doc = Open();
  // The default history period is 7 days before the latest fix.
  EXPECT_EQ(doc->GetHistory().GetCount(), 2);
  EXPECT_DOUBLE_EQ(doc->PresentPosition().GetLatitude(), 36.5);
  EXPECT_DOUBLE_EQ(doc->GetSecondFix().SpeedMadeGood, 12.0);
}

TEST_F(DocumentTest, RouteDocumentRoundTripAndDamagedRouteChangesNothing) {
  const std::string route = PathOf("atlantic.q3v");
  {
    auto doc = Open();
    for (int i = 0; i < 3; ++i) {
      auto w = std::make_unique<Waypoint>();
      w->SetName("WP" + std::to_string(i));
      w->SetLatitude(50.0 - i);
      doc->GetRoute().Add(std::move(w));
    }
    doc->GetRoute().GetFirst()->SetTime(9837.0);
    doc->GetRoute().GetLast()->SetScheduledTime(9838.0);
    doc->GetRoute().UseForecastAreas = 1;
    doc->GetCharts().Add(std::make_unique<Chart>());
    ASSERT_TRUE(doc->SaveRouteDocument(route));
  }
  auto doc = Open();
  ASSERT_TRUE(doc->OpenRouteDocument(route).Ok());
  ASSERT_EQ(doc->GetRoute().GetCount(), 3);
  EXPECT_EQ(doc->GetRoute().GetAt(1)->GetName(), "WP1");
  EXPECT_EQ(doc->GetCharts().GetCount(), 1);
  EXPECT_EQ(doc->GetRoute().UseForecastAreas, 0);  // not kept in the file
  // The voyage was calculated on opening.
  EXPECT_NEAR(doc->GetRoute().GetLast()->LegDistance, 60.0, 1e-6);

  auto bytes = *ReadWholeFile(route);
  bytes.resize(bytes.size() / 2);
  WriteBytes("half.q3v", bytes);
  const LoadResult damaged = doc->OpenRouteDocument(PathOf("half.q3v"));
  EXPECT_EQ(damaged.status, LoadStatus::Damaged);
  EXPECT_EQ(doc->GetRoute().GetCount(), 3);
  EXPECT_EQ(doc->GetCharts().GetCount(), 1);
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

TEST_F(DocumentTest, ExportThenImportOfAnItem) {
  auto doc = Open();
  auto storm = std::make_unique<Storm>();
  storm->SetName("ALPHA");
  doc->GetStorms().Add(std::move(storm));
  doc->SetCategory(Category::Storms);
  doc->selectedRow = 0;
  ASSERT_TRUE(doc->ExportSelectedRecord(PathOf("alpha.dat")));
  ASSERT_TRUE(doc->ImportRecord(PathOf("alpha.dat")));
  ASSERT_EQ(doc->GetStorms().GetCount(), 2);
  EXPECT_EQ(doc->GetStorms().GetAt(1)->GetName(), "ALPHA");

  doc->selectedRow = -1;
  ASSERT_TRUE(doc->ExportSelectedRecord(PathOf("none.dat")));
  EXPECT_TRUE(ReadWholeFile(PathOf("none.dat"))->empty());
  EXPECT_FALSE(doc->ImportRecord(PathOf("none.dat")));  // nothing to read: nothing inserted
  EXPECT_EQ(doc->GetStorms().GetCount(), 2);
  EXPECT_FALSE(doc->ImportRecord(PathOf("missing.dat")));
  EXPECT_EQ(MessageTexts().back(), "Error reading file " + PathOf("missing.dat"));
}

}  // namespace
}  // namespace keelmark
