// No data lost: stores keep what they replace, special files, day numbers on both sides of
// 2000, settings that would empty the history, texts the files cannot hold, the archive's
// encoding and errors, and the digest of a store. (The document's
// failed stores and damaged files: document_test; interrupted stores: kill_during_store_test.)
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <numeric>

#include "document/keelmark_document.h"
#include "navigation/calendar.h"
#include "navigation/navigation.h"
#include "records/archive.h"
#include "records/archive_file.h"
#include "records/content_digest.h"
#include "records/text_codec.h"
#include "tests/core/archive_bytes.h"
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

TEST(HistoryCleanUpTest, OnlyFixesOlderThanTheSettingGoAndBelowOneDayNoneDoes) {
  for (const double days : {0.0, -1.0, std::nan(""), 0.5}) {
    HistoryList history;
    for (int i = 0; i < 21; ++i)
      history.Add(std::make_unique<PositionFix>())->SetTime(9800.0 + i * 2);
    PruneHistory(history, days);
    EXPECT_EQ(history.GetCount(), 21) << days;
  }
  // Ten days before the last fix (day 9840): the six fixes from day 9830 on stay, in order.
  HistoryList history;
  for (int i = 0; i < 21; ++i)
    history.Add(std::make_unique<PositionFix>())->SetTime(9800.0 + i * 2);
  PruneHistory(history, 10.0);
  ASSERT_EQ(history.GetCount(), 6);
  EXPECT_EQ(history.GetFirst()->GetTime(), 9830.0);
  EXPECT_EQ(history.GetAt(1)->GetTime(), 9832.0);
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

// --- The archive's encoding and errors, and the digest that tells a changed store from the
// bytes that were read. (Every record's layout: the golden files.) ---

using test::Bytes;
using test::Stored;

TEST(ArchiveEncoding, NumbersAreLittleEndian) {
  // (Every other field is pinned by the golden files.)
  EXPECT_EQ(Stored([](Archive& a) { a.WriteI32(-2); }), (Bytes{0xFE, 0xFF, 0xFF, 0xFF}));
  // 2038-01-19 03:14:08 needs the 32nd bit: it is read back unsigned.
  EXPECT_EQ(Stored([](Archive& a) { a.WriteTime(2147483648LL); }), (Bytes{0, 0, 0, 0x80}));
}

TEST(ArchiveText, LengthPrefixHasOneThreeOrSevenBytes) {
  const struct {
    std::size_t length, storedSize;
    Bytes prefix;
  } cases[] = {{254, 255, {254}},
               {255, 258, {0xFF, 0xFF, 0x00}},
               {65533, 65536, {0xFF, 0xFD, 0xFF}},
               {65534, 65541, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
               {70000, 70007, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}}};
  for (const auto& c : cases) {
    const std::string text(c.length, 'x');
    const Bytes bytes = Stored([&](Archive& a) { a.WriteText(text); });
    ASSERT_EQ(bytes.size(), c.storedSize) << c.length;
    EXPECT_TRUE(std::equal(c.prefix.begin(), c.prefix.end(), bytes.begin())) << c.length;
    Archive in = Archive::ForLoading(bytes);
    EXPECT_EQ(in.ReadText(), text);
    EXPECT_TRUE(in.AtEnd()) << c.length;
  }
}

TEST(ArchiveEncoding, TextIsWindows1252InTheFileAndUtf8InMemory) {
  const std::string utf8 = "Gen\xC3\xA8ve \xE2\x82\xAC 5\xC2\xB0";  // "Genève € 5°"
  const Bytes bytes = Stored([&](Archive& a) { a.WriteText(utf8); });
  EXPECT_EQ(bytes, (Bytes{11, 'G', 'e', 'n', 0xE8, 'v', 'e', ' ', 0x80, ' ', '5', 0xB0}));
  Archive in = Archive::ForLoading(bytes);
  EXPECT_EQ(in.ReadText(), utf8);
}

// (NaN and infinite values survive: the golden files and the record round trips.)

TEST(ArchiveErrors, ReadingPastTheEndThrowsBeforeAllocating) {
  Archive in = Archive::ForLoading({1, 2, 3});
  EXPECT_THROW((void)in.ReadI32(), ArchiveError);
  // A 4 GB text length in an 11-byte file.
  Archive text =
      Archive::ForLoading({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 'a', 'b', 'c', 'd'});
  EXPECT_THROW((void)text.ReadText(), ArchiveError);
}

// --- Content digest ---

ContentDigest DigestInPieces(const Bytes& bytes, std::size_t piece) {
  ContentDigest digest;
  for (std::size_t at = 0; at < bytes.size(); at += piece) {
    digest.Add(bytes.data() + at, std::min(piece, bytes.size() - at));
  }
  return digest;
}

Bytes Counting(std::size_t size) {
  Bytes bytes(size);
  std::iota(bytes.begin(), bytes.end(), std::uint8_t{7});
  return bytes;
}

// However the bytes arrive (a whole file, the archive's pieces, odd sizes across the 8-byte
// words), the same bytes give the same digest.
TEST(ContentDigestTest, SameBytesSameDigestWhateverThePieces) {
  const Bytes bytes = Counting(1000);
  for (const std::size_t piece : {1, 7, 9, 999}) {
    EXPECT_TRUE(DigestInPieces(bytes, piece) == DigestInPieces(bytes, bytes.size())) << piece;
  }
}

// The changes a store must not miss: one bit anywhere, two words swapped, a zero byte more or
// less at the end (lengths that fill the same words), an empty file against one zero byte.
TEST(ContentDigestTest, DifferentBytesDifferentDigest) {
  const std::pair<const char*, void (*)(Bytes&)> changes[] = {
      {"first bit", [](Bytes& b) { b[0] ^= 1; }},
      {"last bit", [](Bytes& b) { b.back() ^= 0x80; }},
      {"words swapped",
       [](Bytes& b) { std::swap_ranges(b.begin(), b.begin() + 8, b.begin() + 8); }},
      {"zero byte added", [](Bytes& b) { b.push_back(0); }},
      {"last byte dropped", [](Bytes& b) { b.pop_back(); }},
      {"emptied", [](Bytes& b) { b.assign(1, 0); }}};
  const Bytes original = Counting(1003);
  for (const auto& [name, change] : changes) {
    Bytes changed = original;
    change(changed);
    ASSERT_NE(changed, original) << name;
    EXPECT_FALSE(DigestInPieces(changed, 64) == DigestInPieces(original, 64)) << name;
  }
}

// The digest of a store is the digest of the bytes it would write.
TEST(ContentDigest, OfAStoreIsOfItsBytes) {
  const auto serialize = [](Archive& a) {
    for (std::int32_t i = 0; i < 2000; ++i) {
      a.WriteI32(i);
      a.WriteText(std::string(static_cast<std::size_t>(i % 300), 'x'));
    }
    a.WriteText(std::string(100000, 'y'));  // longer than the buffer a digest passes through
  };
  const Bytes whole = Stored(serialize);
  ContentDigest expected;
  expected.Add(whole.data(), whole.size());
  EXPECT_TRUE(DigestOfStored(serialize) == expected);
  EXPECT_FALSE(DigestOfStored([](Archive& a) { a.WriteI32(1); }) == expected);
}

}  // namespace
}  // namespace keelmark
