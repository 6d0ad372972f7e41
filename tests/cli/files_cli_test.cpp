// keelmark dump, build and settings beyond the golden files (golden_files_test): what a build
// writes for fields left out, the inputs it refuses, older layouts, and the settings file; nav and
// time answers, and the wrong calls of every command; no data lost through the command line.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <tuple>

#include "records/archive.h"
#include "records/archive_file.h"
#include "records/chart.h"
#include "records/port.h"
#include "tests/cli/cli_run.h"

namespace keelmark::cli::test {
namespace {

using nlohmann::json;

// A build without fields writes what the program writes for a new record (creation times from
// --now); a list without records is its count, 0.
TEST(BuildCli, EmptyObjectIsANewRecordOrAnEmptyList) {
  for (const auto& c : DataTable("empty_builds.txt")) {
    EXPECT_EQ(Build(json::object(), c[0]), FileText(DataPath(c[1]))) << c[0];
  }
  for (const char* type : {"ports", "storms", "warnings", "forecasts"}) {
    EXPECT_EQ(Build(json::object(), type), std::string(4, '\0')) << type;
  }
  // A schedule item's left-out port stay and distance are the program's 24 h and 100 nM.
  const std::string schedule = Build({{"records", {{{"Name", "Kiel"}}}}}, "schedule");
  const json back = Dump(WriteTemp("schedule.dat", schedule), "schedule");
  EXPECT_EQ(back["records"][0]["PortStay"], 24.0);
  EXPECT_EQ(back["records"][0]["Distance"], 100.0);
}

TEST(BuildCli, RefusedInputIsOneLineNamingTheFieldAndNoOutput) {
  for (const auto& c : DataTable("build_refusals.txt")) {
    SCOPED_TRACE(c[1]);
    const CliOutcome o = RunCliWithInput({"build", "--type", c[0]}, c[1]);
    EXPECT_EQ(o.status, 1);
    EXPECT_TRUE(o.out.empty());
    EXPECT_EQ(o.err.rfind("keelmark: ", 0), 0u) << o.err;
    EXPECT_NE(o.err.find(c[2]), std::string::npos) << o.err;
    EXPECT_EQ(o.err.find('\n'), o.err.size() - 1) << o.err;
  }
}

// Every record of an older layout, and a chart whose name copy differs or whose names the
// loading rules would replace, comes back byte for byte.
TEST(BuildCli, OlderChartsAndNameCopiesSurvive) {
  const std::string golden = FileText(DataPath("chart_list_mixed.bin"));
  // The chart list lives in route documents; here each of its records is a chart file.
  Archive in = Archive::ForLoading(Archive::Bytes(golden.begin(), golden.end()));
  ASSERT_EQ(in.ReadI32(), 3);
  for (int k = 0; k < 3; ++k) {
    Chart chart;
    chart.SerializeAsStored(in);
    Archive out = Archive::ForStoring();
    chart.SerializeAsStored(out);
    const std::string record(out.StoredBytes().begin(), out.StoredBytes().end());
    const json dumped =
        Dump(WriteTemp("chart" + std::to_string(k) + ".bin", record), "record:chart");
    EXPECT_EQ(Build(dumped, "record:chart"), record) << dumped.dump();
  }
}

TEST(BuildCli, PortWithoutAMarkIsWrittenInTheNewerLayout) {
  json port = Dump(DataPath("port_older_layout.bin"), "record:port");
  port.erase("LayoutMark");
  port["HfoQty"] = 650;
  const std::string built = Build(port, "record:port");
  // The fourteen integers and two empty texts of the newer layout are added.
  EXPECT_EQ(built.size(), FileText(DataPath("port_older_layout.bin")).size() + 14 * 4 + 2);
  Archive in = Archive::ForLoading(Archive::Bytes(built.begin(), built.end()));
  Port loaded;
  loaded.Serialize(in);
  EXPECT_TRUE(in.AtEnd());
  EXPECT_EQ(loaded.LayoutMark, 1000);
  EXPECT_EQ(loaded.HfoQty, 650);
}

TEST(BuildCli, VesselFieldsGivenAreKeptAndTrailingBytesAreDamage) {
  const std::string named = Build(json::parse(R"({"name": "mv Other", "mctc": "NaN"})"), "vessel");
  const json back = Dump(WriteTemp("named.dat", named), "vessel");
  EXPECT_EQ(back["name"], "mv Other");
  EXPECT_EQ(back["mctc"], "NaN");
  EXPECT_EQ(back["lengthPP"], 247.0);  // the default
  const CliOutcome trailing =
      RunCliWithInput({"dump", WriteTemp("trailing.dat", named + '\0'), "--type", "vessel"});
  EXPECT_EQ(trailing.status, 1);
  EXPECT_TRUE(trailing.out.empty());
}

TEST(SettingsCli, SetAndShowThroughTheSettingsFile) {
  const std::string path = testing::TempDir() + "keelmark_cli_settings.ini";
  std::filesystem::remove(path);
  for (const auto& [section, key, value] : {std::tuple{"Settings", "HistoryCleanUp", "14"},
                                            std::tuple{"Keelmark Route", "ConvChar", ";"}}) {
    const CliOutcome o =
        RunCliWithInput({"--settings", path, "settings", "set", section, key, value});
    ASSERT_EQ(o.status, 0) << o.err;
  }
  EXPECT_EQ(FileText(path),
            "[Keelmark%20Route]\nConvChar=\";\"\n\n[Settings]\nHistoryCleanUp=14\n");
  const json shown = JsonOut(RunCliWithInput({"--settings", path, "settings", "show"}));
  EXPECT_EQ(shown["Settings"]["HistoryCleanUp"], 14);
  EXPECT_EQ(shown["Keelmark Route"]["ConvChar"], ";");
  EXPECT_EQ(shown["Path"]["vesseldata"], "vessel.dat");  // a default
  // Without a settings file the defaults are shown.
  EXPECT_EQ(json::parse(RunCliWithInput({"settings", "show"}).out)["Settings"]["ChartSelected"],
            -1);
}

// --- keelmark nav and time: the answers as JSON, and one clear line for a wrong call of any
// command ---
TEST(NavCli, AnswersAsJson) {
  for (const auto& c : DataTable("nav_answers.txt")) {
    SCOPED_TRACE(c[0]);
    const nlohmann::json value = JsonOut(RunCliWithInput(Words(c[0])))[c[1]];
    const nlohmann::json expected = nlohmann::json::parse(c[2], nullptr, false);
    if (expected.is_number()) {
      EXPECT_NEAR(value.get<double>(), expected.get<double>(), 1e-8);
    } else {
      EXPECT_EQ(value, c[2]);
    }
  }
}

TEST(CliErrors, OneClearLineAndTheRightStatus) {
  for (const auto& c : DataTable("cli_errors.txt")) {
    SCOPED_TRACE(c.size() > 1 ? c[1] : "no words");
    const CliOutcome o = RunCliWithInput(c.size() > 1 ? Words(c[1]) : std::vector<std::string>{});
    EXPECT_EQ(o.status, std::stoi(c[0]));
    EXPECT_TRUE(o.out.empty());
    EXPECT_EQ(o.err.rfind("keelmark: ", 0), 0u) << o.err;
  }
}

// --- No data lost through the command line: refused input leaves the data folder byte for byte
// as it was, a store that fails is exit 1, and special files and times out of range are
// refused ---
namespace fs = std::filesystem;

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
