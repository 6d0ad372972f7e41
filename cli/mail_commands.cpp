// keelmark mail send ... and keelmark mail outbox: a message through the transport the settings
// choose, and the messages waiting in the outbox.
#include <ostream>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "platform/mail_outbox.h"
#include "platform/mail_transports.h"
#include "records/archive_file.h"

namespace keelmark::cli {
namespace {

// Nobody is there to type a password: it has to be remembered in the settings.
std::optional<std::string> NoPassword() { return std::nullopt; }

constexpr const char* kStatusWords[] = {"sent", "queued", "handed-over", "failed"};

int RunMailSend(const CommandLine& line, CommandContext& context) {
  MailMessage message;
  message.to = line.Required("to");
  message.subject = line.Required("subject");
  if (line.Has("body-file")) {
    std::string error;
    const std::optional<Archive::Bytes> body =
        ReadWholeFile(line.Required("body-file"), kLargestDataFile, &error);
    if (!body) throw CommandError("--body-file: " + error);
    message.body.assign(body->begin(), body->end());
  }
  message.attachmentPath = line.Value("attach", "");
  const SettingsStore& settings = context.Settings();
  const MailOutcome outcome = MakeMailTransport(settings, NoPassword)->Send(message);
  PrintJson(context.out, {{"status", kStatusWords[static_cast<int>(outcome.status)]},
                          {"detail", outcome.detail}});
  if (outcome.status == MailStatus::kFailed) throw CommandError(outcome.detail);
  // Kept for the ship's own mail system is what that transport is for; kept after SMTP failed
  // is not sent yet.
  const bool outboxOnly = ChosenMailTransport(settings) == MailTransportChoice::kOutboxOnly;
  if (outcome.status == MailStatus::kQueued && !outboxOnly) {
    context.err << "keelmark: not sent yet: " << outcome.detail << "\n";
    return 3;
  }
  return 0;
}

int RunMailOutbox(const CommandLine& line, CommandContext& context) {
  const SettingsStore& settings = context.Settings();
  nlohmann::json answer = {{"folder", OutboxFolder(settings).string()}};
  OutboxFlush flush;
  if (line.Flag("flush")) {
    flush = FlushOutbox(settings, NoPassword);
    answer["sent"] = flush.sent;
  }
  nlohmann::json messages = nlohmann::json::array();
  for (const MailOutbox::Entry& entry : MailOutbox(OutboxFolder(settings)).List()) {
    messages.push_back({{"file", entry.file.filename().string()},
                        {"state", entry.uncertain ? "uncertain" : "waiting"},
                        {"to", entry.summary.to},
                        {"subject", entry.summary.subject},
                        {"date", entry.summary.date},
                        {"bytes", entry.bytes}});
  }
  answer["messages"] = messages;
  PrintJson(context.out, answer);
  if (!flush.lastError.empty()) throw CommandError(flush.lastError);
  return 0;
}

}  // namespace

int RunMail(const Words& args, CommandContext& context) {
  const CommandLine line(args, {"to", "subject", "body-file", "attach"}, {"flush"});
  const std::string& what = line.PositionalAt(0, "send or outbox");
  if (line.Positional().size() > 1) throw UsageError("mail " + what + " takes no more words");
  if (what == "send" && !line.Flag("flush")) return RunMailSend(line, context);
  if (what == "outbox" && !line.Has("to") && !line.Has("subject") && !line.Has("body-file") &&
      !line.Has("attach")) {
    return RunMailOutbox(line, context);
  }
  throw UsageError(
      "the mail commands are: mail send --to ADDR --subject S [--body-file F] "
      "[--attach FILE], and mail outbox [--flush]");
}

}  // namespace keelmark::cli
