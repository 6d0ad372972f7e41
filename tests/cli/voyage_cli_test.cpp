// plan, cpa, fix add and performance on a scratch copy of the example data.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>

#include "records/archive_file.h"
#include "tests/cli/cli_run.h"

namespace keelmark::cli::test {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using ExampleVoyageTest = ExampleDataTest;

TEST_F(ExampleVoyageTest, PlanKeepsTheScheduleAndSumsTheLegs) {
  const auto fromDeparture = Run({"plan", Route(), "--data-dir", Folder(), "--from", "departure"});
  ASSERT_EQ(fromDeparture.status, 0) << fromDeparture.err;
  const json plan = json::parse(fromDeparture.out);
  EXPECT_EQ(plan["ArrivalTime"], "2026-12-10T20:00:00Z");
  const auto& waypoints = plan["Waypoints"];
  ASSERT_EQ(waypoints.size(), 12u);
  double sum = 0.0;
  for (std::size_t i = 1; i < waypoints.size(); ++i)
    sum += waypoints[i]["LegDistance"].get<double>();
  EXPECT_NEAR(sum, plan["TotalDistance"].get<double>(), 1e-6);
  // The manual leg through the Dover Strait keeps its 12 knots.
  EXPECT_EQ(waypoints[2]["ManualSpeed"], 1);
  EXPECT_DOUBLE_EQ(waypoints[2]["GroundSpeed"].get<double>(), 12.0);
  EXPECT_GT(waypoints[5]["Rpm"].get<double>(), 40.0);
  EXPECT_LT(waypoints[5]["Rpm"].get<double>(), 104.0);

  // From the document the plan starts at the latest fix: the legs behind keep the departure's
  // figures, the arrival stays where it was scheduled.
  const auto fromDocument = Run({"plan", Route(), "--data-dir", Folder()});
  ASSERT_EQ(fromDocument.status, 0) << fromDocument.err;
  EXPECT_EQ(json::parse(fromDocument.out)["ArrivalTime"], "2026-12-10T20:00:00Z");
  EXPECT_NE(json::parse(fromDocument.out)["Waypoints"][9], waypoints[9]);
}

TEST_F(ExampleVoyageTest, PlanAndCpaOnlyReadTheDataFolder) {
  // Regression: cpa stored every data file back, and so set a damaged one aside and wrote an
  // empty list in its place; plan and cpa write nothing, whatever they find.
  fs::remove(Path("vessel.dat"));
  fs::remove(Path("meteo.dat"));
  ASSERT_TRUE(WriteFileAtomically(Path("warning.dat"), std::string("\x03\0\0\0", 4)));
  const auto before = FolderBytes(Folder());
  for (const std::vector<std::string>& command :
       {std::vector<std::string>{"plan", Route(), "--data-dir", Folder(), "--from", "departure"},
        {"plan", Route(), "--data-dir", Folder()},
        {"cpa", Route(), "--data-dir", Folder(), "--from", "latest-fix"}}) {
    const auto outcome = Run(command);
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_NE(outcome.err.find("Can not load vessel data (cannot open"), std::string::npos);
    EXPECT_NE(outcome.err.find("Can not load meteolist"), std::string::npos);
    EXPECT_NE(outcome.err.find("warning.dat is damaged"), std::string::npos) << outcome.err;
  }
  EXPECT_EQ(FolderBytes(Folder()), before);
}

// On the route from the latest fix, and on the present course, which leaves the route for the
// storms while warnings still follow the route.
TEST_F(ExampleVoyageTest, ClosestApproachOfEveryStormAndWarning) {
  const auto onRoute = Run({"cpa", Route(), "--data-dir", Folder(), "--from", "latest-fix"});
  ASSERT_EQ(onRoute.status, 0) << onRoute.err;
  const json cpa = json::parse(onRoute.out);
  ASSERT_EQ(cpa["storms"].size(), 2u);
  ASSERT_EQ(cpa["warnings"].size(), 3u);
  // The drifting containers lie close to the track near 41N 057W (sampled every 10 hours).
  const json& containers = cpa["warnings"][0]["cpa"];
  EXPECT_EQ(cpa["warnings"][0]["Name"], "NAVAREA IV 1187/26");
  EXPECT_LT(containers["distance"].get<double>(), 100.0);
  EXPECT_GE(containers["bearing"].get<double>(), 0.0);
  EXPECT_LT(containers["bearing"].get<double>(), 360.0);
  for (const auto& storm : cpa["storms"]) EXPECT_GT(storm["cpa"]["distance"].get<double>(), 100.0);

  const auto straight =
      Run({"cpa", Route(), "--data-dir", Folder(), "--from", "latest-fix", "--present-course"});
  ASSERT_EQ(straight.status, 0) << straight.err;
  const json line = json::parse(straight.out);
  ASSERT_EQ(line["storms"].size(), 2u);
  for (std::size_t i = 0; i < 2; ++i) {
    const json& storm = line["storms"][i]["cpa"];
    ASSERT_TRUE(storm["time"].is_string()) << storm.dump();
    // Not before the latest fix (06 Dec 09:00 UTC), and another place than on the route.
    EXPECT_GE(storm["time"].get<std::string>(), "2026-12-06T09:00:00Z") << storm.dump();
    EXPECT_NE(storm["distance"], cpa["storms"][i]["cpa"]["distance"]) << storm.dump();
  }
  EXPECT_EQ(line["warnings"], cpa["warnings"]);
}

TEST_F(ExampleVoyageTest, CpaFromTheDepartureFollowsTheRoute) {
  // Regression: the departure start made good no speed and no course, so a storm was met at
  // no time on the first leg and the warning search took its first 10-hour step due north from
  // the departure, putting the drifting containers' CPA 445 nM off at 48.6N. Stepping on the
  // leg courses from the departure still drifts off the great-circle legs over 3000 nM.
  const auto outcome = Run({"cpa", Route(), "--data-dir", Folder(), "--from", "departure"});
  ASSERT_EQ(outcome.status, 0) << outcome.err;
  const json cpa = json::parse(outcome.out);
  const json& containers = cpa["warnings"][0]["cpa"];
  EXPECT_LT(containers["distance"].get<double>(), 300.0) << containers.dump();
  EXPECT_LT(containers["latitude"].get<double>(), 46.0) << containers.dump();
  ASSERT_EQ(cpa["storms"].size(), 2u);
  for (const auto& storm : cpa["storms"]) {
    ASSERT_TRUE(storm["cpa"]["time"].is_string()) << storm.dump();
    const std::string time = storm["cpa"]["time"];
    EXPECT_GT(time, "2026-12-01T06:00:00Z") << storm.dump();  // the departure
    EXPECT_LT(time, "2026-12-10T20:00:00Z") << storm.dump();  // the arrival
  }
}

TEST_F(ExampleVoyageTest, FixAddRunsThePipelineAndStoresTheHistory) {
  // The latest example fix is 09:00 UTC at about 42.8N 041.6W, making 255 degrees.
  const auto before = ReadWholeFile(Path("voyage.dat"));
  const auto outcome = Run(
      {"fix",        "add",    "--data-dir",           Folder(), "--lat",     "42.55",    "--lon",
       "-42.2",      "--time", "2026-12-06T12:00:00Z", "--rpm",  "72",        "--course", "245",
       "--wind-dir", "250",    "--wind-speed",         "22",     "--weather", "RAIN"});
  ASSERT_EQ(outcome.status, 0) << outcome.err;
  const json fix = json::parse(outcome.out);
  EXPECT_EQ(fix["Name"], "Latest Position Fix");
  EXPECT_EQ(fix["TimeUtc"], "2026-12-06T12:00:00Z");
  EXPECT_GT(fix["SpeedMadeGood"].get<double>(), 5.0);
  EXPECT_LT(fix["SpeedMadeGood"].get<double>(), 40.0);
  EXPECT_GT(fix["LogSpeed"].get<double>(), 5.0);
  EXPECT_TRUE(fix["messages"].empty());
  EXPECT_NE(*ReadWholeFile(Path("voyage.dat")), *before);  // stored at the end
}

TEST_F(ExampleVoyageTest, FixAddOver40KnotsShowsTheMessage) {
  const auto far = Run({"fix", "add", "--data-dir", Folder(), "--lat", "30", "--lon", "-20",
                        "--time", "2026-12-06T10:00:00Z"});
  ASSERT_EQ(far.status, 0) << far.err;
  EXPECT_EQ(json::parse(far.out)["messages"],
            json::array({"Groundspeed exceeding 40 kts\nCourse and speed not updated"}));
}

TEST_F(ExampleVoyageTest, PerformanceTextsAndRanges) {
  const auto outcome =
      Run({"performance", Route(), "--data-dir", Folder(), "--from", "4", "--till", "0"});
  ASSERT_EQ(outcome.status, 0) << outcome.err;
  const json texts = json::parse(outcome.out);
  EXPECT_EQ(texts["hours"], "    24.0 hrs");  // swapped: fix 0 to fix 4, six hours apart
  EXPECT_NE(texts["Distance remaining"], "NA");
  const auto same = Run({"performance", "--data-dir", Folder(), "--from", "2", "--till", "2"});
  ASSERT_EQ(same.status, 0) << same.err;
  EXPECT_EQ(json::parse(same.out)["Distance made"], "NA");
  EXPECT_EQ(json::parse(same.out)["Distance remaining"], "NA");  // no route given
  EXPECT_EQ(Run({"performance", "--data-dir", Folder(), "--from", "0", "--till", "99"}).status, 1);
  EXPECT_EQ(Run({"performance", "--data-dir", Folder(), "--from", "0.5", "--till", "1"}).status, 1);
}

TEST_F(ExampleVoyageTest, CommandsNeverChangeTheSettingsFile) {
  // A missing data file is "located" by cancelling, which in the program forgets its path;
  // the settings file named on the command line must keep it.
  const std::string settings = Path("keelmark.ini");
  ASSERT_EQ(Run({"--settings", settings, "settings", "set", "Path", "portinfo", "port.dat"}).status,
            0);
  const auto before = ReadWholeFile(settings);
  ASSERT_TRUE(before);
  std::filesystem::remove(Path("hurricane.dat"));
  const auto outcome = Run({"--settings", settings, "list", "Ports", "--data-dir", Folder()});
  EXPECT_NE(outcome.err.find("Unable to load hurricane data"), std::string::npos);
  EXPECT_EQ(ReadWholeFile(settings), before);
}

}  // namespace
}  // namespace keelmark::cli::test
