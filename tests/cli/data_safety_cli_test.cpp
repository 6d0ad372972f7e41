// No data lost through the command line: refused input leaves the data folder byte for byte as
// it was, a store that fails is exit 1, and special files and times out of range are refused.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <tuple>

#include "records/archive_file.h"
#include "tests/cli/cli_run.h"

namespace keelmark::cli::test {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

constexpr const char* kNow = "2026-12-06T12:00:00Z";

class DataSafetyCliTest : public ExampleDataTest {
 protected:
  // fix add of a good fix, with the words given added or replaced.
  std::vector<std::string> FixAdd(const std::vector<std::string>& extra) const {
    std::vector<std::string> args = {
        "fix",   "add",   "--data-dir", Folder(), "--lat",
        "42.55", "--lon", "-42.2",      "--time", "2026-12-06T12:00:00Z"};
    args.insert(args.end(), extra.begin(), extra.end());
    return args;
  }
};

TEST_F(DataSafetyCliTest, RefusedInputNamesItsFieldAndLeavesTheDataFolderByteIdentical) {
  { std::ofstream(Path("keelmark.ini")) << "[Settings]\nHistoryCleanUp=7\n"; }
  const auto before = FolderBytes(Folder());
  for (const auto& c : DataTable("refused_commands.txt")) {
    SCOPED_TRACE(c[0]);
    std::vector<std::string> args;
    for (const std::string& word : Words(c[0])) {
      if (word == "FIX") {
        args = FixAdd({});
      } else {
        args.push_back(word == "SETTINGS" ? Path("keelmark.ini") : word);
      }
    }
    const auto outcome = Run(args);
    EXPECT_EQ(outcome.status, 1);
    EXPECT_TRUE(outcome.out.empty());
    EXPECT_NE(outcome.err.find(c[1]), std::string::npos) << outcome.err;
    EXPECT_EQ(FolderBytes(Folder()), before);
  }
  // A time within a day of the clock is taken; a clock out of range is a wrong call.
  EXPECT_EQ(Run(FixAdd({"--time", "2026-12-07T11:00:00Z"})).status, 0);
  const auto early = RunCliWithInput(
      {"--now", "0000-01-01T00:00:00Z", "time", "daynumber", "2026-12-06T12:00:00Z"});
  EXPECT_EQ(early.status, 2);
  EXPECT_NE(early.err.find("--now"), std::string::npos) << early.err;
}

TEST_F(DataSafetyCliTest, AFailedStoreIsExitOneWithNoFixPrinted) {
  fs::create_directory(Path("voyage.dat.tmp"));
  const auto before = ReadWholeFile(Path("voyage.dat"));
  const auto outcome = Run(FixAdd({}));
  EXPECT_EQ(outcome.status, 1);
  EXPECT_TRUE(outcome.out.empty()) << outcome.out;
  EXPECT_NE(outcome.err.find("Can not store history data: cannot create"), std::string::npos)
      << outcome.err;
  EXPECT_EQ(ReadWholeFile(Path("voyage.dat")), before);
}

TEST_F(DataSafetyCliTest, AMissingDataFolderIsRefusedAndAnEmptyOneGetsItsNewFiles) {
  const auto fixAt = [&](const std::string& folder) {
    return Run({"fix", "add", "--data-dir", folder, "--lat", "1", "--lon", "1", "--time", kNow});
  };
  const auto missing = fixAt(Path("nowhere"));
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("is not a folder"), std::string::npos) << missing.err;
  EXPECT_FALSE(fs::exists(Path("nowhere")));

  const std::string empty = Path("empty");
  fs::create_directory(empty);
  const auto created = fixAt(empty);
  EXPECT_EQ(created.status, 0) << created.err;
  // "Creating new empty datafile" is what happened: the history holds the one fix.
  EXPECT_EQ(Dump(empty + "/voyage.dat", "history")["records"].size(), 1u);
  for (const char* name : {"vessel.dat", "meteo.dat", "port.dat"}) {
    EXPECT_TRUE(fs::is_regular_file(empty + "/" + name)) << name;
  }
}

// Every file of the folder with its bytes, its inode and its modification time: a store that
// writes the same bytes again still shows (a new file renamed over the old, a new time).
std::map<std::string, std::tuple<std::string, std::uintmax_t, std::int64_t>> FolderState(
    const std::string& folder) {
  std::map<std::string, std::tuple<std::string, std::uintmax_t, std::int64_t>> state;
  for (const auto& entry : fs::directory_iterator(folder)) {
    const std::string path = entry.path().string();
    const std::optional<FileStamp> stamp = StampOf(path);
    state[entry.path().filename().string()] = {
        FileText(path), stamp ? stamp->inode : 0,
        stamp ? stamp->changedSeconds * 1000000000 + stamp->changedNanoseconds : 0};
  }
  return state;
}

TEST_F(DataSafetyCliTest, ReadingCommandsLeaveEveryFileOfTheFolderUntouched) {
  for (const auto& c : DataTable("reading_commands.txt")) {
    SCOPED_TRACE(c[0]);
    std::vector<std::string> args = Words(c[0]);
    for (std::string& word : args) {
      if (word == "ROUTE") word = Route();
      if (word == "DIR") word = Folder();
    }
    const auto before = FolderState(Folder());
    const auto outcome = Run(args);
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_FALSE(outcome.out.empty());
    EXPECT_EQ(FolderState(Folder()), before);
  }
}

// (Unknown keys and times a file cannot hold: files_cli_test.)
TEST_F(DataSafetyCliTest, TheLatestTimeAFileHoldsReadsBackAsItself) {
  const auto latest = Run({"build", "--type", "ports"},
                          R"({"records":[{"Tide":{"TideTime":"2106-02-07T06:28:15Z"}}]})");
  ASSERT_EQ(latest.status, 0) << latest.err;
  EXPECT_EQ(Dump(WriteTemp("latest.dat", latest.out), "ports")["records"][0]["Tide"]["TideTime"],
            "2106-02-07T06:28:15Z");
}

TEST_F(DataSafetyCliTest, TextsTheFilesCannotHoldAreWarnedOfByField) {
  const auto built =
      Run({"build", "--type", "ports"}, "{\"records\":[{\"Name\":\"\xE6\x9D\xB1\xE4\xBA\xAC\"}]}");
  EXPECT_EQ(built.status, 0) << built.err;
  EXPECT_NE(built.err.find("warning: field \"Name\""), std::string::npos) << built.err;
  const auto fix = Run(FixAdd({"--weather", "\xF0\x9F\x8C\x8A"}));
  EXPECT_EQ(fix.status, 0) << fix.err;
  EXPECT_NE(fix.err.find("warning: --weather"), std::string::npos) << fix.err;
}

}  // namespace
}  // namespace keelmark::cli::test
