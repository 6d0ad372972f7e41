// keelmark dump, build and settings beyond the golden files (golden_files_test): what a build
// writes for fields left out, the inputs it refuses, older layouts, and the settings file.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

#include "records/archive.h"
#include "records/chart.h"
#include "records/port.h"
#include "tests/cli/cli_run.h"

namespace keelmark::cli::test {
namespace {

using nlohmann::json;

// A build without fields writes what the program writes for a new record (creation times from
// --now); a list without records is its count, 0.
TEST(BuildCli, EmptyObjectIsANewRecordOrAnEmptyList) {
  const std::pair<const char*, const char*> records[] = {
      {"record:storm", "storm_default.bin"},
      {"record:chart", "chart_default.bin"},
      {"record:port", "port_default.bin"},
      {"record:warning", "warning_default.bin"},
      {"record:reportingpoint", "reporting_point_default.bin"},
      {"record:forecast", "forecast_default.bin"},
      {"record:waypoint", "default_waypoint.bin"},
      {"vessel", "default_vessel.bin"}};
  for (const auto& [type, file] : records) {
    EXPECT_EQ(Build(json::object(), type), FileText(DataPath(file))) << type;
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
  for (const std::vector<std::string>& set :
       {std::vector<std::string>{"Settings", "HistoryCleanUp", "14"},
        std::vector<std::string>{"Keelmark Route", "ConvChar", ";"}}) {
    std::vector<std::string> args{"--settings", path, "settings", "set"};
    args.insert(args.end(), set.begin(), set.end());
    const CliOutcome o = RunCliWithInput(args);
    ASSERT_EQ(o.status, 0) << o.err;
  }
  EXPECT_EQ(FileText(path),
            "[Keelmark%20Route]\nConvChar=\";\"\n\n[Settings]\nHistoryCleanUp=14\n");
  const CliOutcome show = RunCliWithInput({"--settings", path, "settings", "show"});
  ASSERT_EQ(show.status, 0) << show.err;
  const json shown = json::parse(show.out);
  EXPECT_EQ(shown["Settings"]["HistoryCleanUp"], 14);
  EXPECT_EQ(shown["Keelmark Route"]["ConvChar"], ";");
  EXPECT_EQ(shown["Path"]["vesseldata"], "vessel.dat");  // a default
  // Without a settings file the defaults are shown.
  EXPECT_EQ(json::parse(RunCliWithInput({"settings", "show"}).out)["Settings"]["ChartSelected"],
            -1);
}

}  // namespace
}  // namespace keelmark::cli::test
