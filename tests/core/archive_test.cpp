// The archive's encoding and errors, and the digest that tells a changed store from the bytes
// that were read. (Every record's layout: the golden files.)
#include "records/archive.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>

#include "records/archive_file.h"
#include "records/content_digest.h"
#include "tests/core/archive_bytes.h"

namespace keelmark {
namespace {

using test::Bytes;
using test::Stored;

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

class DigestPieces : public testing::TestWithParam<std::size_t> {};

// However the bytes arrive (a whole file, the archive's pieces, odd sizes across the 8-byte
// words), the same bytes give the same digest.
TEST_P(DigestPieces, SameBytesSameDigest) {
  const Bytes bytes = Counting(1000);
  EXPECT_TRUE(DigestInPieces(bytes, GetParam()) == DigestInPieces(bytes, bytes.size()));
}

INSTANTIATE_TEST_SUITE_P(Sizes, DigestPieces, testing::Values(1, 7, 9, 999));

struct ChangeCase {
  const char* name;
  void (*change)(Bytes&);
};

class DigestChanges : public testing::TestWithParam<ChangeCase> {};

// The changes a store must not miss: one bit anywhere, two words swapped, a zero byte more or
// less at the end (lengths that fill the same words), an empty file against one zero byte.
TEST_P(DigestChanges, DifferentBytesDifferentDigest) {
  const Bytes original = Counting(1003);
  Bytes changed = original;
  GetParam().change(changed);
  ASSERT_NE(changed, original);
  EXPECT_FALSE(DigestInPieces(changed, 64) == DigestInPieces(original, 64));
}

INSTANTIATE_TEST_SUITE_P(
    Changes, DigestChanges,
    testing::Values(ChangeCase{"FirstBit", [](Bytes& b) { b[0] ^= 1; }},
                    ChangeCase{"LastBit", [](Bytes& b) { b.back() ^= 0x80; }},
                    ChangeCase{"WordsSwapped",
                               [](Bytes& b) {
                                 std::swap_ranges(b.begin(), b.begin() + 8, b.begin() + 8);
                               }},
                    ChangeCase{"ZeroByteAdded", [](Bytes& b) { b.push_back(0); }},
                    ChangeCase{"LastByteDropped", [](Bytes& b) { b.pop_back(); }},
                    ChangeCase{"Emptied", [](Bytes& b) { b.assign(1, 0); }}),
    [](const testing::TestParamInfo<ChangeCase>& row) { return row.param.name; });

// The digest of a store is the digest of the bytes it would write.
TEST(ContentDigest, OfAStoreIsOfItsBytes) {
  const auto serialize = [](Archive& a) {
    for (std::int32_t i = 0; i < 2000; ++i) {
      a.WriteI32(i);
      a.WriteText(std::string(static_cast<std::size_t>(i % 300), 'x'));
    }
  };
  const Bytes whole = Stored(serialize);
  ContentDigest expected;
  expected.Add(whole.data(), whole.size());
  EXPECT_TRUE(DigestOfStored(serialize) == expected);
  EXPECT_FALSE(DigestOfStored([](Archive& a) { a.WriteI32(1); }) == expected);
}

}  // namespace
}  // namespace keelmark
