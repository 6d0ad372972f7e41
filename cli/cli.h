// The keelmark command: the core driven from the command line, answering in JSON.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace keelmark::cli {

// Runs one command line (without the program name). Results go to out, errors to err as one
// line. Returns the exit status: 0 done, 1 failed, 2 wrong usage.
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace keelmark::cli
