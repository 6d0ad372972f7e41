// keelmark gps read on a log file in the test process, its refusals, and on a live serial line
// the test starts and stops (a socat pseudo-terminal pair). There the program runs as its own
// process; the test feeds it until it has printed what was asked or a generous deadline passes,
// never sleeping for a fixed time to let it get ready. (TCP that drops the connection, and UDP: the
// GPS monitor's tests, on the same receivers.)
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/cli/cli_run.h"
#include "tests/cli/test_process.h"

namespace keelmark::cli::test {
namespace {

using namespace std::chrono_literals;
using nlohmann::json;

constexpr auto kDeadline = 60s;
constexpr const char* kGga =
    "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n";
constexpr const char* kRmc =
    "$GNRMC,083559.00,A,4717.11437,N,00833.91522,E,0.004,77.52,091202,,,A*49\r\n";

// socat joining two pseudo-terminals in a folder of the test's own: the program reads one end,
// the test writes the other.
class SerialLineTest : public testing::Test {
 protected:
  SerialLineTest()
      : folder_(scratch_.PathOf("")),
        device_(folder_ + "gps"),
        socat_({"socat", "pty,raw,echo=0,link=" + device_,
                "pty,raw,echo=0,link=" + folder_ + "feed"}) {}
  ~SerialLineTest() override {
    if (fd_ >= 0) ::close(fd_);
  }
  void SetUp() override {
    ASSERT_TRUE(socat_.Started()) << "socat could not be started";
    const auto end = std::chrono::steady_clock::now() + kDeadline;
    while (fd_ < 0 && std::chrono::steady_clock::now() < end) {
      if (std::filesystem::exists(device_)) {
        fd_ = ::open((folder_ + "feed").c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK);
      }
      if (fd_ < 0) std::this_thread::sleep_for(20ms);
    }
    ASSERT_GE(fd_, 0) << "socat did not make the pseudo-terminal pair";
  }
  void Write(const std::string& text) const { (void)!::write(fd_, text.data(), text.size()); }
  // Runs gps read on these words, feeding the line until it has ended or the deadline passes;
  // the position lines it printed.
  std::vector<json> ReadWhileFeeding(const std::vector<std::string>& words) {
    const std::string output = folder_ + "out.txt";
    std::vector<std::string> args = {KEELMARK_CLI_PATH, "gps", "read"};
    args.insert(args.end(), words.begin(), words.end());
    Process keelmark(args, output);
    // Noise and a sentence cut by a new one on the line first.
    Write(std::string("\0\xff$GPGGA,1235", 13));
    const auto end = std::chrono::steady_clock::now() + kDeadline;
    while (!keelmark.Done() && std::chrono::steady_clock::now() < end) {
      Write(std::string(kGga) + kRmc);
      std::this_thread::sleep_for(50ms);
    }
    const std::string out = FileText(output);
    EXPECT_TRUE(keelmark.Done() && keelmark.EndedWell()) << out;
    std::vector<json> positions;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);) {
      const json j = json::parse(line, nullptr, false);
      if (j.is_object() && j.contains("sentence")) positions.push_back(j);
    }
    return positions;
  }

  keelmark::test::ScratchDirectory scratch_;  // removed after socat has ended
  std::string folder_;
  std::string device_;
  Process socat_;
  int fd_ = -1;
};

TEST_F(SerialLineTest, IsRead) {
  const std::vector<json> positions = ReadWhileFeeding(
      {"serial:" + device_ + "@38400", "--sentence", "RMC", "--count", "2", "--timeout", "60"});
  ASSERT_EQ(positions.size(), 2u);
  EXPECT_EQ(positions[0]["talker"], "GN");
}

// --- A log file in the test process, and the refusals ---

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

TEST(GpsReadFileTest, PrintsThePositionsAndASummary) {
  // Eight sentences: four positions of four talkers, a proprietary and an AIS sentence, one
  // without a fix and one with a wrong checksum.
  const std::string log = DataPath("gps_read.nmea");
  const std::pair<std::vector<std::string>, std::vector<std::string>> cases[] = {
      {{}, {"GPGGA", "GNRMC", "GAGLL", "BDGGA"}},
      {{"--sentence", "GGA"}, {"GPGGA", "BDGGA"}},
      {{"--sentence=RMC"}, {"GNRMC"}},
      {{"--count", "2"}, {"GPGGA", "GNRMC"}}};
  for (const auto& [options, sentences] : cases) {
    std::vector<std::string> args = {"gps", "read", "file:" + log};
    args.insert(args.end(), options.begin(), options.end());
    const CliOutcome o = RunCliWithInput(args);
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.err, "");
    const std::vector<json> lines = Lines(o.out);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(Sentences(lines), sentences);
    EXPECT_EQ(lines.back(), json::parse(R"({"summary":{"sentences":8,"positions":4,
      "checksumErrors":1,"skipped":2,"noFix":1,"malformed":0,"dropped":0}})"));
  }
}

TEST(GpsRead, APositionLineCarriesDegreesUnitsTalkerAndTime) {
  const std::string log =
      WriteTemp("gps_one.nmea",
                "$GNRMC,083559.00,A,4717.11437,N,00833.91522,E,0.004,77.52,091202,,,A*49\r\n"
                "$GAGLL,5000.000,S,00000.000,E,120000,A,A*4D\r\n");
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

// (Wrong usage: files_cli_test's table of wrong calls.)

}  // namespace
}  // namespace keelmark::cli::test
