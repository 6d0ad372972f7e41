// GPS sources as the options and the command line name them, and the feed that explains why a
// source gives no position.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "document/gps_feed.h"
#include "document/gps_source.h"
#include "records/settings_keys.h"
#include "records/settings_store.h"

namespace keelmark {
namespace {

namespace code = gps_code;

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
        // Ten seconds after the last position it still counts; eleven, not.
        ReadCase{"Fresh", [](GpsFeed& f) { f.Feed(kGga, 1); }, 11, code::kPosition,
                 "/dev/ttyUSB0: receiving"},
        ReadCase{"Stale", [](GpsFeed& f) { f.Feed(kGga, 1); }, 12, code::kSilent,
                 "/dev/ttyUSB0: no data for 11 s"},
        ReadCase{"NothingAtAll", [](GpsFeed&) {}, 25, code::kSilent,
                 "/dev/ttyUSB0: no data for 25 s"},
        ReadCase{"JustOpened", [](GpsFeed&) {}, 3, code::kNoData, "/dev/ttyUSB0: no data yet"},
        ReadCase{"OtherSentenceOnly", [](GpsFeed& f) { f.Feed(kRmc, 4); }, 6, code::kNoSentence,
                 "/dev/ttyUSB0: no GGA sentence for 6 s"},
        ReadCase{"FixLost",
                 [](GpsFeed& f) {
                   f.Feed(kGga, 1);
                   f.Feed(kGgaNoFix, 2);
                 },
                 3, code::kNoFix, "/dev/ttyUSB0: the receiver has no fix"},
        ReadCase{"MostlyDamaged",
                 [](GpsFeed& f) {
                   for (int i = 0; i < 30; ++i) f.Feed(i % 10 < 7 ? kGgaDamaged : kRmc, 1);
                 },
                 2, code::kChecksumErrors, "/dev/ttyUSB0: checksum errors: 14 of the last 20"},
        // A source that fails is named at once, whatever it gave before.
        ReadCase{"SourceFailed",
                 [](GpsFeed& f) {
                   f.Feed(kGga, 1);
                   f.Fail(code::kCannotOpen,
                          "permission denied (is the user in the dialout group?)");
                 },
                 2, code::kCannotOpen,
                 "/dev/ttyUSB0: permission denied (is the user in the dialout group?)"},
        ReadCase{"ReopenedAfterFailure",
                 [](GpsFeed& f) {
                   f.Fail(code::kConnectionLost, "connection lost");
                   f.Opened(20);
                 },
                 21, code::kNoData, "/dev/ttyUSB0: no data yet"}),
    [](const testing::TestParamInfo<ReadCase>& row) { return std::string(row.param.name); });

// (The chosen sentence's position, whole across reads: the CLI's gps read and the NMEA
// decoder's tests.)
// (What the feed counts: the summary of the CLI's gps read.)

// --- Sources ---

// The unusual forms; the usual ones of each kind are read end to end by the CLI's gps tests.
TEST(GpsSource, ReadsAndWritesTheSource) {
  const struct {
    const char* text;
    const char* place;  // the path, or the host
    const char* canonical;
  } cases[] = {{"serial:/dev/ttyUSB0", "/dev/ttyUSB0", "serial:/dev/ttyUSB0@4800"},
               {"tcp:[::1]:2000", "::1", "tcp:[::1]:2000"},
               {"gpsd", "localhost", "gpsd:localhost:2947"},
               {"file:logs/voyage:1.nmea", "logs/voyage:1.nmea", "file:logs/voyage:1.nmea"},
               // A trailing "@digits" is the replay rate, another '@' part of the name.
               {"file:bridge@sea.nmea", "bridge@sea.nmea", "file:bridge@sea.nmea"},
               {"file:voyage@0", "voyage@0", "file:voyage@0"}};
  for (const auto& c : cases) {
    std::string error;
    const auto source = ParseGpsSource(c.text, error);
    ASSERT_TRUE(source) << c.text << ": " << error;
    EXPECT_EQ(source->path.empty() ? source->host : source->path, c.place);
    EXPECT_EQ(source->Text(), c.canonical);
    // The written form reads back to the same source.
    const auto again = ParseGpsSource(source->Text(), error);
    ASSERT_TRUE(again) << c.text;
    EXPECT_EQ(again->Text(), source->Text());
  }
}

TEST(GpsSource, RefusesWhatNamesNoSource) {
  for (const char* text :
       {"", "serial:", "serial:/dev/ttyUSB0@", "serial:/dev/ttyUSB0@fast", "serial:@4800",
        "tcp:host", "tcp::10110", "tcp:host:0", "tcp:host:65536", "tcp:host:10110x",
        "udp:", "udp:-1", "udp:port", "gpsd:", "gpsd:host", "file:", "com1", "/dev/ttyUSB0"}) {
    std::string error;
    EXPECT_FALSE(ParseGpsSource(text, error)) << text;
    EXPECT_FALSE(error.empty()) << text;
  }
}

TEST(GpsSourceSettings, TheOptionsNameTheSource) {
  const struct {
    int transport;
    const char* address;
    int comPort;
    const char* source;  // "" when the settings name none
  } cases[] = {{0, "ignored", 0, "serial:/dev/ttyUSB0@4800"},
               {0, "", 1, "serial:/dev/ttyACM0@4800"},
               {0, "", 99, "serial:/dev/ttyS5@4800"},
               {1, "192.168.1.20", 0, ""},
               {3, "", 0, "gpsd:localhost:2947"}};
  for (const auto& c : cases) {
    MemorySettingsStore store;
    store.Write(setting::kGpsTransport, c.transport);
    store.Write(setting::kGpsAddress, c.address);
    store.Write(setting::kComDevices[1], "/dev/ttyACM0");
    std::string error;
    const auto source = GpsSourceFromSettings(store, c.comPort, error);
    EXPECT_EQ(source ? source->Text() : "", c.source) << error;
    EXPECT_EQ(error.empty(), source.has_value());
  }
}

TEST(GpsSourceSettings, AHighSpeedTalkerAndAnEmptyDevice) {
  MemorySettingsStore store;
  store.Write(setting::kGpsBaud, 38400);
  std::string error;
  EXPECT_EQ(GpsSourceFromSettings(store, 0, error)->Text(), "serial:/dev/ttyUSB0@38400");
  store.Write(setting::kComDevices[0], "");
  EXPECT_FALSE(GpsSourceFromSettings(store, 0, error));
  EXPECT_EQ(error, "no serial device is set for COM1");
}

}  // namespace
}  // namespace keelmark
