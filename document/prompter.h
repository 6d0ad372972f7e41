// Prompter: how core procedures show a message, ask a question or ask for a file.
//
// The desktop program answers with dialogs, the command line with stderr and fixed answers,
// the tests with a script.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace keelmark {

enum class MessageIcon { None, Stop, Exclamation, Question, Information };

// The file filter and extension of the data files and the single-record exchange files.
inline constexpr const char* kDataFileFilter = "Data File (*.dat)|*.dat|All Files (*.*)|*.*||";
inline constexpr const char* kDataFileExtension = "dat";
// The message of a command that needs a selected record when none is.
inline constexpr const char* kNoItemSelected = "No item selected";

struct FileChoice {
  std::string filter;            // e.g. "Data File (*.dat)|*.dat|All Files (*.*)|*.*||"
  std::string defaultExtension;  // without the dot, e.g. "dat"
  std::string initialName;       // e.g. "vessel"
};

class Prompter {
 public:
  virtual ~Prompter() = default;
  // A modal message with an OK button.
  virtual void Message(const std::string& text, MessageIcon icon) = 0;
  // A Yes/No question; true for Yes.
  [[nodiscard]] virtual bool AskYesNo(const std::string& text, MessageIcon icon) = 0;
  // The chosen path, or nothing when the user cancels.
  [[nodiscard]] virtual std::optional<std::string> ChooseOpenFile(const FileChoice& choice) = 0;
  [[nodiscard]] virtual std::optional<std::string> ChooseSaveFile(const FileChoice& choice) = 0;
};

// Answers from a script and remembers everything it was shown (tests, and the command line's
// "messages" output).
class ScriptedPrompter : public Prompter {
 public:
  struct Shown {
    std::string text;
    MessageIcon icon;
  };

  void Message(const std::string& text, MessageIcon icon) override;
  [[nodiscard]] bool AskYesNo(const std::string& text, MessageIcon icon) override;
  [[nodiscard]] std::optional<std::string> ChooseOpenFile(const FileChoice& choice) override;
  [[nodiscard]] std::optional<std::string> ChooseSaveFile(const FileChoice& choice) override;

  // Answers used in order; when they run out, questions are answered No and file choices
  // are cancelled.
  void QueueAnswer(bool yes) { answers_.push_back(yes); }
  void QueueFile(std::optional<std::string> path) { files_.push_back(std::move(path)); }

  [[nodiscard]] const std::vector<Shown>& Messages() const { return messages_; }
  [[nodiscard]] const std::vector<Shown>& Questions() const { return questions_; }
  [[nodiscard]] const std::vector<FileChoice>& FileChoices() const { return fileChoices_; }

 private:
  std::optional<std::string> NextFile(const FileChoice& choice);

  std::deque<bool> answers_;
  std::deque<std::optional<std::string>> files_;
  std::vector<Shown> messages_;
  std::vector<Shown> questions_;
  std::vector<FileChoice> fileChoices_;
};

}  // namespace keelmark
