// Running keelmark commands inside the test process, with a given standard input, and the
// dump and build of files through them.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "tests/core/test_files.h"

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

// The rows of a table in tests/data/tables: its lines but the empty ones and the "#" notes, each
// cut at " | ", with "\n" written for a line break.
inline std::vector<std::vector<std::string>> DataTable(const std::string& name) {
  std::vector<std::vector<std::string>> rows;
  std::istringstream lines(FileText(DataPath("tables/" + name)));
  for (std::string line; std::getline(lines, line);) {
    if (line.empty() || line[0] == '#') continue;
    for (std::size_t at; (at = line.find("\\n")) != std::string::npos;) line.replace(at, 2, "\n");
    std::vector<std::string>& row = rows.emplace_back();
    for (std::size_t from = 0, bar = 0; bar != std::string::npos; from = bar + 3) {
      bar = line.find(" | ", from);
      row.push_back(line.substr(from, bar - from));
    }
  }
  EXPECT_FALSE(rows.empty()) << name;
  return rows;
}

// The words of a command line written with spaces between them; "''" an empty word.
inline std::vector<std::string> Words(const std::string& text) {
  std::vector<std::string> words;
  std::istringstream in(text);
  for (std::string word; in >> word;) words.push_back(word == "''" ? "" : word);
  return words;
}

// What a command prints as JSON; a failure of the test when it does not succeed.
inline nlohmann::json JsonOut(const CliOutcome& o) {
  EXPECT_EQ(o.status, 0) << o.err;
  return nlohmann::json::parse(o.out, nullptr, false);
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

// Every file of a folder, by name, with its bytes.
inline std::map<std::string, std::string> FolderBytes(const std::string& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    files[entry.path().filename().string()] = FileText(entry.path().string());
  }
  return files;
}

// A copy of the example data in a scratch folder, and commands run on it at the example's
// present time (2026-12-06 12:00 UTC, under way in mid-Atlantic).
class ExampleDataTest : public testing::Test {
 protected:
  ExampleDataTest() { keelmark::test::CopyExamples(folder_); }
  [[nodiscard]] std::string Path(const std::string& name) const { return folder_.PathOf(name); }
  [[nodiscard]] std::string Folder() const { return folder_.PathOf(""); }
  [[nodiscard]] std::string Route() const { return Path("atlantic-westbound.q3v"); }
  CliOutcome Run(std::vector<std::string> args, const std::string& input = "") const {
    args.insert(args.begin(), {"--now", "2026-12-06T12:00:00Z"});
    return RunCliWithInput(args, input);
  }

  keelmark::test::ScratchDirectory folder_;
};

}  // namespace keelmark::cli::test
