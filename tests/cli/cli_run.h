// Running keelmark commands inside the test process, with a given standard input, and the
// dump and build of files through them.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <iostream>
#include <iterator>
#include <nlohmann/json.hpp>
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

inline std::string DataPath(const std::string& name) {
  return std::string(KEELMARK_TEST_DATA) + "/" + name;
}

// A file's bytes; "<missing PATH>" when it cannot be read.
inline std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return "<missing " + path + ">";
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Writes the bytes to a file of this name in the test's temporary folder; its path.
inline std::string WriteTemp(const std::string& name, const std::string& bytes) {
  const std::string path = testing::TempDir() + "keelmark_cli_" + name;
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

inline nlohmann::json Dump(const std::string& path, const std::string& type) {
  const CliOutcome o = RunCliWithInput({"dump", path, "--type", type});
  EXPECT_EQ(o.status, 0) << o.err;
  return o.status == 0 ? nlohmann::json::parse(o.out) : nlohmann::json();
}

// The bytes built from the content; creation times come from now.
inline std::string Build(const nlohmann::json& content, const std::string& type,
                         const std::string& now = "2026-12-06T12:00:00Z") {
  const CliOutcome o = RunCliWithInput({"--now", now, "build", "--type", type}, content.dump());
  EXPECT_EQ(o.status, 0) << o.err;
  return o.out;
}

}  // namespace keelmark::cli::test
