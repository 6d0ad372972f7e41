#include "app/mail_session.h"

#include <QWidget>

#include "app/password_dialog.h"
#include "platform/qt_text.h"
#include "records/settings_keys.h"
#include "records/settings_store.h"

namespace keelmark {
namespace {

// Until the platform's transports are part of the program, every message is refused with
// this reason, so that nothing claims to have been sent.
class NoMailTransport final : public MailTransport {
 public:
  MailOutcome Send(const MailMessage& /*message*/) override {
    return {MailStatus::kFailed, "No mail transport is available in this build."};
  }
};

}  // namespace

MailBackend PlatformMailBackend() {
  MailBackend backend;
  backend.makeTransport = [](const SettingsStore&, PasswordQuestion) {
    return std::make_unique<NoMailTransport>();
  };
  backend.flushOutbox = [](const SettingsStore&, PasswordQuestion) { return OutboxFlush{}; };
  backend.outboxWaiting = [](const SettingsStore&) { return std::size_t{0}; };
  return backend;
}

MailSession::MailSession(SettingsStore& store, MailBackend backend, QWidget* window)
    : QObject(window), store_(store), backend_(std::move(backend)), window_(window) {
  const MailBackend platform = PlatformMailBackend();
  if (!backend_.makeTransport) backend_.makeTransport = platform.makeTransport;
  if (!backend_.flushOutbox) backend_.flushOutbox = platform.flushOutbox;
  if (!backend_.outboxWaiting) backend_.outboxWaiting = platform.outboxWaiting;
}

std::unique_ptr<MailTransport> MailSession::Transport() {
  return backend_.makeTransport(store_, AskPassword());
}

OutboxFlush MailSession::FlushOutbox() {
  const OutboxFlush flush = backend_.flushOutbox(store_, AskPassword());
  emit OutboxChanged(flush.waiting);
  return flush;
}

std::size_t MailSession::Waiting() const { return backend_.outboxWaiting(store_); }

PasswordQuestion MailSession::AskPassword() {
  return [this]() -> std::optional<std::string> {
    if (password_) return password_;
    const QString account = ToQString(store_.Read(setting::kSmtpUser)) + u'@' +
                            ToQString(store_.Read(setting::kSmtpServer));
    password_ = CPasswordDialog::Ask(account, window_);
    return password_;
  };
}

}  // namespace keelmark
