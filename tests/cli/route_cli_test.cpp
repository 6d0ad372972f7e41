// keelmark dump and build of the route files: the route document, the history, the average
// weather, the schedule and the single waypoint and fix files.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "tests/cli/cli_run.h"

namespace keelmark::cli {
namespace {

using Bytes = std::string;

using Outcome = test::CliOutcome;

Outcome RunCli(const std::vector<std::string>& args, const std::string& input = "") {
  return test::RunCliWithInput(args, input);
}

using test::Build;
using test::DataPath;
using test::Dump;
using test::WriteTemp;

TEST(RouteJson, LeftOutFieldsTakeTheDefaults) {
  EXPECT_EQ(Build(nlohmann::json::object(), "record:waypoint"),
            test::FileText(DataPath("default_waypoint.bin")));
  // One default fix: the position, a default weather block and the fix's own seven doubles.
  const Bytes history = Build({{"records", {nlohmann::json::object()}}}, "history");
  EXPECT_EQ(history.size(), 4u + 69 + 101 + 7 * 8);
  const Bytes schedule = Build({{"records", {{{"Name", "Kiel"}}}}}, "schedule");
  EXPECT_EQ(schedule.size(), 4u + 4 * 8 + 5);
  const auto back = nlohmann::json::parse(
      RunCli({"dump", WriteTemp("s.dat", schedule), "--type", "schedule"}).out);
  EXPECT_EQ(back["records"][0]["PortStay"], 24.0);
  EXPECT_EQ(back["records"][0]["Distance"], 100.0);
}

TEST(RouteJson, RouteWithChartsAndReportingPointsComesBackByteForByte) {
  const nlohmann::json content = {
      {"Voyage", {{"VoyageNumber", "R1"}, {"Waypoints", {{{"Name", "A"}}, {{"Name", "B"}}}}}},
      {"Charts", {nlohmann::json::object()}},
      {"ReportingPoints", {nlohmann::json::object()}}};
  const Bytes built = Build(content, "route");
  ASSERT_FALSE(built.empty());
  EXPECT_EQ(built.substr(0, 4), Bytes("\x04\0\0\0", 4));
  const std::string path = WriteTemp("route.q3v", built);
  EXPECT_EQ(Build(Dump(path, "route"), "route"), built);
}

struct RefusedCase {
  const char* type;
  const char* json;
};

class RouteBuildRefusalTest : public testing::TestWithParam<RefusedCase> {};

TEST_P(RouteBuildRefusalTest, OneLineAndNoOutput) {
  const Outcome o = RunCli({"build", "--type", GetParam().type}, GetParam().json);
  EXPECT_EQ(o.status, 1);
  EXPECT_TRUE(o.out.empty());
  EXPECT_EQ(o.err.find('\n'), o.err.size() - 1) << o.err;
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, RouteBuildRefusalTest,
    testing::Values(
        // An older block's bare pressure above 8000 would read back as the full layout.
        RefusedCase{"record:fix", R"({"Weather":{"OlderLayout":true,"AirPressure":9500}})"},
        // A pressure the mark cannot carry would lose the fields after it.
        RefusedCase{"record:waypoint", R"({"Weather":{"AirPressure":-1200}})"},
        // A version 3 voyage has no note to hold it.
        RefusedCase{"route", R"({"Voyage":{"Version":3,"Note":"lost"}})"},
        RefusedCase{"history", R"({"records":[1,2]})"},
        RefusedCase{"meteo", R"({"records":[{"Latest":[]}]})"}));

}  // namespace
}  // namespace keelmark::cli
