#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "document/gps_feed.h"

namespace keelmark {
namespace {

namespace code = gps_code;
using namespace std::string_literals;

constexpr const char* kGga =
    "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n";
constexpr const char* kGgaNoFix = "$GPGGA,,,,,,0,00,99.99,,,,,,*48\r\n";
constexpr const char* kRmc =
    "$GNRMC,083559.00,A,4717.11437,N,00833.91522,E,0.004,77.52,091202,,,A*49\r\n";
constexpr const char* kGgaDamaged =
    "$GPGGA,123519,4807.039,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n";

struct ReadCase {
  const char* name;
  std::function<void(GpsFeed&)> events;  // what the source did, the feed opened at t = 0
  TimeValue readAt;
  int code;
  std::string text;  // Describe(code) after the read
};

class GpsFeedReadTest : public testing::TestWithParam<ReadCase> {};

TEST_P(GpsFeedReadTest, ExplainsWhyThereIsNoPosition) {
  GpsFeed feed("/dev/ttyUSB0");
  feed.Opened(0);
  GetParam().events(feed);
  const GpsReading reading = feed.Read(GetParam().readAt);
  EXPECT_EQ(reading.code, GetParam().code);
  EXPECT_EQ(feed.Describe(reading.code), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Reads, GpsFeedReadTest,
    testing::Values(
        ReadCase{"Fresh", [](GpsFeed& f) { f.Feed(kGga, 1); }, 11, code::kPosition,
                 "/dev/ttyUSB0: receiving"},
        ReadCase{"Stale", [](GpsFeed& f) { f.Feed(kGga, 1); }, 12, code::kSilent,
                 "/dev/ttyUSB0: no data for 11 s"},
        ReadCase{"NothingAtAll", [](GpsFeed&) {}, 25, code::kSilent,
                 "/dev/ttyUSB0: no data for 25 s"},
        ReadCase{"JustOpened", [](GpsFeed&) {}, 3, code::kNoData, "/dev/ttyUSB0: no data yet"},
        ReadCase{"OtherSentenceOnly", [](GpsFeed& f) { f.Feed(kRmc, 4); }, 6, code::kNoSentence,
                 "/dev/ttyUSB0: no GGA sentence for 6 s"},
        ReadCase{"OtherSentenceChosen",
                 [](GpsFeed& f) {
                   f.Choose(NmeaSentenceType::RMC);
                   f.Feed(std::string(kGga) + kRmc, 4);
                 },
                 6, code::kPosition, "/dev/ttyUSB0: receiving"},
        ReadCase{"FixLost",
                 [](GpsFeed& f) {
                   f.Feed(kGga, 1);
                   f.Feed(kGgaNoFix, 2);
                 },
                 3, code::kNoFix, "/dev/ttyUSB0: the receiver has no fix"},
        ReadCase{"FixBack",
                 [](GpsFeed& f) {
                   f.Feed(kGgaNoFix, 1);
                   f.Feed(kGga, 2);
                 },
                 3, code::kPosition, "/dev/ttyUSB0: receiving"},
        ReadCase{"MostlyDamaged",
                 [](GpsFeed& f) {
                   for (int i = 0; i < 30; ++i) f.Feed(i % 10 < 7 ? kGgaDamaged : kRmc, 1);
                 },
                 2, code::kChecksumErrors, "/dev/ttyUSB0: checksum errors: 14 of the last 20"},
        ReadCase{"SourceFailed",
                 [](GpsFeed& f) {
                   f.Feed(kGga, 1);
                   f.Fail(code::kCannotOpen,
                          "permission denied (is the user in the dialout group?)");
                 },
                 2, code::kCannotOpen,
                 "/dev/ttyUSB0: permission denied (is the user in the dialout group?)"},
        ReadCase{"SourceBack",
                 [](GpsFeed& f) {
                   f.Fail(code::kConnectionLost, "connection lost");
                   f.Feed(kGga, 5);
                 },
                 6, code::kPosition, "/dev/ttyUSB0: receiving"},
        ReadCase{"ReopenedAfterFailure",
                 [](GpsFeed& f) {
                   f.Fail(code::kConnectionLost, "connection lost");
                   f.Opened(20);
                 },
                 21, code::kNoData, "/dev/ttyUSB0: no data yet"}),
    [](const testing::TestParamInfo<ReadCase>& row) { return std::string(row.param.name); });

TEST(GpsFeed, GivesTheChosenSentencesLatestPosition) {
  GpsFeed feed("tcp:bridge:10110");
  feed.Opened(0);
  feed.Choose(NmeaSentenceType::RMC);
  feed.Feed(std::string(kRmc) + kGga, 1);
  GpsReading reading = feed.Read(1);
  ASSERT_EQ(reading.code, code::kPosition);
  EXPECT_EQ(reading.latitude, 2837114);
  EXPECT_EQ(reading.longitude, 513915);
  // A sentence cut between two reads of the source still arrives whole.
  feed.Feed("$GPRMC,101010,A,0130.000,S,10345.500,W,12.5,270.0,010126,1.0,E,A*", 2);
  feed.Feed("27\r\n", 3);
  reading = feed.Read(3);
  EXPECT_EQ(reading.latitude, -90000);
  EXPECT_EQ(reading.longitude, -6225500);
}

TEST(GpsFeed, DescribesTheSourcesFailureBeforeAnyRead) {
  // A source that cannot be opened is named at once, before the monitor ever reads.
  GpsFeed feed("/dev/ttyUSB0");
  feed.Fail(code::kCannotOpen, "no such device");
  EXPECT_EQ(feed.Describe(code::kCannotOpen), "/dev/ttyUSB0: no such device");
}

TEST(GpsFeed, CountsEveryKindOfSentence) {
  GpsFeed feed("file:log.nmea");
  int seen = 0;
  feed.onSentence = [&](const NmeaSentence&) { ++seen; };
  feed.Feed(std::string(kGga) + kGga + kRmc + kGgaNoFix + kGgaDamaged +
                "$PGRME,15.0,M,45.0,M,25.0,M*1C\r\n$GPGGA,1,x\r\n\x01\x02$GPGGA,1\x00\r\n"s +
                "$GPGLL,4916.45,N,12311.12,W,225444",
            0);
  feed.Finish(0);
  const GpsFeed::Tally& t = feed.Counts();
  EXPECT_EQ(t.sentences, 8u);
  EXPECT_EQ(seen, 8);
  EXPECT_EQ(t.positions, 4u);
  EXPECT_EQ(t.noFix, 1u);
  EXPECT_EQ(t.badChecksum, 1u);
  EXPECT_EQ(t.malformed, 1u);
  EXPECT_EQ(t.skipped, 1u);
  EXPECT_EQ(t.dropped, 1u);
}

}  // namespace
}  // namespace keelmark
