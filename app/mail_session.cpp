#include "app/mail_session.h"

#include <QFutureWatcher>
#include <QWidget>
#include <QtConcurrent/QtConcurrentRun>

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

MailSession::~MailSession() { flushing_.waitForFinished(); }

std::unique_ptr<MailTransport> MailSession::Transport() {
  return backend_.makeTransport(store_, AskPassword());
}

void MailSession::FlushOutbox() {
  if (flushing_.isRunning()) return;
  auto options = std::make_shared<MemorySettingsStore>();
  for (const SettingInfo& info : kSettingTable) {
    if (info.section != settings_section::kMail) continue;
    if (auto text = store_.Lookup(info.section, info.key))
      options->Put(info.section, info.key, *text);
  }
  PasswordQuestion known = [password = password_] { return password; };
  flushing_ = QtConcurrent::run(
      [flush = backend_.flushOutbox, options, known] { return flush(*options, known); });
  auto* watcher = new QFutureWatcher<OutboxFlush>(this);
  connect(watcher, &QFutureWatcher<OutboxFlush>::finished, this, [this, watcher] {
    emit OutboxChanged(watcher->result().waiting);
    watcher->deleteLater();
  });
  watcher->setFuture(flushing_);
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
