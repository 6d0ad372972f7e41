#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdio>
#include <sstream>

#include "cli/cli.h"

namespace keelmark::cli {
namespace {

struct Outcome {
  int status;
  std::string out;
  std::string err;
  [[nodiscard]] nlohmann::json Json() const { return nlohmann::json::parse(out); }
};

Outcome RunCli(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int status = Run(args, out, err);
  return {status, out.str(), err.str()};
}

TEST(NavCli, DistanceAndCourse) {
  const Outcome gc = RunCli({"nav", "distance", "--from", "10,20", "--to", "11,20"});
  ASSERT_EQ(gc.status, 0) << gc.err;
  EXPECT_NEAR(gc.Json()["distance"].get<double>(), 60.0, 1e-9);
  const Outcome rl = RunCli({"nav", "course", "--from", "0,0", "--to", "0,-10", "--rhumb"});
  ASSERT_EQ(rl.status, 0) << rl.err;
  EXPECT_NEAR(rl.Json()["course"].get<double>(), 270.00000001, 1e-8);
}

TEST(NavCli, NumbersKeepFullPrecision) {
  const Outcome o = RunCli({"nav", "distance", "--from", "60,0", "--to", "60,60", "--rhumb"});
  ASSERT_EQ(o.status, 0);
  // 1799.9999996 is only visible with every digit printed.
  const double d = o.Json()["distance"].get<double>();
  EXPECT_LT(d, 1800.0);
  EXPECT_NEAR(d, 1799.9999996, 1e-6);
}

TEST(NavCli, DeadReckoning) {
  const Outcome o = RunCli({"nav", "dr", "--from", "10,20", "--course", "0", "--distance", "60"});
  ASSERT_EQ(o.status, 0) << o.err;
  EXPECT_NEAR(o.Json()["latitude"].get<double>(), 11.0, 1e-9);
  EXPECT_NEAR(o.Json()["longitude"].get<double>(), 20.0, 1e-9);
}

TEST(NavCli, PositionTexts) {
  const Outcome o = RunCli({"nav", "position", "-33.25,179.5"});
  ASSERT_EQ(o.status, 0) << o.err;
  const auto j = o.Json();
  EXPECT_EQ(j["LatitudeText"], "33 : 15.00 S");
  EXPECT_EQ(j["LongitudeText"], "179 : 30.00 E");
  EXPECT_EQ(j["ReportLatitude"], "3315S/");
  EXPECT_EQ(j["ReportLongitude"], "17930E/");
  EXPECT_EQ(j["ExportLine"], "New Position,-33.2500,179.5000,0.000000,0.000000,0.000000,0.000000");
}

TEST(TimeCli, DayNumbersBothWays) {
  const Outcome d = RunCli({"time", "daynumber", "2004-03-01T12:00:00Z"});
  ASSERT_EQ(d.status, 0) << d.err;
  EXPECT_DOUBLE_EQ(d.Json()["daynumber"].get<double>(), 1522.5);
  const Outcome t = RunCli({"--now", "2026-12-06T12:00:00Z", "time", "from-daynumber", "1522.5"});
  ASSERT_EQ(t.status, 0) << t.err;
  EXPECT_EQ(t.Json()["time"], "2004-03-01T12:00:00Z");
}

// The program's own options take "--name VALUE" and "--name=VALUE", as command options do.
TEST(GlobalOptions, TakeTheirValueInEitherForm) {
  const std::string settings = testing::TempDir() + "keelmark_global_options.ini";
  std::remove(settings.c_str());
  EXPECT_EQ(
      RunCli({"--settings=" + settings, "settings", "set", "Settings", "Homepage", "x"}).status, 0);
  EXPECT_EQ(RunCli({"--settings", settings, "settings", "show"}).Json()["Settings"]["Homepage"],
            "x");
  const Outcome t = RunCli({"--now=2026-12-06T12:00:00Z", "time", "from-daynumber", "1522.5"});
  EXPECT_EQ(t.Json()["time"], "2004-03-01T12:00:00Z");
}

struct ErrorCase {
  std::vector<std::string> args;
  int status;
};

class CliErrorTest : public testing::TestWithParam<ErrorCase> {};

TEST_P(CliErrorTest, OneClearLineAndTheRightStatus) {
  const Outcome o = RunCli(GetParam().args);
  EXPECT_EQ(o.status, GetParam().status);
  EXPECT_TRUE(o.out.empty());
  ASSERT_FALSE(o.err.empty());
  EXPECT_EQ(o.err.rfind("keelmark: ", 0), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Errors, CliErrorTest,
    testing::Values(
        ErrorCase{{"nav", "distance", "--from", "north,5", "--to", "1,1"}, 1},
        ErrorCase{{"nav", "distance", "--from", "45", "--to", "1,1"}, 1},
        ErrorCase{{"nav", "dr", "--from", "1,1", "--course", "12x", "--distance", "5"}, 1},
        ErrorCase{{"nav", "dr", "--from", "1,1", "--course", "nan", "--distance", "5"}, 1},
        ErrorCase{{"time", "daynumber", "2026-02-30T00:00:00Z"}, 1},
        ErrorCase{{"time", "from-daynumber", "1e300"}, 1},
        ErrorCase{{"nav", "distance", "--from", "1,1"}, 2},
        ErrorCase{{"nav", "distance", "--from", "1,1", "--to", "2,2", "--bogus"}, 2},
        ErrorCase{{"nav", "fly"}, 2}, ErrorCase{{}, 2}, ErrorCase{{"--now", "soon", "nav"}, 2},
        ErrorCase{{"--now=", "nav"}, 2}, ErrorCase{{"--now=soon", "nav"}, 2},
        ErrorCase{{"--help=no", "nav"}, 2}, ErrorCase{{"--bogus=1", "nav"}, 2},
        ErrorCase{{"--settings"}, 2}));

}  // namespace
}  // namespace keelmark::cli
