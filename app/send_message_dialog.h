// CSendMessageDialog: "Send message": the address, subject and text of one message and the
// file sent with it, handed on OK to the transport the options choose.
#pragma once

#include <QDialog>
#include <optional>

#include "document/mail_transport.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace keelmark {

class MailSession;
class Prompter;

inline constexpr const char* kNoValidAddress = "No valid email address!";
inline constexpr const char* kMessageSent = "The message has been sent.";
inline constexpr const char* kMessageQueued =
    "The mail server cannot be reached now: the message waits in the outbox and is sent on "
    "the next attempt.";
inline constexpr const char* kMessageHandedOver =
    "The message has been handed to the desktop mail program; send it from there.";
inline constexpr const char* kMessageNotSent = "The message was not sent:";

class CSendMessageDialog : public QDialog {
  Q_OBJECT

 public:
  CSendMessageDialog(MailSession& session, Prompter& prompter, const MailMessage& message,
                     QWidget* parent = nullptr);

  // "Send message"
  static const char* const kCaption;

  // The caller says the sending itself (a bug report, an update request): no message then.
  void SetQuietWhenSent(bool quiet) { quietWhenSent_ = quiet; }
  // How the last attempt went; kFailed with no detail before any.
  [[nodiscard]] const MailOutcome& Outcome() const { return outcome_; }

  void accept() override;

 private:
  [[nodiscard]] MailMessage Message() const;

  MailSession& session_;
  Prompter& prompter_;
  std::string attachment_;
  QLineEdit* to_;
  QLineEdit* subject_;
  QPlainTextEdit* body_;
  QLabel* attachmentLabel_;
  MailOutcome outcome_;
  bool quietWhenSent_ = false;
};

// Shows the dialog with the message filled in; the outcome once it went (sent, queued or handed
// over), nothing when the user cancelled.
std::optional<MailOutcome> RunSendMessage(MailSession& session, Prompter& prompter,
                                          const MailMessage& message, QWidget* parent,
                                          bool quietWhenSent = false);

}  // namespace keelmark
