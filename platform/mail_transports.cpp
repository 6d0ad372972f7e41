#include "platform/mail_transports.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QStringList>

#include <algorithm>

#include "navigation/calendar.h"
#include "navigation/clock.h"
#include "navigation/text_format.h"
#include "platform/mail_outbox.h"
#include "platform/qt_text.h"
#include "platform/user_folders.h"
#include "records/archive_file.h"
#include "reports/mail_text.h"

namespace keelmark {
namespace {

namespace fs = std::filesystem;

template <class Setting>
std::string NameOf(const Setting& setting) {
  return std::string(setting.section) + "/" + std::string(setting.key);
}

int ReadClamped(const SettingsStore& settings, const IntSetting& setting) {
  return std::clamp(settings.Read(setting), setting.minimum, setting.maximum);
}

// The sender address, or an error that names the setting to fill in.
std::optional<std::string> SenderOf(const SettingsStore& settings, bool required,
                                    std::string& error) {
  const std::string sender = settings.Read(setting::kMailSender);
  if (sender.empty() && !required) return sender;
  if (!IsMailAddress(sender)) {
    error = sender.empty()
                ? "no sender address: fill in " + NameOf(setting::kMailSender)
                : NameOf(setting::kMailSender) + " '" + sender + "' is not a mail address";
    return std::nullopt;
  }
  return sender;
}

// The account of the options; nothing when a needed setting is empty or the password was not
// given (error says which).
std::optional<SmtpAccount> AccountOf(const SettingsStore& settings,
                                     const PasswordQuestion& askPassword, std::string& error) {
  SmtpAccount account;
  account.server = settings.Read(setting::kSmtpServer);
  if (account.server.empty()) {
    error = "no mail server: fill in " + NameOf(setting::kSmtpServer);
    return std::nullopt;
  }
  account.port = ReadClamped(settings, setting::kSmtpPort);
  account.tls = ReadClamped(settings, setting::kSmtpTls);
  account.timeoutSeconds = ReadClamped(settings, setting::kSmtpTimeout);
  account.user = settings.Read(setting::kSmtpUser);
  if (account.user.empty()) return account;
  const bool remembered = settings.Read(setting::kSmtpSavePassword) == 1;
  if (remembered && !settings.Read(setting::kSmtpPassword).empty()) {
    account.password = settings.Read(setting::kSmtpPassword);
    return account;
  }
  const std::optional<std::string> given = askPassword ? askPassword() : std::nullopt;
  if (!given) {
    error = "not sent: no password was given for " + account.user;
    return std::nullopt;
  }
  account.password = *given;
  return account;
}

// Sends a kept message to the addresses of its own To line, from its own From line (the
// options' sender when it has none).
SmtpResult SendText(const SmtpAccount& account, const std::string& sender, std::string_view text,
                    const MailSummary& summary) {
  if (summary.to.empty()) return {SmtpVerdict::kRefused, "the message names no recipient"};
  return SendSmtp(account, summary.from.empty() ? sender : summary.from, summary.to, text);
}

// Only one sender at a time walks the outbox, so that a .sending file found by the one holding
// the lock is known to be left over from a send that was cut short. The system lets go of the
// lock when its holder ends, however it ends.
class OutboxLock {
 public:
  explicit OutboxLock(const fs::path& folder) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    fd_ = ::open((folder / "outbox.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    held_ = fd_ >= 0 && ::flock(fd_, LOCK_EX | LOCK_NB) == 0;
  }
  ~OutboxLock() {
    if (fd_ >= 0) ::close(fd_);
  }
  OutboxLock(const OutboxLock&) = delete;
  OutboxLock& operator=(const OutboxLock&) = delete;
  [[nodiscard]] bool Held() const { return held_; }

 private:
  int fd_ = -1;
  bool held_ = false;
};

// A name no other message of this or any other ship shares: the time and 64 random bits.
std::string NewMessageStem() {
  const quint64 random = QRandomGenerator::system()->generate64();
  return FormatUtc(ProcessClock().Now(), "%Y%m%d-%H%M%S-") +
         Printf("%016llx", static_cast<unsigned long long>(random));
}

MailOutcome HandToDesktop(const MailMessage& message, const std::vector<std::string>& to) {
  const QString program = QStandardPaths::findExecutable(QStringLiteral("xdg-email"));
  if (program.isEmpty()) {
    return {MailStatus::kFailed,
            "the desktop's mail program cannot be reached: xdg-email (package xdg-utils) is not "
            "installed; choose SMTP or the outbox in the options"};
  }
  QStringList arguments{QStringLiteral("--utf8"), QStringLiteral("--subject"),
                        ToQString(message.subject)};
  if (!message.body.empty()) arguments << QStringLiteral("--body") << ToQString(message.body);
  if (!message.attachmentPath.empty()) {
    std::error_code ec;
    const fs::path attachment = fs::absolute(message.attachmentPath, ec);
    if (ec || !fs::is_regular_file(attachment, ec)) {
      return {MailStatus::kFailed, "cannot attach " + message.attachmentPath + ": no such file"};
    }
    arguments << QStringLiteral("--attach") << ToQString(attachment.string());
  }
  for (const std::string& address : to) arguments << ToQString(address);
  if (!QProcess::startDetached(program, arguments)) {
    return {MailStatus::kFailed, "xdg-email could not be started"};
  }
  return {MailStatus::kHandedOver, "given to the desktop's mail program"};
}

class SettingsMailTransport final : public MailTransport {
 public:
  SettingsMailTransport(const SettingsStore& settings, PasswordQuestion askPassword)
      : settings_(settings), askPassword_(std::move(askPassword)) {}

