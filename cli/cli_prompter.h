// CliPrompter: the command line's answers to what the document asks. Messages go to stderr
// (and are kept, for commands that report them); questions are answered No and file choices
// cancelled, since nobody is there to answer them.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "document/prompter.h"

namespace keelmark::cli {

class CliPrompter : public Prompter {
 public:
  explicit CliPrompter(std::ostream& err) : err_(err) {}

  void Message(const std::string& text, MessageIcon icon) override;
  [[nodiscard]] bool AskYesNo(const std::string& text, MessageIcon icon) override;
  [[nodiscard]] std::optional<std::string> ChooseOpenFile(const FileChoice& choice) override;
  [[nodiscard]] std::optional<std::string> ChooseSaveFile(const FileChoice& choice) override;

  // Every message shown, in order.
  [[nodiscard]] const std::vector<std::string>& Messages() const { return messages_; }

 private:
  std::ostream& err_;
  std::vector<std::string> messages_;
};

}  // namespace keelmark::cli
