// What keelmark-route answers to --help and --version, before any window is made. The manual
// page is made from this text.
#pragma once

#include <optional>

namespace keelmark {

// Prints the help or the version when the arguments ask for one and returns the exit status;
// nothing otherwise, and the program starts.
[[nodiscard]] std::optional<int> AnswerHelpOrVersion(int argc, char** argv);

}  // namespace keelmark
