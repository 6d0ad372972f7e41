// SMTP client: hands one finished message text to a mail server through libcurl.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace keelmark {

struct SmtpAccount {
  std::string server;  // host name or address
  int port = 587;
  int tls = 1;       // 0 plain, 1 STARTTLS (required), 2 TLS from the first byte
  std::string user;  // empty: no login
  std::string password;
  int timeoutSeconds = 60;  // for connecting, and for each wait on the server's answer
};

enum class SmtpVerdict {
  kAccepted,     // the server took the message
  kRefused,      // the server answered, and refused it
  kUnreachable,  // no answer: no route, no server, a broken link or a server that hangs
};

struct SmtpResult {
  SmtpVerdict verdict = SmtpVerdict::kUnreachable;
  std::string detail;  // the server's last answer, or what went wrong
};

// Sends the text (CR LF line ends) from `from` to every address of `to`.
[[nodiscard]] SmtpResult SendSmtp(const SmtpAccount& account, const std::string& from,
                                  const std::vector<std::string>& to, std::string_view text);

}  // namespace keelmark
