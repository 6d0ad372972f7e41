#include <gtest/gtest.h>

#include <string>

#include "document/gps_source.h"
#include "records/settings_keys.h"
#include "records/settings_store.h"

namespace keelmark {
namespace {

using Kind = GpsSource::Kind;

struct SourceCase {
  const char* text;
  Kind kind;
  const char* path;
  const char* host;
  int port;
  int baud;
  const char* canonical;
};

class GpsSourceTest : public testing::TestWithParam<SourceCase> {};

TEST_P(GpsSourceTest, ReadsAndWritesTheSource) {
  const SourceCase& c = GetParam();
  std::string error;
  const auto source = ParseGpsSource(c.text, error);
  ASSERT_TRUE(source) << c.text << ": " << error;
  EXPECT_EQ(source->kind, c.kind);
  EXPECT_EQ(source->path, c.path);
  EXPECT_EQ(source->host, c.host);
  EXPECT_EQ(source->port, c.port);
  EXPECT_EQ(source->baud, c.baud);
  EXPECT_EQ(source->Text(), c.canonical);
  // The written form reads back to the same source.
  const auto again = ParseGpsSource(source->Text(), error);
  ASSERT_TRUE(again);
  EXPECT_EQ(again->Text(), source->Text());
}

INSTANTIATE_TEST_SUITE_P(
    Sources, GpsSourceTest,
    testing::Values(
        SourceCase{"serial:/dev/ttyUSB0", Kind::kSerial, "/dev/ttyUSB0", "", 0, 4800,
                   "serial:/dev/ttyUSB0@4800"},
        SourceCase{"serial:/dev/ttyS1@38400", Kind::kSerial, "/dev/ttyS1", "", 0, 38400,
                   "serial:/dev/ttyS1@38400"},
        SourceCase{"tcp:bridge.local:10110", Kind::kTcp, "", "bridge.local", 10110, 4800,
                   "tcp:bridge.local:10110"},
        SourceCase{"tcp:[::1]:2000", Kind::kTcp, "", "::1", 2000, 4800, "tcp:[::1]:2000"},
        SourceCase{"udp:10110", Kind::kUdp, "", "", 10110, 4800, "udp:10110"},
        SourceCase{"gpsd", Kind::kGpsd, "", "localhost", 2947, 4800, "gpsd:localhost:2947"},
        SourceCase{"gpsd:10.0.0.5:3000", Kind::kGpsd, "", "10.0.0.5", 3000, 4800,
                   "gpsd:10.0.0.5:3000"},
        SourceCase{"file:logs/voyage:1.nmea", Kind::kFile, "logs/voyage:1.nmea", "", 0, 4800,
                   "file:logs/voyage:1.nmea"},
        // A trailing "@digits" is the replay rate, another '@' part of the name.
        SourceCase{"file:voyage.nmea@25", Kind::kFile, "voyage.nmea", "", 0, 4800,
                   "file:voyage.nmea@25"},
        SourceCase{"file:bridge@sea.nmea", Kind::kFile, "bridge@sea.nmea", "", 0, 4800,
                   "file:bridge@sea.nmea"},
        SourceCase{"file:voyage@0", Kind::kFile, "voyage@0", "", 0, 4800, "file:voyage@0"}));

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

struct SettingsCase {
  int transport;
  const char* address;
  int comPort;
  const char* source;  // "" when the settings name none
};

class GpsSourceSettingsTest : public testing::TestWithParam<SettingsCase> {};

TEST_P(GpsSourceSettingsTest, TheOptionsNameTheSource) {
  const SettingsCase& c = GetParam();
  MemorySettingsStore store;
  store.Write(setting::kGpsTransport, c.transport);
  store.Write(setting::kGpsAddress, c.address);
  store.Write(setting::kComDevices[1], "/dev/ttyACM0");
  std::string error;
  const auto source = GpsSourceFromSettings(store, c.comPort, error);
  EXPECT_EQ(source ? source->Text() : "", c.source) << error;
  EXPECT_EQ(error.empty(), source.has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Transports, GpsSourceSettingsTest,
    testing::Values(SettingsCase{0, "ignored", 0, "serial:/dev/ttyUSB0@4800"},
                    SettingsCase{0, "", 1, "serial:/dev/ttyACM0@4800"},
                    SettingsCase{0, "", 2, "serial:/dev/ttyS0@4800"},
                    SettingsCase{0, "", 99, "serial:/dev/ttyS5@4800"},
                    SettingsCase{1, "192.168.1.20:10110", 0, "tcp:192.168.1.20:10110"},
                    SettingsCase{1, "192.168.1.20", 0, ""},
                    SettingsCase{2, "10110", 0, "udp:10110"},
                    SettingsCase{3, "", 0, "gpsd:localhost:2947"},
                    SettingsCase{3, "chartroom:2947", 0, "gpsd:chartroom:2947"},
                    SettingsCase{4, "/var/log/voyage.nmea", 0, "file:/var/log/voyage.nmea"},
                    SettingsCase{4, "", 0, ""}));

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
