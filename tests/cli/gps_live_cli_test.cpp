// keelmark gps read on live sources started and stopped by the test: a TCP server that drops
// the connection and takes the next, a UDP sender and a serial line (a socat pseudo-terminal
// pair). The program runs as its own process; the test feeds it until it has printed what was
// asked or a generous deadline passes, never sleeping for a fixed time to let it get ready.
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
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

// The keelmark program run with these arguments on a thread of its own; its output collected.
class CliProcess {
 public:
  explicit CliProcess(const std::vector<std::string>& args) {
    std::string command = KEELMARK_CLI_PATH;
    for (const std::string& a : args) command += " '" + a + "'";
    thread_ = std::thread([this, command] {
      FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
      char buffer[4096];
      std::size_t n = 0;
      while (pipe && (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out_.append(buffer, n);
      status_ = pipe ? ::pclose(pipe) : -1;
      done_ = true;
    });
  }
  ~CliProcess() {
    if (thread_.joinable()) thread_.join();
  }
  [[nodiscard]] bool Done() const { return done_; }
  // Waits for the end; the output.
  std::string Finish() {
    thread_.join();
    return out_;
  }
  [[nodiscard]] int Status() const { return WIFEXITED(status_) ? WEXITSTATUS(status_) : -1; }

 private:
  std::thread thread_;
  std::string out_;
  int status_ = -1;
  std::atomic<bool> done_ = false;
};

// Calls `step` until the program is done or the deadline passes; true when it is done.
template <typename Step>
bool FeedUntilDone(const CliProcess& process, Step step) {
  const auto end = std::chrono::steady_clock::now() + kDeadline;
  while (!process.Done() && std::chrono::steady_clock::now() < end) {
    step();
    std::this_thread::sleep_for(50ms);
  }
  return process.Done();
}

std::vector<json> Positions(const std::string& out) {
  std::vector<json> lines;
  std::istringstream in(out);
  for (std::string line; std::getline(in, line);) {
    const json j = json::parse(line, nullptr, false);
    if (j.is_object() && j.contains("sentence")) lines.push_back(j);
  }
  return lines;
}

sockaddr_in Loopback(int port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  return address;
}

int PortOf(int socket) {
  sockaddr_in address{};
  socklen_t length = sizeof address;
  ::getsockname(socket, reinterpret_cast<sockaddr*>(&address), &length);
  return ntohs(address.sin_port);
}

// The next connection, or -1 when none comes before the deadline (or the program ended).
int AcceptBeforeDeadline(int server, const CliProcess& process) {
  const auto end = std::chrono::steady_clock::now() + kDeadline;
  while (!process.Done() && std::chrono::steady_clock::now() < end) {
    pollfd wait{server, POLLIN, 0};
    if (::poll(&wait, 1, 100) == 1) return ::accept(server, nullptr, nullptr);
  }
  return -1;
}

void Send(int socket, const std::string& text) {
  (void)!::send(socket, text.data(), text.size(), MSG_NOSIGNAL);
}

TEST(GpsLiveSource, TcpServerThatDropsTheConnectionIsReadAgain) {
  const int server = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address = Loopback(0);
  ASSERT_EQ(::bind(server, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ASSERT_EQ(::listen(server, 4), 0);
  CliProcess process({"gps", "read", "tcp:127.0.0.1:" + std::to_string(PortOf(server)), "--count",
                      "3", "--timeout", "60"});
  // One position, then the multiplexer goes away.
  int connection = AcceptBeforeDeadline(server, process);
  ASSERT_GE(connection, 0);
  Send(connection, kGga);
  ::close(connection);
  // The program connects again by itself.
  connection = AcceptBeforeDeadline(server, process);
  ASSERT_GE(connection, 0);
  EXPECT_TRUE(FeedUntilDone(process, [&] { Send(connection, kRmc); }));
  const std::string out = process.Finish();
  ::close(connection);
  ::close(server);
  EXPECT_EQ(process.Status(), 0) << out;
  const std::vector<json> positions = Positions(out);
  ASSERT_EQ(positions.size(), 3u) << out;
  EXPECT_EQ(positions[0]["sentence"], "GGA");
  EXPECT_EQ(positions[1]["sentence"], "RMC");
  EXPECT_EQ(positions[2]["latitudeMilliMinutes"], 2837114);
}

TEST(GpsLiveSource, UdpDatagramsAreRead) {
  // A free port: bound by the test for a moment, then left to the program.
  const int probe = ::socket(AF_INET, SOCK_DGRAM, 0);
  sockaddr_in address = Loopback(0);
  ASSERT_EQ(::bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  const int port = PortOf(probe);
  ::close(probe);
  CliProcess process({"gps", "read", "udp:" + std::to_string(port), "--sentence", "GGA", "--count",
                      "2", "--timeout", "60"});
  const int sender = ::socket(AF_INET, SOCK_DGRAM, 0);
  const sockaddr_in target = Loopback(port);
  // Each datagram one sentence without its line end, as some bridges send them.
  const std::string datagram(kGga, std::strlen(kGga) - 2);
  EXPECT_TRUE(FeedUntilDone(process, [&] {
    (void)!::sendto(sender, datagram.data(), datagram.size(), 0,
                    reinterpret_cast<const sockaddr*>(&target), sizeof target);
  }));
  ::close(sender);
  const std::string out = process.Finish();
  EXPECT_EQ(process.Status(), 0) << out;
  EXPECT_EQ(Positions(out).size(), 2u) << out;
}

// socat joining two pseudo-terminals: the program reads one end, the test writes the other.
class PseudoTerminalPair {
 public:
  explicit PseudoTerminalPair(const std::string& folder)
      : device_(folder + "/gps"), feed_(folder + "/feed") {
    const std::string a = "pty,raw,echo=0,link=" + device_;
    const std::string b = "pty,raw,echo=0,link=" + feed_;
    const char* argv[] = {"socat", a.c_str(), b.c_str(), nullptr};
    started_ =
        ::posix_spawnp(&pid_, "socat", nullptr, nullptr, const_cast<char**>(argv), environ) == 0;
  }
  ~PseudoTerminalPair() {
    if (fd_ >= 0) ::close(fd_);
    if (started_) {
      ::kill(pid_, SIGTERM);
      ::waitpid(pid_, nullptr, 0);
    }
  }
  // Both ends are there and the feeding end is open.
  bool Ready() {
    const auto end = std::chrono::steady_clock::now() + kDeadline;
    while (started_ && std::chrono::steady_clock::now() < end) {
      if (std::filesystem::exists(device_) && std::filesystem::exists(feed_)) {
        fd_ = ::open(feed_.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK);
        if (fd_ >= 0) return true;
      }
      std::this_thread::sleep_for(20ms);
    }
    return false;
  }
  void Write(const std::string& text) const { (void)!::write(fd_, text.data(), text.size()); }
  [[nodiscard]] const std::string& Device() const { return device_; }

 private:
  std::string device_;
  std::string feed_;
  pid_t pid_ = 0;
  bool started_ = false;
  int fd_ = -1;
};

TEST(GpsLiveSource, SerialLineIsRead) {
  const std::string folder = testing::TempDir() + "keelmark_gps_pty_" + std::to_string(::getpid());
  std::filesystem::create_directories(folder);
  {
    PseudoTerminalPair pair(folder);
    ASSERT_TRUE(pair.Ready()) << "socat did not make the pseudo-terminal pair";
    CliProcess process({"gps", "read", "serial:" + pair.Device() + "@38400", "--sentence", "RMC",
                        "--count", "2", "--timeout", "60"});
    // Noise and a sentence cut by a new one on the line first.
    pair.Write(std::string("\0\xff$GPGGA,1235", 13));
    EXPECT_TRUE(FeedUntilDone(process, [&] { pair.Write(std::string(kGga) + kRmc); }));
    const std::string out = process.Finish();
    EXPECT_EQ(process.Status(), 0) << out;
    const std::vector<json> positions = Positions(out);
    ASSERT_EQ(positions.size(), 2u) << out;
    EXPECT_EQ(positions[0]["talker"], "GN");
  }
  std::filesystem::remove_all(folder);
}

// A program started by the test and ended by it.
class Daemon {
 public:
  explicit Daemon(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    started_ = ::posix_spawnp(&pid_, argv[0], nullptr, nullptr, argv.data(), environ) == 0;
  }
  ~Daemon() {
    if (!started_) return;
    ::kill(pid_, SIGTERM);
    ::waitpid(pid_, nullptr, 0);
  }
  [[nodiscard]] bool Started() const { return started_; }

 private:
  pid_t pid_ = 0;
  bool started_ = false;
};

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

TEST(GpsLiveSource, GpsdOnASerialLineIsRead) {
  const std::string folder = testing::TempDir() + "keelmark_gpsd_" + std::to_string(::getpid());
  std::filesystem::create_directories(folder);
  {
    PseudoTerminalPair pair(folder);
    ASSERT_TRUE(pair.Ready()) << "socat did not make the pseudo-terminal pair";
    const int probe = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = Loopback(0);
    ASSERT_EQ(::bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    const std::string port = std::to_string(PortOf(probe));
    ::close(probe);
    // In the foreground, at once rather than on the first client, never writing to the device.
    const Daemon gpsd(
        {"gpsd", "-N", "-n", "-b", "-S", port, "-F", folder + "/gpsd.sock", pair.Device()});
    ASSERT_TRUE(gpsd.Started()) << "gpsd could not be started";
    ASSERT_TRUE(Listening(std::stoi(port))) << "gpsd does not listen";
    CliProcess process(
        {"gps", "read", "gpsd:127.0.0.1:" + port, "--count", "2", "--timeout", "60"});
    EXPECT_TRUE(FeedUntilDone(process, [&] { pair.Write(std::string(kGga) + kRmc); }));
    const std::string out = process.Finish();
    EXPECT_EQ(process.Status(), 0) << out;
    const std::vector<json> positions = Positions(out);
    ASSERT_EQ(positions.size(), 2u) << out;
    // gpsd hands on the receiver's own sentences.
    for (const json& position : positions) {
      const int latitude = position["latitudeMilliMinutes"].get<int>();
      EXPECT_TRUE(latitude == 2887038 || latitude == 2837114) << out;
    }
  }
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace keelmark::cli::test
