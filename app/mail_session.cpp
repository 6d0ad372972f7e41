#include "app/mail_session.h"

#include <QWidget>

#include "app/password_dialog.h"
#include "platform/qt_text.h"
#include "records/settings_keys.h"
#include "records/settings_store.h"

namespace keelmark {

MailBackend PlatformMailBackend() {
  return {[](const SettingsStore& settings, PasswordQuestion ask) {
            return MakeMailTransport(settings, std::move(ask));
          },
          [](const SettingsStore& settings, PasswordQuestion ask) {
            return FlushOutbox(settings, std::move(ask));
          },
          [](const SettingsStore& settings) { return OutboxWaiting(settings); }};
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
