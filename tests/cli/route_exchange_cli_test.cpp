// keelmark route export|import on a scratch copy of the example data.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>

#include "records/archive_file.h"
#include "tests/cli/cli_run.h"

namespace keelmark::cli::test {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

// Every command on the example's data folder.
class ExampleCopy : public ExampleDataTest {
 protected:
  CliOutcome Run(std::vector<std::string> args) const {
    args.insert(args.end(), {"--data-dir", Folder()});
    return ExampleDataTest::Run(args);
  }
};

class RouteExchangeCli : public ExampleCopy, public testing::WithParamInterface<const char*> {};

TEST_P(RouteExchangeCli, ExampleExportedAndImportedGivesTheSamePlan) {
  const std::string format = GetParam();
  const std::string file = Path(format == "gpx" ? "crossing.gpx" : "crossing.rtz");
  const auto exported =
      Run({"route", "export", file, "--format", format, "--route", Path("atlantic-westbound.q3v")});
  ASSERT_EQ(exported.status, 0) << exported.err;
  EXPECT_EQ(json::parse(exported.out)["exported"], 12);
  // The example's zone times cannot go across; the export says so.
  EXPECT_NE(exported.err.find("carries no zone times"), std::string::npos) << exported.err;

  const auto imported =
      Run({"route", "import", file, "--format", format, "--route", Path("imported.q3v")});
  ASSERT_EQ(imported.status, 0) << imported.err;
  EXPECT_EQ(json::parse(imported.out)["imported"], 12);

  const json before = json::parse(Run({"plan", Path("atlantic-westbound.q3v")}).out);
  const json after = json::parse(Run({"plan", Path("imported.q3v")}).out);
  EXPECT_EQ(after["ArrivalTime"], before["ArrivalTime"]);
  EXPECT_NEAR(after["TotalDistance"].get<double>(), before["TotalDistance"].get<double>(), 1e-6);
  ASSERT_EQ(after["Waypoints"].size(), before["Waypoints"].size());
  for (std::size_t i = 0; i < before["Waypoints"].size(); ++i) {
    for (const auto& [key, value] : before["Waypoints"][i].items()) {
      if (key == "ZoneOffset") continue;
      const json& other = after["Waypoints"][i][key];
      if (value.is_number_float()) {
        EXPECT_NEAR(other.get<double>(), value.get<double>(), 1e-6) << i << " " << key;
      } else {
        EXPECT_EQ(other, value) << i << " " << key;
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(EveryFormat, RouteExchangeCli,
                         testing::Values("gpx", "rtz10", "rtz11", "rtz12"));

TEST_F(ExampleCopy, BadRouteFileOrFormatChangesNoRouteDocument) {
  const std::string route = Path("atlantic-westbound.q3v");
  const auto bytes = ReadWholeFile(route);
  ASSERT_TRUE(WriteFileAtomically(Path("bad.rtz"),
                                  "<route><waypoints><waypoint id=\"1\">"
                                  "<position lat=\"95\" lon=\"0\"/></waypoint>"
                                  "</waypoints></route>"));
  const auto bad = Run({"route", "import", Path("bad.rtz"), "--format", "rtz12", "--route", route});
  EXPECT_EQ(bad.status, 1);
  EXPECT_NE(bad.err.find("latitude 95 is beyond 90 degrees"), std::string::npos) << bad.err;
  EXPECT_EQ(ReadWholeFile(route), bytes);

  const auto unknown =
      Run({"route", "import", Path("bad.rtz"), "--format", "kml", "--route", route});
  EXPECT_EQ(unknown.status, 2);
  EXPECT_NE(unknown.err.find("unknown --format 'kml'"), std::string::npos);
  const auto noRoute = Run({"route", "export", Path("x.gpx"), "--format", "gpx"});
  EXPECT_EQ(noRoute.status, 2);
  EXPECT_FALSE(fs::exists(Path("x.gpx")));
}

}  // namespace
}  // namespace keelmark::cli::test
