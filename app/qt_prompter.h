// QtPrompter: the Prompter of the desktop program, with message boxes and file dialogs.
#pragma once

#include <QPointer>
#include <QStringList>

#include "document/prompter.h"

class QWidget;

namespace keelmark {

// The caption of every message box of the program.
inline constexpr const char* kProgramTitle = "Keelmark Route";

// A file filter of the form "Data File (*.dat)|*.dat|All Files (*.*)|*.*||" as the name
// filters of a file dialog: "Data File (*.dat)", "All Files (*)". The "*.*" that stands for
// every file matches names without a dot too, as it does in the filter's own convention.
[[nodiscard]] QStringList NameFilters(const std::string& filter);

class QtPrompter : public Prompter {
 public:
  // Dialogs are modal to the parent (the main window once it exists).
  explicit QtPrompter(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }

  void Message(const std::string& text, MessageIcon icon) override;
  [[nodiscard]] bool AskYesNo(const std::string& text, MessageIcon icon) override;
  [[nodiscard]] std::optional<std::string> ChooseOpenFile(const FileChoice& choice) override;
  [[nodiscard]] std::optional<std::string> ChooseSaveFile(const FileChoice& choice) override;

 private:
  [[nodiscard]] std::optional<std::string> ChooseFile(const FileChoice& choice, bool save);

  QPointer<QWidget> parent_;
};

}  // namespace keelmark
