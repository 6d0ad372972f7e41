// MailOutbox: a folder of messages waiting to be sent, one NAME.eml file each, for the program
// to send later over SMTP or for a ship's own mail system to collect.
//
// A file is written whole or not at all (a temporary file renamed). Sending one renames it to
// NAME.eml.sending first and removes it once the server accepted it, so a message leaves at
// most once: when the program stops between the server's acceptance and the removal, the
// .sending file stays and is never sent again by itself; it is listed as "uncertain" for the
// officer to check (renaming it back to NAME.eml sends it again).
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/smtp_client.h"
#include "reports/mail_text.h"

namespace keelmark {

class MailOutbox {
 public:
  explicit MailOutbox(std::filesystem::path folder) : folder_(std::move(folder)) {}

  [[nodiscard]] const std::filesystem::path& Folder() const { return folder_; }

  // Writes a new file STEM.eml (STEM-2.eml ... when the name is taken), creating the folder.
  // Its path, or nothing, and error says why.
  [[nodiscard]] std::optional<std::filesystem::path> Keep(std::string_view text,
                                                          const std::string& stem,
                                                          std::string& error) const;

  struct Entry {
    std::filesystem::path file;
    bool uncertain = false;  // a .sending file left by a send that did not finish
    std::uintmax_t bytes = 0;
    MailSummary summary;
  };
  // Every waiting and uncertain message, oldest name first.
  [[nodiscard]] std::vector<Entry> List() const;
  [[nodiscard]] std::size_t Waiting() const;

  // Hands one waiting file's text to `send` and removes the file when it was accepted; otherwise
  // the file waits on. A file another sender has taken meanwhile counts as accepted by it.
  using Sender = std::function<SmtpResult(std::string_view text, const MailSummary& summary)>;
  [[nodiscard]] SmtpResult SendKept(const std::filesystem::path& file, const Sender& send) const;

 private:
  std::filesystem::path folder_;
};

}  // namespace keelmark
