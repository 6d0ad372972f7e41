// keelmark gps read on live sources the test starts and stops: a serial line (a socat
// pseudo-terminal pair), and gpsd on such a line. The program runs as its own process; the test
// feeds it until it has printed what was asked or a generous deadline passes, never sleeping
// for a fixed time to let it get ready. (TCP that drops the connection, and UDP: the GPS
// monitor's tests, on the same receivers.)
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/cli/cli_run.h"

extern char** environ;

namespace keelmark::cli::test {
namespace {

using namespace std::chrono_literals;
using nlohmann::json;

constexpr auto kDeadline = 60s;
constexpr const char* kGga =
    "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n";
constexpr const char* kRmc =
    "$GNRMC,083559.00,A,4717.11437,N,00833.91522,E,0.004,77.52,091202,,,A*49\r\n";

// A program started by the test, its output written to a file when one is named, and ended by
// the test when it has not ended by itself.
class Process {
 public:
  explicit Process(const std::vector<std::string>& args, const std::string& output = "") {
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    if (!output.empty()) {
      ::posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT, 0600);
      ::posix_spawn_file_actions_adddup2(&actions, 1, 2);
    }
    started_ = ::posix_spawnp(&pid_, argv[0], &actions, nullptr, argv.data(), environ) == 0;
    ::posix_spawn_file_actions_destroy(&actions);
  }
  ~Process() {
    if (!started_ || Done()) return;
    ::kill(pid_, SIGTERM);
    ::waitpid(pid_, nullptr, 0);
  }
  [[nodiscard]] bool Started() const { return started_; }
  // Whether it has ended; its exit status is then kept.
  bool Done() {
    if (started_ && status_ < 0 && ::waitpid(pid_, &status_, WNOHANG) == 0) status_ = -1;
    return status_ >= 0;
  }
  [[nodiscard]] bool EndedWell() const { return WIFEXITED(status_) && WEXITSTATUS(status_) == 0; }

 private:
  pid_t pid_ = 0;
  bool started_ = false;
  int status_ = -1;
};

// socat joining two pseudo-terminals in a folder of the test's own: the program reads one end,
// the test writes the other.
class SerialLineTest : public testing::Test {
 protected:
  static std::string MadeFolder() {
    const std::string folder =
        testing::TempDir() + "keelmark_gps_pty_" + std::to_string(::getpid());
    std::filesystem::create_directories(folder);
    return folder;
  }
  SerialLineTest()
      : folder_(MadeFolder()),
        device_(folder_ + "/gps"),
        socat_({"socat", "pty,raw,echo=0,link=" + device_,
                "pty,raw,echo=0,link=" + folder_ + "/feed"}) {}
  ~SerialLineTest() override {
    if (fd_ >= 0) ::close(fd_);
    std::filesystem::remove_all(folder_);
  }
  void SetUp() override {
    ASSERT_TRUE(socat_.Started()) << "socat could not be started";
    const auto end = std::chrono::steady_clock::now() + kDeadline;
    while (fd_ < 0 && std::chrono::steady_clock::now() < end) {
      if (std::filesystem::exists(device_)) {
        fd_ = ::open((folder_ + "/feed").c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK);
      }
      if (fd_ < 0) std::this_thread::sleep_for(20ms);
    }
    ASSERT_GE(fd_, 0) << "socat did not make the pseudo-terminal pair";
  }
  void Write(const std::string& text) const { (void)!::write(fd_, text.data(), text.size()); }
  // Runs gps read on these words, feeding the line until it has ended or the deadline passes;
  // the position lines it printed.
  std::vector<json> ReadWhileFeeding(const std::vector<std::string>& words) {
    const std::string output = folder_ + "/out.txt";
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

sockaddr_in Loopback(int port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  return address;
}

// A free TCP port of this machine: bound by the test for a moment, then left to another.
int FreePort() {
  const int s = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address = Loopback(0);
  socklen_t length = sizeof address;
  ::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
  ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
  ::close(s);
  return ntohs(address.sin_port);
}

// True once something accepts TCP connections on the port, before the deadline.
bool Listening(int port) {
  const auto end = std::chrono::steady_clock::now() + kDeadline;
  while (std::chrono::steady_clock::now() < end) {
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    const sockaddr_in address = Loopback(port);
    const bool connected =
        ::connect(s, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(s);
    if (connected) return true;
    std::this_thread::sleep_for(50ms);
  }
  return false;
}

TEST_F(SerialLineTest, ThroughGpsdIsRead) {
  const int free = FreePort();
  const std::string port = std::to_string(free);
  // In the foreground, at once rather than on the first client, never writing to the device.
  const Process gpsd({"gpsd", "-N", "-n", "-b", "-S", port, "-F", folder_ + "/gpsd.sock", device_});
  ASSERT_TRUE(gpsd.Started()) << "gpsd could not be started";
  ASSERT_TRUE(Listening(free)) << "gpsd does not listen";
  const std::vector<json> positions =
      ReadWhileFeeding({"gpsd:127.0.0.1:" + port, "--count", "2", "--timeout", "60"});
  ASSERT_EQ(positions.size(), 2u);
  // gpsd hands on the receiver's own sentences.
  for (const json& position : positions) {
    const int latitude = position["latitudeMilliMinutes"].get<int>();
    EXPECT_TRUE(latitude == 2887038 || latitude == 2837114) << position;
  }
}

}  // namespace
}  // namespace keelmark::cli::test
