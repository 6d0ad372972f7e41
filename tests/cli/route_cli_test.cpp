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

std::string DataPath(const std::string& name) { return std::string(KEELMARK_TEST_DATA) + "/" + name; }

Bytes ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string WriteTemp(const std::string& name, const Bytes& bytes) {
  const std::string path = testing::TempDir() + "route_cli_" + name;
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

nlohmann::json Dump(const std::string& path, const std::string& type) {
  const Outcome o = RunCli({"dump", path, "--type", type});
  EXPECT_EQ(o.status, 0) << o.err;
  return nlohmann::json::parse(o.out);
}

Bytes Build(const nlohmann::json& content, const std::string& type) {
  const Outcome o = RunCli({"build", "--type", type}, content.dump());
  EXPECT_EQ(o.status, 0) << o.err;
  return o.out;
}

struct FileCase {
  const char* type;
  const char* file;
};

class RouteDumpBuildTest : public testing::TestWithParam<FileCase> {};

TEST_P(RouteDumpBuildTest, BuildFromTheDumpGivesTheSameBytes) {
  const std::string path = DataPath(GetParam().file);
  const Bytes golden = ReadFile(path);
  ASSERT_FALSE(golden.empty());
  EXPECT_EQ(Build(Dump(path, GetParam().type), GetParam().type), golden);
}

TEST_P(RouteDumpBuildTest, DamagedFileGivesOneLineNamingIt) {
  Bytes bytes = ReadFile(DataPath(GetParam().file));
  bytes.resize(bytes.size() - 3);
  const std::string path = WriteTemp(std::string("cut_") + GetParam().file, bytes);
  const Outcome o = RunCli({"dump", path, "--type", GetParam().type});
  EXPECT_EQ(o.status, 1);
  EXPECT_TRUE(o.out.empty());
  EXPECT_NE(o.err.find(path), std::string::npos) << o.err;
  EXPECT_NE(o.err.find("damaged"), std::string::npos) << o.err;
  EXPECT_EQ(o.err.find('\n'), o.err.size() - 1) << "one line: " << o.err;
}

INSTANTIATE_TEST_SUITE_P(
    Types, RouteDumpBuildTest,
    testing::Values(FileCase{"route", "route_v4.q3v"}, FileCase{"route", "route_v3.q3v"},
                    FileCase{"history", "history.dat"}, FileCase{"meteo", "meteo.dat"},
                    FileCase{"schedule", "schedule.dat"},
                    FileCase{"record:waypoint", "default_waypoint.bin"},
                    FileCase{"record:fix", "fix_older_weather.dat"}),
    [](const auto& info) {
      std::string name = info.param.file;
      for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
      }
      return name;
    });

TEST(RouteJson, FieldsUnderTheirOwnNames) {
  const auto history = Dump(DataPath("history.dat"), "history");
  ASSERT_EQ(history["records"].size(), 2u);
  const auto& first = history["records"][0];
  EXPECT_EQ(first["Name"], "Position Fix");
  EXPECT_EQ(first["Latitude"], 50.0);
  EXPECT_EQ(first["CourseMadeGood"], 87.5);
  EXPECT_EQ(first["DraftAft"], 9.5);
  EXPECT_EQ(first["Weather"]["WeatherText"], "RAIN");
  EXPECT_EQ(first["Weather"]["AirPressure"], 1010.0);
  EXPECT_FALSE(first["Weather"].contains("OlderLayout"));
  EXPECT_EQ(history["records"][1]["Weather"]["OlderLayout"], true);

  const auto route = Dump(DataPath("route_v4.q3v"), "route");
  EXPECT_EQ(route["Voyage"]["VoyageNumber"], "V-042");
  EXPECT_EQ(route["Voyage"]["Note"], "Keep clear of the TSS");
  EXPECT_EQ(route["Voyage"]["Waypoints"][1]["GreatCircle"], 1);
  EXPECT_TRUE(route["Charts"].is_array());
  EXPECT_TRUE(route["ReportingPoints"].is_array());

  const auto meteo = Dump(DataPath("meteo.dat"), "meteo");
  EXPECT_EQ(meteo["records"][0]["SepDec"]["WeatherText"], "FOG");
  EXPECT_EQ(meteo["records"][0]["JanFeb"]["OlderLayout"], true);
}

TEST(RouteJson, LeftOutFieldsTakeTheDefaults) {
  EXPECT_EQ(Build(nlohmann::json::object(), "record:waypoint"),
            ReadFile(DataPath("default_waypoint.bin")));
  // One default fix: the position, a default weather block and the fix's own seven doubles.
  const Bytes history = Build({{"records", {nlohmann::json::object()}}}, "history");
  EXPECT_EQ(history.size(), 4u + 69 + 101 + 7 * 8);
  const Bytes schedule = Build({{"records", {{{"Name", "Kiel"}}}}}, "schedule");
  EXPECT_EQ(schedule.size(), 4u + 4 * 8 + 5);
  const auto back = nlohmann::json::parse(RunCli({"dump", WriteTemp("s.dat", schedule), "--type",
                                                  "schedule"}).out);
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