  MailOutcome Send(const MailMessage& message) override {
    std::string error;
    const std::optional<std::vector<std::string>> to = ParseMailAddresses(message.to, error);
    if (!to) return {MailStatus::kFailed, error};
    const MailTransportChoice kind = ChosenMailTransport(settings_);
    if (kind == MailTransportChoice::kDesktopMail) return HandToDesktop(message, *to);
    const std::optional<std::string> sender =
        SenderOf(settings_, kind == MailTransportChoice::kSmtp, error);
    if (!sender) return {MailStatus::kFailed, error};
    std::optional<Archive::Bytes> bytes;
    if (!message.attachmentPath.empty()) {
      bytes = ReadWholeFile(message.attachmentPath, kLargestDataFile, &error);
      if (!bytes) return {MailStatus::kFailed, "cannot attach the file: " + error};
    }
    std::optional<MailAttachment> attachment;
    if (bytes) {
      attachment = MailAttachment{fs::path(message.attachmentPath).filename().string(),
                                  {reinterpret_cast<const char*>(bytes->data()), bytes->size()}};
    }
    const std::string stem = NewMessageStem();
    const std::size_t at = sender->rfind('@');
    const std::string domain =
        at == std::string::npos ? "keelmark.invalid" : sender->substr(at + 1);
    const std::string text =
        ComposeMailText(message, {*sender, ProcessClock().Now(), stem + "@" + domain}, attachment);
    const MailOutbox outbox(OutboxFolder(settings_));
    if (kind == MailTransportChoice::kOutboxOnly) {
      if (!outbox.Keep(text, stem, error)) return {MailStatus::kFailed, error};
      return {MailStatus::kQueued, "kept in the outbox " + outbox.Folder().string()};
    }
    if (!account_) account_ = AccountOf(settings_, askPassword_, error);
    if (!account_) return {MailStatus::kFailed, error};
    return SendOverSmtp(outbox, text, stem, *sender);
  }

