// keelmark gps read on a log file in the test process, and its refusals. (Live sources:
// gps_live_cli_test.)
#include <sstream>
#include <string>
#include <vector>

#include "tests/cli/cli_run.h"

namespace keelmark::cli::test {
namespace {

using nlohmann::json;

const std::vector<std::string> kLog = {
    "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47",
    "$GNRMC,083559.00,A,4717.11437,N,00833.91522,E,0.004,77.52,091202,,,A*49",
    "$PGRME,15.0,M,45.0,M,25.0,M*1C",
    "$GPGGA,,,,,,0,00,99.99,,,,,,*48",
    "$GPGGA,123519,4807.039,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47",
    "!AIVDM,1,1,,A,13u?etPv2;0n:dDPwUM1U1Cb069D,0*24",
    "$GAGLL,5000.000,S,00000.000,E,120000,A,A*4D",
    "$BDGGA,061530.000,3958.1234,N,11623.4567,E,1,10,0.8,50.2,M,-8.1,M,,*62",
};

std::string LogText() {
  std::string text;
  for (const std::string& line : kLog) text += line + "\r\n";
  return text;
}

// The JSON lines of the output: the positions, then the summary.
std::vector<json> Lines(const std::string& out) {
  std::vector<json> lines;
  std::istringstream in(out);
  for (std::string line; std::getline(in, line);) lines.push_back(json::parse(line));
  return lines;
}

std::vector<std::string> Sentences(const std::vector<json>& lines) {
  std::vector<std::string> names;
  for (const json& line : lines) {
    if (line.contains("sentence"))
      names.push_back(line["talker"].get<std::string>() + line["sentence"].get<std::string>());
  }
  return names;
}

struct FileCase {
  const char* name;
  std::vector<std::string> options;
  std::vector<std::string> sentences;
};

class GpsReadFileTest : public testing::TestWithParam<FileCase> {};

TEST_P(GpsReadFileTest, PrintsThePositionsAndASummary) {
  const std::string log = WriteTemp(std::string("gps_") + GetParam().name + ".nmea", LogText());
  std::vector<std::string> args = {"gps", "read", "file:" + log};
  args.insert(args.end(), GetParam().options.begin(), GetParam().options.end());
  const CliOutcome o = RunCliWithInput(args);
  ASSERT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(o.err, "");
  const std::vector<json> lines = Lines(o.out);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(Sentences(lines), GetParam().sentences);
  EXPECT_EQ(lines.back(), json::parse(R"({"summary":{"sentences":8,"positions":4,
      "checksumErrors":1,"skipped":2,"noFix":1,"malformed":0,"dropped":0}})"));
}

INSTANTIATE_TEST_SUITE_P(Files, GpsReadFileTest,
                         testing::Values(FileCase{"All", {}, {"GPGGA", "GNRMC", "GAGLL", "BDGGA"}},
                                         FileCase{"Gga", {"--sentence", "GGA"}, {"GPGGA", "BDGGA"}},
                                         FileCase{"Rmc", {"--sentence=RMC"}, {"GNRMC"}},
                                         FileCase{"Count", {"--count", "2"}, {"GPGGA", "GNRMC"}}),
                         [](const testing::TestParamInfo<FileCase>& row) {
                           return std::string(row.param.name);
                         });

TEST(GpsRead, APositionLineCarriesDegreesUnitsTalkerAndTime) {
  const std::string log = WriteTemp("gps_one.nmea", kLog[1] + "\r\n" + kLog[6] + "\r\n");
  const CliOutcome o = RunCliWithInput({"gps", "read", "file:" + log});
  ASSERT_EQ(o.status, 0) << o.err;
  const std::vector<json> lines = Lines(o.out);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0]["latitudeMilliMinutes"], 2837114);
  EXPECT_EQ(lines[0]["longitudeMilliMinutes"], 513915);
  EXPECT_DOUBLE_EQ(lines[0]["latitude"].get<double>(), 2837114 / 60000.0);
  EXPECT_EQ(lines[0]["time"], "2002-12-09T08:35:59.000Z");
  EXPECT_DOUBLE_EQ(lines[1]["latitude"].get<double>(), -50.0);
  EXPECT_EQ(lines[1]["time"], "12:00:00.000Z");
}

TEST(GpsRead, ALogWithARateIsReplayedAgainAndAgain) {
  const std::string log = WriteTemp("gps_replay.nmea", LogText());
  const CliOutcome o = RunCliWithInput({"gps", "read", "file:" + log + "@200", "--count", "6"});
  ASSERT_EQ(o.status, 0) << o.err;
  // Four positions in the log: the fifth and sixth are its first two again.
  EXPECT_EQ(Sentences(Lines(o.out)),
            (std::vector<std::string>{"GPGGA", "GNRMC", "GAGLL", "BDGGA", "GPGGA", "GNRMC"}));
}

TEST(GpsRead, SaysInOneLineWhyTheSourceCannotBeOpened) {
  const std::pair<std::string, std::string> sources[] = {
      {"file:/nonexistent/voyage.nmea", "/nonexistent/voyage.nmea: no such file"},
      {"serial:/dev/ttyNoSuchDevice", "/dev/ttyNoSuchDevice: no such device"},
      // Nothing listens on port 1 of this machine.
      {"tcp:127.0.0.1:1", "tcp:127.0.0.1:1: Connection refused"}};
  for (const auto& [source, said] : sources) {
    const CliOutcome o = RunCliWithInput({"gps", "read", source, "--timeout", "20"});
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.out, "");
    EXPECT_EQ(o.err, "keelmark: " + said + "\n");
  }
}

// (Wrong usage: nav_cli_test's table of wrong calls.)

}  // namespace
}  // namespace keelmark::cli::test
