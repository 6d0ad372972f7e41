// keelmark mail send and mail outbox against mail servers on loopback that the test starts and
// stops (tests/helpers/mail_server.py): one that takes messages, one that refuses them, one that
// is down and one that never answers. What arrives and what the outbox keeps is read back with
// Python's email package, not with the program's own code.
#include <chrono>
#include <cstdio>
#include <optional>
#include <thread>

#include "navigation/text_format.h"
#include "tests/cli/cli_run.h"
#include "tests/cli/test_process.h"

namespace keelmark::cli::test {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

const std::string kHelper = std::string(KEELMARK_TEST_DATA) + "/../helpers/mail_server.py";
const std::string kSubject = "Sailing plan – mv Brineholt, Ærøskøbing to Nuuk via Cape Farewell";
const std::string kAttachmentName =
    "AMVER sailing plan Ærøskøbing – Nuuk via Cape Farewell, December 2026.txt";
// A long line, blanks ending a line, a dot opening one and text that is not ASCII.
const std::string kBody =
    "Master's report, see the attachment.  \n.\n" + std::string(200, 'x') + "\r\nØ=1 ü\n";

std::string Shell(const std::string& command) {
  std::string out;
  if (FILE* pipe = ::popen(command.c_str(), "r")) {
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
      out.append(buffer, n);
    ::pclose(pipe);
  }
  return out;
}

// Debian's python3-aiosmtpd goes with Debian's Python, which need not be the first on the PATH.
std::string PythonWithSmtpServer() {
  for (const std::string python : {"/usr/bin/python3", "python3"}) {
    if (std::system((python + " -c 'import aiosmtpd' 2>/dev/null").c_str()) == 0) return python;
  }
  return {};
}

class MailServer {
 public:
  MailServer(const std::string& python, const std::string& mode, const fs::path& folder)
      : spool_(folder / (mode + "-spool")) {
    fs::create_directories(spool_);
    const fs::path portFile = folder / (mode + ".port");
    server_.emplace(std::vector<std::string>{python, kHelper, "serve", mode, portFile, spool_});
    for (int i = 0; i < 600 && !fs::exists(portFile); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    port_ = FileText(portFile);
  }
  [[nodiscard]] const std::string& Port() const { return port_; }
  [[nodiscard]] std::vector<fs::path> Received() const {
    return {fs::directory_iterator(spool_), fs::directory_iterator()};
  }

 private:
  fs::path spool_;
  std::optional<Process> server_;  // ended with the server
  std::string port_;
};

class MailCliTest : public ExampleDataTest {
 protected:
  void SetUp() override {
    python_ = PythonWithSmtpServer();
    if (python_.empty()) GTEST_SKIP() << "no python3 with aiosmtpd (Debian python3-aiosmtpd)";
    const std::string report = Path(kAttachmentName);
    const CliOutcome made = Run({"report", Route(), "--data-dir", Folder(), "--system", "AMVER",
                                 "--kind", "sailing-plan", "--out", report});
    ASSERT_EQ(made.status, 0) << made.err;
    reportBytes_ = FileText(report);
    ASSERT_GT(reportBytes_.size(), 100u);
    for (const auto& [key, value] : {std::pair<std::string, std::string>{"Transport", "0"},
                                     {"SmtpServer", "127.0.0.1"},
                                     {"SmtpTls", "0"},
                                     {"SmtpTimeout", "5"},
                                     {"MailSender", "bridge@brineholt.example"},
                                     {"OutboxFolder", Path("outbox")}}) {
      Set(key, value);
    }
    std::ofstream(Path("body.txt"), std::ios::binary) << kBody;
  }

  void Set(const std::string& key, const std::string& value) {
    ASSERT_EQ(Mail({"settings", "set", "Mail", key, value}).status, 0);
  }
  CliOutcome Mail(std::vector<std::string> args) const {
    args.insert(args.begin(), {"--settings", Path("settings.ini")});
    return Run(args);
  }
  CliOutcome Send() const {
    return Mail({"mail", "send", "--to", "rcc@amver.example; ops@brineholt.example", "--subject",
                 kSubject, "--body-file", Path("body.txt"), "--attach", Path(kAttachmentName)});
  }

