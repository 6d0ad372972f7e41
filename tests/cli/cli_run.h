// Running keelmark commands inside the test process, with a given standard input.
#pragma once

#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"

namespace keelmark::cli::test {

struct CliOutcome {
  int status;
  std::string out;
  std::string err;
};

inline CliOutcome RunCliWithInput(const std::vector<std::string>& args,
                                  const std::string& input = "") {
  std::istringstream in(input);
  std::streambuf* const saved = std::cin.rdbuf(in.rdbuf());
  std::ostringstream out, err;
  const int status = Run(args, out, err);
  std::cin.rdbuf(saved);
  return {status, out.str(), err.str()};
}

}  // namespace keelmark::cli::test
