#include "records/archive.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "records/archive_file.h"

namespace keelmark {
namespace {

using Bytes = Archive::Bytes;

Bytes Stored(const std::function<void(Archive&)>& write) {
  Archive archive = Archive::ForStoring();
  write(archive);
  return archive.TakeBytes();
}

TEST(ArchiveEncoding, NumbersAreLittleEndian) {
  EXPECT_EQ(Stored([](Archive& a) { a.WriteI32(0x01020304); }), (Bytes{4, 3, 2, 1}));
  EXPECT_EQ(Stored([](Archive& a) { a.WriteI32(-2); }), (Bytes{0xFE, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(Stored([](Archive& a) { a.WriteFlag(true); }), (Bytes{1, 0, 0, 0}));
  EXPECT_EQ(Stored([](Archive& a) { a.WriteF64(1.0); }), (Bytes{0, 0, 0, 0, 0, 0, 0xF0, 0x3F}));
  EXPECT_EQ(Stored([](Archive& a) { a.WriteF64(10000.0); }),
            (Bytes{0, 0, 0, 0, 0, 0x88, 0xC3, 0x40}));
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
    testing::Values(TextCase{0, 1, {0x00}}, TextCase{12, 13, {12}}, TextCase{254, 255, {254}},
                    TextCase{255, 258, {0xFF, 0xFF, 0x00}},
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

TEST(ArchiveEncoding, EveryFieldTypeRoundTrips) {
  std::int32_t i = -123456;
  double d = -0.1;
  std::string s = "Keelmark";
  bool flag = true;
  TimeValue t = 1796558400;
  Archive out = Archive::ForStoring();
  out.Io(i);
  out.Io(d);
  out.Io(s);
  out.IoFlag(flag);
  out.IoTime(t);
  EXPECT_EQ(out.StoredBytes().size(), 4u + 8u + 9u + 4u + 4u);

  std::int32_t i2 = 0;
  double d2 = 0;
  std::string s2;
  bool flag2 = false;
  TimeValue t2 = 0;
  Archive in = Archive::ForLoading(out.TakeBytes());
  in.Io(i2);
  in.Io(d2);
  in.Io(s2);
  in.IoFlag(flag2);
  in.IoTime(t2);
  EXPECT_EQ(i2, i);
  EXPECT_EQ(d2, d);
  EXPECT_EQ(s2, s);
  EXPECT_EQ(flag2, flag);
  EXPECT_EQ(t2, t);
  EXPECT_TRUE(in.AtEnd());
}

TEST(ArchiveEncoding, NonFiniteDoublesSurvive) {
  for (const double value : {double{NAN}, double{INFINITY}, -double{INFINITY}}) {
    Archive in = Archive::ForLoading(Stored([&](Archive& a) { a.WriteF64(value); }));
    const double back = in.ReadF64();
    EXPECT_EQ(std::isnan(back), std::isnan(value));
    if (!std::isnan(value)) EXPECT_EQ(back, value);
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

TEST(ArchiveCounts, CountThatTheBytesCannotHoldThrows) {
  Archive in = Archive::ForLoading({0xFF, 0xFF, 0xFF, 0x7F, 1, 2, 3, 4, 5, 6, 7, 8});
  EXPECT_THROW((void)in.ReadCount(57), ArchiveError);
}

TEST(ArchiveCounts, NegativeCountIsEmptyAndConsumesFourBytes) {
  Archive in = Archive::ForLoading({0xFE, 0xFF, 0xFF, 0xFF, 9});
  EXPECT_EQ(in.ReadCount(57), 0);
  EXPECT_EQ(in.Remaining(), 1u);
}

class ArchiveFileTest : public testing::Test {
 protected:
  void SetUp() override {
    folder_ =
        std::filesystem::temp_directory_path() /
        ("keelmark-archive-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
         "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }
  std::string PathOf(const char* name) const { return (folder_ / name).string(); }

  std::filesystem::path folder_;
};

TEST_F(ArchiveFileTest, StoreThenLoad) {
  const std::string path = PathOf("numbers.dat");
  ASSERT_TRUE(StoreArchiveFile(path, [](Archive& a) {
    a.WriteI32(7);
    a.WriteText("seven");
  }));
  EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
  std::int32_t number = 0;
  std::string text;
  const LoadResult result = LoadArchiveFile(path, [&](Archive& a) {
    a.Io(number);
    a.Io(text);
  });
  EXPECT_TRUE(result.Ok());
  EXPECT_EQ(number, 7);
  EXPECT_EQ(text, "seven");
}

TEST_F(ArchiveFileTest, MissingFileCannotBeOpenedAndShortFileIsDamaged) {
  EXPECT_EQ(LoadArchiveFile(PathOf("absent.dat"), [](Archive&) {}).status, LoadStatus::CannotOpen);
  const std::string path = PathOf("short.dat");
  std::ofstream(path, std::ios::binary) << "ab";
  const LoadResult result = LoadArchiveFile(path, [](Archive& a) { (void)a.ReadI32(); });
  EXPECT_EQ(result.status, LoadStatus::Damaged);
  EXPECT_FALSE(result.detail.empty());
}

TEST_F(ArchiveFileTest, FailedStoreLeavesTheOldFileWhole) {
  const std::string path = PathOf("kept.dat");
  ASSERT_TRUE(StoreArchiveFile(path, [](Archive& a) { a.WriteI32(1); }));
  // A folder where the temporary file should go makes the write fail before the rename.
  std::filesystem::create_directory(path + ".tmp");
  std::string error;
  EXPECT_FALSE(StoreArchiveFile(
      path, [](Archive& a) { a.WriteI32(2); }, &error));
  EXPECT_FALSE(error.empty());
  std::int32_t value = 0;
  ASSERT_TRUE(LoadArchiveFile(path, [&](Archive& a) { a.Io(value); }).Ok());
  EXPECT_EQ(value, 1);
}

}  // namespace
}  // namespace keelmark
