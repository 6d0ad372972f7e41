// TextFileChoice: the save-file choice of every plain text output (ship reports, the master
// schedule).
#pragma once

#include <string>

#include "document/prompter.h"

namespace keelmark {

inline constexpr const char* kTextFileFilter = "Text File (*.txt)|*.txt|All Files (*.*)|*.*||";
inline constexpr const char* kTextFileExtension = "txt";

// The choice with the text filter, extension "txt" and the initial file name.
[[nodiscard]] inline FileChoice TextFileChoice(const std::string& initialName) {
  return {kTextFileFilter, kTextFileExtension, initialName};
}

}  // namespace keelmark
