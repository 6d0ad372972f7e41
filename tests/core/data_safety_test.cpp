// No data lost: stores keep what they replace, special files, day numbers on both sides of
// 2000, settings that would empty the history, and texts the files cannot hold. (The document's
// failed stores and damaged files: document_test; interrupted stores: kill_during_store_test.)
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>

#include "document/keelmark_document.h"
#include "navigation/calendar.h"
#include "navigation/navigation.h"
#include "records/archive_file.h"
#include "records/text_codec.h"
#include "tests/core/test_files.h"
#include "voyage/position_fixes.h"

namespace keelmark {
namespace {

using test::FileText;

namespace fs = std::filesystem;

// --- Stores ---------------------------------------------------------------------------------

TEST(StoreTest, KeepsThePermissionBitsOfThePrivateFileItReplaces) {
  test::ScratchDirectory folder;
  const std::string path = folder.PathOf("vessel.dat");
  ASSERT_TRUE(WriteFileAtomically(path, "old"));
  ASSERT_EQ(::chmod(path.c_str(), 0600), 0);
  ASSERT_TRUE(WriteFileAtomically(path, "new"));
  struct stat status {};
  ASSERT_EQ(::stat(path.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 07777, 0600u);
  EXPECT_EQ(FileText(path), "new");
  EXPECT_FALSE(fs::exists(path + ".tmp"));
}

TEST(StoreTest, DamagedFilesSetAsideInTheSameSecondAreAllKept) {
  test::ScratchDirectory folder;
  const std::string path = folder.PathOf("port.dat");
  const TimeValue now = TimeFromUtcFields({126, 11, 6, 12, 0, 0, 0});
  std::vector<std::string> kept;
  for (const char* content : {"first", "second", "third"}) {
    ASSERT_TRUE(WriteFileAtomically(path, content));
    const auto moved = KeepDamagedFile(path, now);
    ASSERT_TRUE(moved);
    kept.push_back(*moved);
  }
  const std::string stem = path + ".damaged-20261206-120000";
  EXPECT_EQ(kept, (std::vector<std::string>{stem, stem + "-2", stem + "-3"}));
  EXPECT_EQ(FileText(kept[0]) + FileText(kept[1]) + FileText(kept[2]), "firstsecondthird");
}

// --- Special files --------------------------------------------------------------------------

TEST(SpecialFileTest, ANonRegularOrOversizedFileIsRefusedUnread) {
  test::ScratchDirectory folder;
  const std::string fifo = folder.PathOf("pipe.dat");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);  // opening it for reading would wait for ever
  const std::string large = folder.PathOf("large.dat");
  { std::ofstream(large, std::ios::binary) << "x"; }
  fs::resize_file(large, kLargestDataFile + 1);  // sparse: nothing is written
  const struct {
    std::string path;
    const char* reason;
  } cases[] = {
      {fifo, "not a regular file"},
      {folder.PathOf(""), "not a regular file"},
      {large, "larger"},
      {folder.PathOf("missing.dat"), "cannot open"},
  };
  for (const auto& c : cases) {
    std::string error;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(ReadWholeFile(c.path, kLargestDataFile, &error)) << c.path;
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2)) << c.path;
    EXPECT_NE(error.find(c.reason), std::string::npos) << c.path << ": " << error;
    const LoadResult result = LoadArchiveFile(c.path, [](Archive&) {});
    EXPECT_EQ(result.status, LoadStatus::CannotOpen) << c.path;
  }
  // The same size is a real average-weather grid's.
  EXPECT_TRUE(ReadWholeFile(large, kLargestMeteoFile));
}

// --- Dates ----------------------------------------------------------------------------------

TEST(DayNumberTest, TimesBeforeTwoThousandAreNotMirroredIntoTheFuture) {
  const struct {
    CalendarFields fields;
    double dayNumber;
  } cases[] = {
      {{100, 0, 1, 0, 0, 0, 0}, 1.0},                               // 2000-01-01 00:00
      {{99, 11, 30, 12, 0, 0, 0}, -0.5},                            // 1999-12-30 12:00
      {{69, 11, 31, 23, 59, 59, 0}, -10957.0 + 86399.0 / 86400.0},  // 1969-12-31 23:59:59
  };
  const FixedClock clock(TimeFromUtcFields({126, 11, 6, 12, 0, 0, 0}));
  const CNavigation navigation(clock);
  for (const auto& c : cases) {
    EXPECT_NEAR(navigation.DayNumber(c.fields), c.dayNumber, 1e-9) << c.dayNumber;
    // And back to the same second.
    const TimeValue t = TimeFromUtcFields(c.fields);
    EXPECT_EQ(navigation.TimeFromDayNumber(navigation.LocalDayNumber(t)), t) << c.dayNumber;
  }
}

TEST(DayNumberTest, EnteredTimesSpanTwoThousandToTwentyOneHundred) {
  const TimeValue first = test::UtcTime("2000-01-01T00:00:00Z");
  const TimeValue last = test::UtcTime("2100-12-31T23:59:59Z");
  EXPECT_TRUE(IsEnterableTime(first));
  EXPECT_TRUE(IsEnterableTime(last));
  EXPECT_FALSE(IsEnterableTime(first - 1));
  EXPECT_FALSE(IsEnterableTime(last + 1));
  EXPECT_FALSE(IsEnterableTime(kNoTime));
}

TEST(DayNumberTest, AFixMoreThanADayAheadOfTheClockIsCaught) {
  EXPECT_FALSE(FixLiesAhead(100.5, 100.0));
  EXPECT_FALSE(FixLiesAhead(101.0, 100.0));
  EXPECT_TRUE(FixLiesAhead(101.01, 100.0));
  EXPECT_TRUE(FixLiesAhead(10956.0, 9837.0));  // a time of 1969 read with the mirror of old
}

// --- Settings that would empty the history ---------------------------------------------------

TEST(HistoryCleanUpTest, ASettingBelowOneDayKeepsEveryFix) {
  for (const double days : {0.0, -1.0, std::nan(""), 0.5}) {
    HistoryList history;
    for (int i = 0; i < 21; ++i)
      history.Add(std::make_unique<PositionFix>())->SetTime(9800.0 + i * 2);
    PruneHistory(history, days);
    EXPECT_EQ(history.GetCount(), 21) << days;
  }
  EXPECT_FALSE(setting::kHistoryCleanUp.Allows(0));
  EXPECT_TRUE(setting::kHistoryCleanUp.Allows(1));
}

// --- Texts the files cannot hold -------------------------------------------------------------

TEST(LossyTextTest, OnlyTextsWithoutAWindows1252FormAreCaught) {
  const struct {
    const char* text;
    bool held;
  } cases[] = {
      {"Caf\xC3\xA9 \xE2\x82\xAC 5", true},  // é and the euro sign are in Windows-1252
      {"\xF0\x9F\x8C\x8A", false},           // an emoji
      {"\xE6\x9D\xB1\xE4\xBA\xAC", false},   // CJK
      {"\xC3", false},                       // malformed
  };
  for (const auto& c : cases) EXPECT_EQ(Cp1252HoldsAll(c.text), c.held) << c.text;
}

}  // namespace
}  // namespace keelmark
