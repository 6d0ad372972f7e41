// The backup of the Backup page, the scheduler's day, the meteo import's verdict and the
// printed text of a report.
#include "reports/backup_export.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "records/meteo_list.h"
#include "records/settings_keys.h"
#include "reports/meteo_exchange.h"
#include "reports/text_printout.h"
#include "tests/core/document_fixture.h"

namespace keelmark {
namespace {

namespace fs = std::filesystem;
using test::UtcTime;

class BackupTest : public test::DocumentFixture {
 protected:
  BackupTest() {
    CopyExampleData();
    doc_ = Open();
    EXPECT_TRUE(doc_->OpenRouteDocument(PathOf(test::kExampleRoute)).Ok());
    doc_->GetSettings().exportFolder = "backup";
  }
  [[nodiscard]] std::vector<std::string> FilesIn(const std::string& folder) const {
    std::vector<std::string> names;
    if (!fs::is_directory(folder)) return names;
    for (const auto& entry : fs::directory_iterator(folder)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }
  std::unique_ptr<CKeelmarkRouteXPDoc> doc_;
};

// Each check box writes its own lists, named after the list and the UTC day, and nothing else.
TEST_F(BackupTest, EachListWritesOnlyItsFilesNamedWithTheDay) {
  const std::pair<std::int32_t Settings::*, std::vector<std::string>> lists[] = {
      {&Settings::exportHistory, {"history-2026-12-06.csv"}},
      {&Settings::exportMeteo, {"meteo-2026-12-06.csv"}},
      {&Settings::exportForecast, {"forecast-2026-12-06.csv"}},
      {&Settings::exportPublications, {"charts-2026-12-06.csv", "publications-2026-12-06.csv"}},
      {&Settings::exportPorts, {"ports-2026-12-06.csv"}}};
  for (const auto& [flag, files] : lists) {
    SCOPED_TRACE(files[0]);
    fs::remove_all(PathOf("backup"));
    Settings& settings = doc_->GetSettings();
    for (const auto& list : lists) settings.*list.first = list.first == flag ? 1 : 0;
    const BackupResult result = WriteBackup(*doc_, UtcTime("2026-12-06T23:59:00Z"));
    EXPECT_TRUE(result.errors.empty());
    EXPECT_EQ(FilesIn(PathOf("backup")), files);
    ASSERT_EQ(result.written.size(), files.size());
    for (const BackupFile& file : result.written) EXPECT_GT(file.lines, 0u) << file.path;
  }
}

// The meteo backup carries all four seasons in lines the meteo import reads, every one.
TEST_F(BackupTest, MeteoBackupReadsBackWhole) {
  doc_->GetSettings().exportMeteo = 1;
  doc_->GetSettings().convChar = ";";
  const BackupResult result = WriteBackup(*doc_, UtcTime("2026-12-06T12:00:00Z"));
  ASSERT_EQ(result.written.size(), 1u);
  MeteoList restored;
  const std::optional<MeteoImportResult> read =
      ImportMeteoFile(restored, result.written[0].path, ";");
  ASSERT_TRUE(read);
  EXPECT_EQ(read->skipped, 0);
  EXPECT_EQ(read->merged, doc_->GetMeteo().GetCount());
  ASSERT_GT(read->merged, 0);
  const std::string text = test::FileText(result.written[0].path);
  EXPECT_EQ(std::count(text.begin(), text.begin() + text.find('\n'), ';'), 7 + 4 * 8 - 1);
}

// A folder that cannot be made leaves no file and says which one failed; nothing chosen says
// where to choose.
TEST_F(BackupTest, FailuresAndNothingChosenAreSaid) {
  EXPECT_EQ(BackupSummary(WriteBackup(*doc_, UtcTime("2026-12-06T12:00:00Z"))), kNothingToBackUp);
  ASSERT_TRUE(WriteFileAtomically(PathOf("backup"), "a file where the folder should be"));
  doc_->GetSettings().exportPorts = 1;
  const BackupResult result = WriteBackup(*doc_, UtcTime("2026-12-06T12:00:00Z"));
  EXPECT_TRUE(result.written.empty());
  ASSERT_EQ(result.errors.size(), 1u);
  EXPECT_NE(BackupSummary(result).find("Backup not written: "), std::string::npos);
  EXPECT_EQ(test::FileText(PathOf("backup")), "a file where the folder should be");
}

// On the chosen UTC weekday, once. 2026-12-06 is a Sunday (0), 2026-12-07 a Monday.
TEST(BackupDueTest, OnTheChosenUtcWeekdayOnce) {
  const struct {
    std::int32_t run, weekday;
    const char *last, *now;
    bool due;
  } cases[] = {{1, 0, "", "2026-12-06T00:00:00Z", true},
               {1, 0, "2026-12-06", "2026-12-06T23:00:00Z", false},
               {1, 0, "2026-12-06", "2026-12-13T08:00:00Z", true},
               {1, 0, "", "2026-12-07T08:00:00Z", false},
               {0, 0, "", "2026-12-06T08:00:00Z", false},  // scheduler off
               {1, -1, "", "2026-12-06T08:00:00Z", false}};
  for (const auto& c : cases) {
    Settings settings;
    settings.runScheduler = c.run;
    settings.weekdayScheduler = c.weekday;
    EXPECT_EQ(BackupDue(settings, c.last, UtcTime(c.now)), c.due) << c.last << " " << c.now;
  }
}

TEST_F(BackupTest, ScheduledBackupRemembersItsDay) {
  Settings& settings = doc_->GetSettings();
  settings.runScheduler = 1;
  settings.weekdayScheduler = 0;
  settings.exportHistory = 1;
  const TimeValue sunday = UtcTime("2026-12-06T07:00:00Z");
  ASSERT_TRUE(RunScheduledBackup(*doc_, sunday));
  EXPECT_EQ(store_.Read(setting::kLastBackup), "2026-12-06");
  EXPECT_FALSE(RunScheduledBackup(*doc_, sunday + 3600));
}

// "Import succesfully" only when something was merged.
TEST_F(BackupTest, MeteoImportOfNothingIsAFailure) {
  ASSERT_TRUE(WriteFileAtomically(PathOf("rubbish.csv"), "no meteo\r\nhere either\r\n"));
  prompter_.QueueFile(PathOf("rubbish.csv"));
  const std::optional<MeteoImportResult> result = ImportMeteoData(doc_->GetMeteo(), ",", prompter_);
  ASSERT_TRUE(result);
  EXPECT_EQ(prompter_.Messages().back().text, "Import failed\nLines skipped (no meteo data): 2");
  EXPECT_EQ(prompter_.Messages().back().icon, MessageIcon::Exclamation);
}

// A report's lines go down the page in the printouts' font, none straddling a page.
TEST(TextPrintoutTest, LinesGoDownInTheTableFont) {
  std::string text;
  for (int i = 0; i < 80; ++i) text += "LINE " + std::to_string(i) + "\r\n";
  const PageModel page(2870);
  const std::vector<DrawCall> texts = RecordSheet(TextPrintout(text), page).drawing.Texts();
  ASSERT_EQ(texts.size(), 80u);
  EXPECT_EQ(texts[79].text, "LINE 79");
  EXPECT_EQ(texts[0].font.face, "Times New Roman");
  for (std::size_t i = 1; i < texts.size(); ++i) {
    EXPECT_LT(texts[i].y1, texts[i - 1].y1);
    EXPECT_EQ(page.PageOf(texts[i].y1), page.PageOf(texts[i].Bottom() + 1)) << i;
  }
}

}  // namespace
}  // namespace keelmark
