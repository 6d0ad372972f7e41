// keelmark nav and time: the answers as JSON, and one clear line for a wrong call.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "tests/cli/cli_run.h"

namespace keelmark::cli::test {
namespace {

struct Answer {
  std::vector<std::string> args;
  const char* key;
  nlohmann::json expected;  // a number within 1e-8, or exactly this text
};

TEST(NavCli, AnswersAsJson) {
  const std::vector<std::string> position = {"nav", "position", "-33.25,179.5"};
  const std::vector<std::string> dr = {"nav",      "dr", "--from",     "10,20",
                                       "--course", "0",  "--distance", "60"};
  const Answer answers[] = {
      {{"nav", "distance", "--from", "10,20", "--to", "11,20"}, "distance", 60.0},
      {{"nav", "course", "--from", "0,0", "--to", "0,-10", "--rhumb"}, "course", 270.00000001},
      // Just short of 1800 nM: only visible with every digit printed.
      {{"nav", "distance", "--from", "60,0", "--to", "60,60", "--rhumb"},
       "distance",
       1799.99999957},
      {dr, "latitude", 11.0},
      {dr, "longitude", 20.0},
      {position, "LatitudeText", "33 : 15.00 S"},
      {position, "LongitudeText", "179 : 30.00 E"},
      {position, "ReportLatitude", "3315S/"},
      {position, "ReportLongitude", "17930E/"},
      {position, "ExportLine",
       "New Position,-33.2500,179.5000,0.000000,0.000000,0.000000,0.000000"},
      {{"time", "daynumber", "2004-03-01T12:00:00Z"}, "daynumber", 1522.5},
      {{"--now", "2026-12-06T12:00:00Z", "time", "from-daynumber", "1522.5"},
       "time",
       "2004-03-01T12:00:00Z"},
  };
  for (const Answer& answer : answers) {
    const CliOutcome o = RunCliWithInput(answer.args);
    ASSERT_EQ(o.status, 0) << o.err;
    const nlohmann::json value = nlohmann::json::parse(o.out)[answer.key];
    if (answer.expected.is_number()) {
      EXPECT_NEAR(value.get<double>(), answer.expected.get<double>(), 1e-8) << answer.key;
    } else {
      EXPECT_EQ(value, answer.expected);
    }
  }
}

struct ErrorCase {
  std::vector<std::string> args;
  int status;
};

class CliErrorTest : public testing::TestWithParam<ErrorCase> {};

TEST_P(CliErrorTest, OneClearLineAndTheRightStatus) {
  const CliOutcome o = RunCliWithInput(GetParam().args);
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
        ErrorCase{{"list", "Moorings", "r.q3v"}, 2}, ErrorCase{{"list", "10", "r.q3v"}, 2},
        ErrorCase{{"list", "ports", "r.q3v", "--format", "xls"}, 2},
        ErrorCase{{"list", "ports", "/nonexistent/none.q3v"}, 1},
        ErrorCase{{"meteo", "send", "x.csv"}, 2},
        ErrorCase{{"report", "r.q3v", "--system", "NAVTEX", "--kind", "position-report"}, 2},
        ErrorCase{{"report", "r.q3v", "--system", "AMVER", "--kind", "noon-report"}, 2}));

}  // namespace
}  // namespace keelmark::cli::test