 private:
  // The message is kept first, so that nothing is lost when the program stops while sending,
  // then sent from the outbox like any waiting one.
  MailOutcome SendOverSmtp(const MailOutbox& outbox, const std::string& text,
                           const std::string& stem, const std::string& sender) {
    std::string keepError;
    const OutboxLock lock(outbox.Folder());
    const std::optional<fs::path> kept = outbox.Keep(text, stem, keepError);
    const auto send = [&](std::string_view t, const MailSummary& summary) {
      return SendText(*account_, sender, t, summary);
    };
    SmtpResult result;
    if (!kept) {
      result = send(text, SummarizeMailText(text));
      if (result.verdict == SmtpVerdict::kAccepted) return {MailStatus::kSent, result.detail};
      return {MailStatus::kFailed, result.detail + "; not kept either: " + keepError};
    }
    if (!lock.Held()) {
      return {MailStatus::kQueued,
              "kept in the outbox while another sending is under way; it goes with the next "
              "attempt"};
    }
    result = outbox.SendKept(*kept, send);
    if (result.verdict == SmtpVerdict::kAccepted) return {MailStatus::kSent, result.detail};
    return {MailStatus::kQueued, result.detail + "; kept in the outbox (" +
                                     std::to_string(outbox.Waiting()) +
                                     " waiting) for the next attempt"};
  }

  const SettingsStore& settings_;
  PasswordQuestion askPassword_;
  std::optional<SmtpAccount> account_;
};

void AddError(std::string& all, const std::string& error) {
  all += (all.empty() ? "" : "; ") + error;
}

}  // namespace

MailTransportChoice ChosenMailTransport(const SettingsStore& settings) {
  return static_cast<MailTransportChoice>(ReadClamped(settings, setting::kMailTransport));
}

std::unique_ptr<MailTransport> MakeMailTransport(const SettingsStore& settings,
                                                 PasswordQuestion askPassword) {
  return std::make_unique<SettingsMailTransport>(settings, std::move(askPassword));
}

fs::path OutboxFolder(const SettingsStore& settings) {
  const fs::path chosen(settings.Read(setting::kOutboxFolder));
  if (chosen.is_absolute()) return chosen;
  const fs::path data(
      ToStdString(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)));
  return data / kSettingsOrganisation / kSettingsApplication /
         (chosen.empty() ? fs::path("outbox") : chosen);
}

OutboxFlush FlushOutbox(const SettingsStore& settings, PasswordQuestion askPassword) {
  const MailOutbox outbox(OutboxFolder(settings));
  OutboxFlush flush;
  const std::vector<MailOutbox::Entry> entries = outbox.List();
  const std::size_t uncertain = static_cast<std::size_t>(std::count_if(
      entries.begin(), entries.end(), [](const MailOutbox::Entry& e) { return e.uncertain; }));
  flush.waiting = entries.size() - uncertain;
  std::string error;
  const std::optional<std::string> sender = SenderOf(settings, true, error);
  if (flush.waiting == 0) {
    // Nothing to send: no password asked, no server called.
  } else if (ChosenMailTransport(settings) != MailTransportChoice::kSmtp) {
    flush.lastError = "the outbox is sent only when SMTP is the transport (" +
                      NameOf(setting::kMailTransport) + " 0)";
  } else if (!sender) {
    flush.lastError = error;
  } else if (const OutboxLock lock(outbox.Folder()); !lock.Held()) {
    flush.lastError = "another sending of the outbox is under way";
  } else if (const std::optional<SmtpAccount> account = AccountOf(settings, askPassword, error);
             !account) {
    flush.lastError = error;
  } else {
    for (const MailOutbox::Entry& entry : entries) {
      if (entry.uncertain) continue;
      const SmtpResult result =
          outbox.SendKept(entry.file, [&](std::string_view text, const MailSummary& summary) {
            return SendText(*account, *sender, text, summary);
          });
      if (result.verdict == SmtpVerdict::kAccepted) {
        ++flush.sent;
        continue;
      }
      AddError(flush.lastError, entry.file.filename().string() + ": " + result.detail);
      if (result.verdict == SmtpVerdict::kUnreachable) break;
    }
    flush.waiting = outbox.Waiting();
  }
  if (uncertain > 0) {
    AddError(flush.lastError,
             std::to_string(uncertain) +
                 " message(s) whose sending was cut short may have left already and are not "
                 "sent again: check them (.eml.sending) in " +
                 outbox.Folder().string());
  }
  return flush;
}

std::size_t OutboxWaiting(const SettingsStore& settings) {
  return MailOutbox(OutboxFolder(settings)).Waiting();
}

}  // namespace keelmark
