#include "document/prompter.h"

namespace keelmark {

void ScriptedPrompter::Message(const std::string& text, MessageIcon icon) {
  messages_.push_back({text, icon});
}

bool ScriptedPrompter::AskYesNo(const std::string& text, MessageIcon icon) {
  questions_.push_back({text, icon});
  if (answers_.empty()) return false;
  const bool yes = answers_.front();
  answers_.pop_front();
  return yes;
}

std::optional<std::string> ScriptedPrompter::NextFile(const FileChoice& choice) {
  fileChoices_.push_back(choice);
  if (files_.empty()) return std::nullopt;
  auto path = files_.front();
  files_.pop_front();
  return path;
}

std::optional<std::string> ScriptedPrompter::ChooseOpenFile(const FileChoice& choice) {
  return NextFile(choice);
}

std::optional<std::string> ScriptedPrompter::ChooseSaveFile(const FileChoice& choice) {
  return NextFile(choice);
}

}  // namespace keelmark
