// Mail text: one message as an Internet mail file (.eml), the form every mail transport of the
// program hands on or keeps: CR LF line ends, no line longer than 76 characters, the body as
// UTF-8 plain text in quoted-printable, a subject that is not plain ASCII as encoded words,
// and the attachment as a base64 part under its own file name.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/mail_transport.h"
#include "navigation/time_value.h"

namespace keelmark {

// What the message text carries besides the MailMessage.
struct MailHeader {
  std::string sender;     // the From address; empty: no From line (the collecting system adds it)
  TimeValue date = 0;     // seconds since 1970, written as UTC
  std::string messageId;  // LOCAL@DOMAIN, without the angle brackets
};

struct MailAttachment {
  std::string name;  // the file name the recipient sees (UTF-8, no folder)
  std::string_view bytes;
};

// True for LOCAL@DOMAIN with printable ASCII only, no blanks, quotes, angle brackets or
// commas, and not starting with '-' (it is handed to programs as an argument).
[[nodiscard]] bool IsMailAddress(std::string_view text);

// The addresses of a "to" text, split at ',' and ';' with the blanks around them dropped;
// nothing, and error says which one, when there is none or one is not an address.
[[nodiscard]] std::optional<std::vector<std::string>> ParseMailAddresses(std::string_view text,
                                                                         std::string& error);

// The whole message file. The "to" text must have passed ParseMailAddresses and the sender
// IsMailAddress; line ends of the body may be LF, CR or CR LF, and its last line always gets
// one.
[[nodiscard]] std::string ComposeMailText(const MailMessage& message, const MailHeader& header,
                                          const std::optional<MailAttachment>& attachment);

// Base64 of the bytes in one line (no line breaks).
[[nodiscard]] std::string Base64(std::string_view bytes);

// What a kept message file says about itself, for sending it later and for listing it: the
// addresses of its From and To lines (the angle brackets' content where there are any), its
// subject with UTF-8 encoded words decoded, and its Date line as written.
struct MailSummary {
  std::string from;
  std::vector<std::string> to;
  std::string subject;
  std::string date;
};
[[nodiscard]] MailSummary SummarizeMailText(std::string_view text);

}  // namespace keelmark
