// No data lost through the command line: refused input leaves the data folder byte for byte as
// it was, a store that fails is exit 1, and special files and times out of range are refused.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <chrono>
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

TEST_F(DataSafetyCliTest, RefusedFixLeavesTheDataFolderByteIdentical) {
  const struct {
    std::vector<std::string> extra;
    const char* named;  // the field the message names
  } cases[] = {
      {{"--wind-speed", "calm"}, "--wind-speed"},
      {{"--course", "400"}, "--course"},
      {{"--rpm", "fast"}, "--rpm"},
      {{"--pressure", "50"}, "--pressure"},
      {{"--visibility", "-1"}, "--visibility"},
      {{"--draft-aft", "deep"}, "--draft-aft"},
      {{"--time", "1969-12-31T12:00:00Z"}, "--time"},
      {{"--time", "2029-12-29T12:00:00Z"}, "--time"},  // years ahead of the clock
      {{"--time", "2026-12-07T12:00:01Z"}, "--time"},  // just over a day ahead
      {{"--time", "2026-12-06T08:00:00Z"}, "later than the latest fix"},
      {{"--zone", "14"}, "--zone"},
  };
  const auto before = FolderBytes(Folder());
  for (const auto& c : cases) {
    const auto outcome = Run(FixAdd(c.extra));
    EXPECT_EQ(outcome.status, 1) << c.named;
    EXPECT_TRUE(outcome.out.empty()) << c.named;
    EXPECT_NE(outcome.err.find(c.named), std::string::npos) << outcome.err;
    EXPECT_EQ(FolderBytes(Folder()), before) << c.named;
  }
  // A time within a day of the clock is taken.
  EXPECT_EQ(Run(FixAdd({"--time", "2026-12-07T11:00:00Z"})).status, 0);
}

TEST_F(DataSafetyCliTest, RefusedTimesAndSettingsNameTheirField) {
  const std::string settings = Path("keelmark.ini");
  { std::ofstream(settings) << "[Settings]\nHistoryCleanUp=7\n"; }
  const auto before = FolderBytes(Folder());
  const struct {
    std::vector<std::string> args;
    const char* named;
  } cases[] = {
      {{"time", "daynumber", "1969-12-31T23:59:59Z"}, "time"},
      {{"time", "daynumber", "2101-01-01T00:00:00Z"}, "2000-01-01 .. 2100-12-31"},
      {{"--settings", settings, "settings", "set", "Settings", "HistoryCleanUp", "0"},
       "HistoryCleanUp must lie in 1..365"},
      {{"--settings", settings, "settings", "set", "Settings", "HistoryCleanUp", "-1"},
       "HistoryCleanUp"},
      {{"--settings", settings, "settings", "set", "Settings", "GPSString", "3"}, "GPSString"},
      {{"--settings", settings, "settings", "set", "Settings", "NoSuchKey", "1"}, "NoSuchKey"},
      {{"--settings", settings, "settings", "set", "Settings", "HistoryCleanUp", "a week"},
       "HistoryCleanUp"},
  };
  for (const auto& c : cases) {
    const auto outcome = Run(c.args);
    EXPECT_EQ(outcome.status, 1) << c.named;
    EXPECT_NE(outcome.err.find(c.named), std::string::npos) << outcome.err;
    EXPECT_EQ(FolderBytes(Folder()), before) << c.named;
  }
  const auto early = RunCliWithInput(
      {"--now", "0000-01-01T00:00:00Z", "time", "daynumber", "2026-12-06T12:00:00Z"});
  EXPECT_EQ(early.status, 2);
  EXPECT_NE(early.err.find("--now"), std::string::npos) << early.err;
}

TEST_F(DataSafetyCliTest, AHistorySettingBelowOneKeepsEveryFix) {
  const std::string settings = Path("keelmark.ini");
  { std::ofstream(settings) << "[Settings]\nHistoryCleanUp=-1\n"; }
  const auto count = [&] {
    const auto listed = Run({"--settings", settings, "list", "History", "--data-dir", Folder()});
    EXPECT_EQ(listed.status, 0) << listed.err;
    return json::parse(listed.out)["rows"].size();
  };
  const std::size_t fixes = count();
  EXPECT_GT(fixes, 1u);
  EXPECT_EQ(count(), fixes);
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
  const auto missing = Run(
      {"fix", "add", "--data-dir", Path("nowhere"), "--lat", "1", "--lon", "1", "--time", kNow});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("is not a folder"), std::string::npos) << missing.err;
  EXPECT_FALSE(fs::exists(Path("nowhere")));

  const std::string empty = Path("empty");
  fs::create_directory(empty);
  const auto created =
      Run({"fix", "add", "--data-dir", empty, "--lat", "1", "--lon", "1", "--time", kNow});
  EXPECT_EQ(created.status, 0) << created.err;
  // "Creating new empty datafile" is what happened: the history holds the one fix.
  const auto history = Run({"dump", empty + "/voyage.dat", "--type", "history"});
  ASSERT_EQ(history.status, 0) << history.err;
  EXPECT_EQ(json::parse(history.out)["records"].size(), 1u);
  for (const char* name : {"vessel.dat", "meteo.dat", "port.dat"}) {
    EXPECT_TRUE(fs::is_regular_file(empty + "/" + name)) << name;
  }
}

TEST_F(DataSafetyCliTest, DumpOfADeviceReturnsAtOnce) {
  const auto start = std::chrono::steady_clock::now();
  const auto outcome = Run({"dump", "/dev/zero", "--type", "meteo"});
  EXPECT_EQ(outcome.status, 1);
  EXPECT_NE(outcome.err.find("not a regular file"), std::string::npos) << outcome.err;
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
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

class ReadingCommands : public ExampleDataTest,
                        public testing::WithParamInterface<std::vector<std::string>> {};

// Commands that only read open the document, and open it as the program does (the data files
// are stored back on closing); none of them may write, or even rewrite, a file of the folder.
TEST_P(ReadingCommands, LeaveEveryFileOfTheFolderUntouched) {
  std::vector<std::string> args = GetParam();
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

INSTANTIATE_TEST_SUITE_P(
    Commands, ReadingCommands,
    testing::Values(std::vector<std::string>{"list", "waypoints", "ROUTE", "--data-dir", "DIR"},
                    std::vector<std::string>{"list", "schedule", "ROUTE", "--data-dir", "DIR"},
                    std::vector<std::string>{"list", "history", "--data-dir", "DIR"},
                    std::vector<std::string>{"list", "storms", "--data-dir", "DIR"},
                    std::vector<std::string>{"plan", "ROUTE", "--data-dir", "DIR"},
                    std::vector<std::string>{"cpa", "ROUTE", "--data-dir", "DIR"},
                    std::vector<std::string>{"schedule", "--data-dir", "DIR"}));

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
  const auto plain = Run({"build", "--type", "ports"}, R"({"records":[{"Name":"Tokyo"}]})");
  EXPECT_EQ(plain.err, "");

  const auto fix = Run(FixAdd({"--weather", "\xF0\x9F\x8C\x8A"}));
  EXPECT_EQ(fix.status, 0) << fix.err;
  EXPECT_NE(fix.err.find("warning: --weather"), std::string::npos) << fix.err;
}

}  // namespace
}  // namespace keelmark::cli::test
