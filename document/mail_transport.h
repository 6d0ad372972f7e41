// MailTransport: sends one message the way the ship's options choose (SMTP, the desktop's mail
// program, or an outbox folder the ship's own mail system collects from). The dialogs and the
// command line build a MailMessage and hand it over; they never know which way it goes.
#pragma once

#include <string>

namespace keelmark {

struct MailMessage {
  std::string to;  // one address, or several separated by ',' or ';'
  std::string subject;
  std::string body;            // UTF-8 text
  std::string attachmentPath;  // a file sent with the message; empty: none
};

enum class MailStatus {
  kSent,        // the transport accepted the message
  kQueued,      // kept in the outbox, to be sent on a later attempt
  kHandedOver,  // given to the desktop's mail program, which the user sends from
  kFailed,      // not sent and not kept: the detail says why
};

struct MailOutcome {
  MailStatus status = MailStatus::kFailed;
  std::string detail;  // the server's answer or the error, for the user to read
};

class MailTransport {
 public:
  virtual ~MailTransport() = default;
  [[nodiscard]] virtual MailOutcome Send(const MailMessage& message) = 0;
};

}  // namespace keelmark
