#include "cli/cli_prompter.h"

#include <ostream>

namespace keelmark::cli {
namespace {

// One line per message: the program's message texts hold "\n" between their sentences.
std::string OneLine(std::string text) {
  for (char& c : text) {
    if (c == '\n') c = ' ';
  }
  return text;
}

}  // namespace

void CliPrompter::Message(const std::string& text, MessageIcon /*icon*/) {
  messages_.push_back(text);
  err_ << "keelmark: " << OneLine(text) << "\n";
}

bool CliPrompter::AskYesNo(const std::string& text, MessageIcon /*icon*/) {
  err_ << "keelmark: " << OneLine(text) << " (answered No)\n";
  return false;
}

std::optional<std::string> CliPrompter::ChooseOpenFile(const FileChoice& /*choice*/) {
  return std::nullopt;
}

std::optional<std::string> CliPrompter::ChooseSaveFile(const FileChoice& /*choice*/) {
  return std::nullopt;
}

}  // namespace keelmark::cli