  // The message file as Python reads it, checked against what was sent.
  void ExpectIntact(const fs::path& file) const {
    const json read =
        json::parse(Shell(python_ + " '" + kHelper + "' read '" + file.string() + "'"));
    EXPECT_EQ(read["subject"], kSubject);
    EXPECT_EQ(read["to"], "rcc@amver.example, ops@brineholt.example");
    EXPECT_EQ(read["body"],
              "Master's report, see the attachment.  \n.\n" + std::string(200, 'x') + "\nØ=1 ü\n");
    ASSERT_EQ(read["attachments"].size(), 1u) << read;
    EXPECT_EQ(read["attachments"][0]["filename"], kAttachmentName);
    std::string hex;
    for (const unsigned char c : reportBytes_) hex += Printf("%02x", c);
    EXPECT_EQ(read["attachments"][0]["hex"], hex);
    EXPECT_EQ(read["defects"], 0);
    EXPECT_LE(read["longestLine"], 76);
    EXPECT_EQ(read["bareLineFeeds"], 0);
  }

  json Outbox(const std::vector<std::string>& extra = {}, int status = 0) const {
    std::vector<std::string> args{"mail", "outbox"};
    args.insert(args.end(), extra.begin(), extra.end());
    const CliOutcome listed = Mail(args);
    EXPECT_EQ(listed.status, status) << listed.err;
    return json::parse(listed.out);
  }

  std::string python_;
  std::string reportBytes_;
};

TEST_F(MailCliTest, AServerThatTakesTheReportGetsItWhole) {
  const MailServer server(python_, "accept", Path("."));
  Set("SmtpPort", server.Port());
  EXPECT_EQ(JsonOut(Send())["status"], "sent");
  ASSERT_EQ(server.Received().size(), 1u);
  ExpectIntact(server.Received().front());
  EXPECT_TRUE(Outbox()["messages"].empty());
}

struct Failure {
  const char* server;
  const char* says;
};

class MailFallbackTest : public MailCliTest, public testing::WithParamInterface<Failure> {};

TEST_P(MailFallbackTest, KeepsTheMessageInTheOutboxAndALaterFlushSendsItOnce) {
  {
    const MailServer failing(python_, GetParam().server, Path("."));
    Set("SmtpPort", failing.Port());
    const CliOutcome queued = Send();
    EXPECT_EQ(queued.status, 3) << queued.err;
    EXPECT_EQ(json::parse(queued.out)["status"], "queued");
    EXPECT_NE(queued.out.find(GetParam().says), std::string::npos) << queued.out;
    EXPECT_TRUE(failing.Received().empty());
  }
  const json waiting = Outbox()["messages"];
  ASSERT_EQ(waiting.size(), 1u);
  EXPECT_EQ(waiting[0]["state"], "waiting");
  EXPECT_EQ(waiting[0]["subject"], kSubject);
  ExpectIntact(fs::path(Path("outbox")) / waiting[0]["file"].get<std::string>());

  const MailServer server(python_, "accept", Path("."));
  Set("SmtpPort", server.Port());
  EXPECT_EQ(Outbox({"--flush"})["sent"], 1);
  EXPECT_EQ(Outbox({"--flush"})["sent"], 0);
  ASSERT_EQ(server.Received().size(), 1u);
  ExpectIntact(server.Received().front());
}

INSTANTIATE_TEST_SUITE_P(Servers, MailFallbackTest,
                         testing::Values(Failure{"refuse", "554 5.7.1 Message refused"},
                                         Failure{"down", "cannot be reached"},
                                         Failure{"hang", "timeout"}),
                         [](const auto& row) { return std::string(row.param.server); });

// A send cut short between the server's acceptance and the file's removal leaves NAME.sending:
// sending it again could deliver it twice, so it is held for the officer instead.
TEST_F(MailCliTest, AMessageWhoseSendingWasCutShortIsNeverSentAgainByItself) {
  Set("Transport", "2");
  ASSERT_EQ(Send().status, 0);
  const std::string file = Outbox()["messages"][0]["file"];
  fs::rename(fs::path(Path("outbox")) / file, fs::path(Path("outbox")) / (file + ".sending"));
  const MailServer server(python_, "accept", Path("."));
  Set("SmtpPort", server.Port());
  Set("Transport", "0");
  const json after = Outbox({"--flush"}, 1);
  EXPECT_EQ(after["sent"], 0);
  EXPECT_EQ(after["messages"][0]["state"], "uncertain");
  EXPECT_TRUE(server.Received().empty());
}

}  // namespace
}  // namespace keelmark::cli::test
