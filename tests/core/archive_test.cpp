#include "records/archive.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

#include "records/archive_file.h"
#include "tests/core/test_files.h"

namespace keelmark {
namespace {

using Bytes = Archive::Bytes;

Bytes Stored(const std::function<void(Archive&)>& write) {
  Archive archive = Archive::ForStoring();
  write(archive);
  return archive.TakeBytes();
}

TEST(ArchiveEncoding, NumbersAreLittleEndian) {
  // (Every other field is pinned by the golden files.)
  EXPECT_EQ(Stored([](Archive& a) { a.WriteI32(-2); }), (Bytes{0xFE, 0xFF, 0xFF, 0xFF}));
  // 2038-01-19 03:14:08 needs the 32nd bit: it is read back unsigned.
  EXPECT_EQ(Stored([](Archive& a) { a.WriteTime(2147483648LL); }), (Bytes{0, 0, 0, 0x80}));
}

struct TextCase {
  std::size_t length;
  std::size_t storedSize;
  Bytes prefix;
};

class TextPrefixTest : public testing::TestWithParam<TextCase> {};

TEST_P(TextPrefixTest, LengthPrefixHasOneThreeOrSevenBytes) {
  const TextCase& c = GetParam();
  const std::string text(c.length, 'x');
  const Bytes bytes = Stored([&](Archive& a) { a.WriteText(text); });
  ASSERT_EQ(bytes.size(), c.storedSize);
  EXPECT_TRUE(std::equal(c.prefix.begin(), c.prefix.end(), bytes.begin()));
  Archive in = Archive::ForLoading(bytes);
  EXPECT_EQ(in.ReadText(), text);
  EXPECT_TRUE(in.AtEnd());
}

INSTANTIATE_TEST_SUITE_P(
    Lengths, TextPrefixTest,
    testing::Values(TextCase{254, 255, {254}}, TextCase{255, 258, {0xFF, 0xFF, 0x00}},
                    TextCase{65533, 65536, {0xFF, 0xFD, 0xFF}},
                    TextCase{65534, 65541, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
                    TextCase{70000, 70007, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}}));

TEST(ArchiveEncoding, TextIsWindows1252InTheFileAndUtf8InMemory) {
  const std::string utf8 = "Gen\xC3\xA8ve \xE2\x82\xAC 5\xC2\xB0";  // "Genève € 5°"
  const Bytes bytes = Stored([&](Archive& a) { a.WriteText(utf8); });
  EXPECT_EQ(bytes, (Bytes{11, 'G', 'e', 'n', 0xE8, 'v', 'e', ' ', 0x80, ' ', '5', 0xB0}));
  Archive in = Archive::ForLoading(bytes);
  EXPECT_EQ(in.ReadText(), utf8);
}

TEST(ArchiveEncoding, NonFiniteDoublesSurvive) {
  for (const double value : {double{NAN}, double{INFINITY}, -double{INFINITY}}) {
    Archive in = Archive::ForLoading(Stored([&](Archive& a) { a.WriteF64(value); }));
    const double back = in.ReadF64();
    EXPECT_EQ(std::isnan(back), std::isnan(value));
    if (!std::isnan(value)) {
      EXPECT_EQ(back, value);
    }
  }
}

TEST(ArchiveErrors, ReadingPastTheEndThrows) {
  Archive in = Archive::ForLoading({1, 2, 3});
  EXPECT_THROW((void)in.ReadI32(), ArchiveError);
  Archive empty = Archive::ForLoading({});
  EXPECT_THROW((void)empty.ReadText(), ArchiveError);
}

TEST(ArchiveErrors, TextLongerThanTheRestThrowsBeforeAllocating) {
  // A 4 GB text length in an 11-byte file.
  Archive in = Archive::ForLoading({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 'a', 'b', 'c', 'd'});
  EXPECT_THROW((void)in.ReadText(), ArchiveError);
}

TEST(ArchiveFile, MissingFileCannotBeOpenedAndShortFileIsDamaged) {
  const test::ScratchDirectory folder;
  EXPECT_EQ(LoadArchiveFile(folder.PathOf("absent.dat"), [](Archive&) {}).status,
            LoadStatus::CannotOpen);
  const std::string path = folder.PathOf("short.dat");
  std::ofstream(path, std::ios::binary) << "ab";
  const LoadResult result = LoadArchiveFile(path, [](Archive& a) { (void)a.ReadI32(); });
  EXPECT_EQ(result.status, LoadStatus::Damaged);
  EXPECT_FALSE(result.detail.empty());
}

}  // namespace
}  // namespace keelmark
