// keelmark nav and time: the answers as JSON, and one clear line for a wrong call of any command.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "tests/cli/cli_run.h"

namespace keelmark::cli::test {
namespace {

TEST(NavCli, AnswersAsJson) {
  for (const auto& c : DataTable("nav_answers.txt")) {
    SCOPED_TRACE(c[0]);
    const CliOutcome o = RunCliWithInput(Words(c[0]));
    ASSERT_EQ(o.status, 0) << o.err;
    const nlohmann::json value = nlohmann::json::parse(o.out)[c[1]];
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

}  // namespace
}  // namespace keelmark::cli::test
