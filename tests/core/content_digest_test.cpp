#include "records/content_digest.h"

#include "records/archive.h"
#include "records/archive_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <vector>

namespace keelmark {
namespace {

using Bytes = std::vector<std::uint8_t>;

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

INSTANTIATE_TEST_SUITE_P(Sizes, DigestPieces, testing::Values(1, 3, 7, 8, 9, 64, 999));

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
                    ChangeCase{"MiddleBit", [](Bytes& b) { b[500] ^= 0x10; }},
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
  Archive whole = Archive::ForStoring();
  serialize(whole);
  ContentDigest expected;
  expected.Add(whole.StoredBytes().data(), whole.StoredBytes().size());
  EXPECT_TRUE(DigestOfStored(serialize) == expected);
  EXPECT_FALSE(DigestOfStored([](Archive& a) { a.WriteI32(1); }) == expected);
}

}  // namespace
}  // namespace keelmark
