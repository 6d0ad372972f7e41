// MailSession: how the window sends mail: the transport the options choose, built afresh for
// each message so that changed options count at once, the SMTP password asked once per session
// when the options do not remember it, and the outbox of messages still waiting.
#pragma once

#include <QFuture>
#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "document/mail_transport.h"
#include "platform/mail_transports.h"

class QWidget;

namespace keelmark {

class SettingsStore;

// The mail functions of the platform; the tests hand in their own.
struct MailBackend {
  std::function<std::unique_ptr<MailTransport>(const SettingsStore&, PasswordQuestion)>
      makeTransport;
  std::function<OutboxFlush(const SettingsStore&, PasswordQuestion)> flushOutbox;
  std::function<std::size_t(const SettingsStore&)> outboxWaiting;
};

// The platform's transports (SMTP with the outbox, the desktop mail program, the outbox only).
[[nodiscard]] MailBackend PlatformMailBackend();

class MailSession : public QObject {
  Q_OBJECT

 public:
  // Missing functions of the backend are the platform's.
  MailSession(SettingsStore& store, MailBackend backend, QWidget* window);
  ~MailSession() override;
  MailSession(const MailSession&) = delete;
  MailSession& operator=(const MailSession&) = delete;

  [[nodiscard]] std::unique_ptr<MailTransport> Transport();
  // Starts sending what waits in the outbox on a worker thread, so that a server out of reach
  // never holds the window; OutboxChanged follows when it is done. The worker reads a copy of
  // the mail options and asks for no password: one not known yet waits for the next message
  // the user sends. Nothing happens while a sending is under way.
  void FlushOutbox();
  [[nodiscard]] std::size_t Waiting() const;
  // The password of this session, asked with a dialog the first time it is needed.
  [[nodiscard]] PasswordQuestion AskPassword();

 signals:
  // After a message was sent or the outbox flushed: how many messages wait now.
  void OutboxChanged(std::size_t waiting);

 public:
  void NoteOutbox() { emit OutboxChanged(Waiting()); }

 private:
  SettingsStore& store_;
  MailBackend backend_;
  QPointer<QWidget> window_;
  std::optional<std::string> password_;
  // The sending under way; the session waits for it when it ends, so that a message being
  // handed to the server is never cut short by closing the program.
  QFuture<OutboxFlush> flushing_;
};

}  // namespace keelmark
