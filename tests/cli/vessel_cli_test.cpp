// keelmark dump and build of the vessel file, and the settings file of --settings.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>

#include "tests/cli/cli_run.h"

namespace keelmark::cli {
namespace {

using test::CliOutcome;
using test::RunCliWithInput;

using test::DataPath;
using test::FileText;

std::string TempPath(const std::string& name) { return testing::TempDir() + "vessel_cli_" + name; }

TEST(VesselCli, AbsentFieldsTakeTheirDefaults) {
  const auto build = RunCliWithInput({"build", "--type", "vessel"}, "{}");
  ASSERT_EQ(build.status, 0) << build.err;
  EXPECT_EQ(build.out, FileText(DataPath("default_vessel.bin")));
  const auto named = RunCliWithInput({"build", "--type", "vessel"},
                                     R"({"name": "mv Other", "maxRpm": 90, "mctc": "NaN"})");
  ASSERT_EQ(named.status, 0) << named.err;
  const std::string path = TempPath("named.dat");
  std::ofstream(path, std::ios::binary) << named.out;
  const auto json = nlohmann::json::parse(RunCliWithInput({"dump", path, "--type", "vessel"}).out);
  EXPECT_EQ(json["name"], "mv Other");
  EXPECT_EQ(json["maxRpm"], 90);
  EXPECT_EQ(json["mctc"], "NaN");
  EXPECT_EQ(json["lengthPP"], 247.0);
}

struct BadCase {
  const char* what;
  std::string bytesOrJson;
  bool isDump;
};

class VesselCliErrorTest : public testing::TestWithParam<BadCase> {};

TEST_P(VesselCliErrorTest, RefusedWithOneMessage) {
  const BadCase& c = GetParam();
  CliOutcome o;
  if (c.isDump) {
    const std::string path = TempPath(std::string("bad_") + c.what);
    std::ofstream(path, std::ios::binary) << c.bytesOrJson;
    o = RunCliWithInput({"dump", path, "--type", "vessel"});
  } else {
    o = RunCliWithInput({"build", "--type", "vessel"}, c.bytesOrJson);
  }
  EXPECT_EQ(o.status, 1) << c.what;
  EXPECT_TRUE(o.out.empty()) << c.what;
  EXPECT_NE(o.err.find("keelmark: "), std::string::npos) << c.what;
}

std::string DefaultVesselWith(const std::string& tail) {
  return FileText(DataPath("default_vessel.bin")) + tail;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, VesselCliErrorTest,
    testing::Values(BadCase{"truncated", DefaultVesselWith("").substr(0, 100), true},
                    BadCase{"trailing", DefaultVesselWith(std::string(1, '\0')), true},
                    BadCase{"short_row", R"({"hydrostaticTable": [[1, 2, 3]]})", false},
                    BadCase{"text_row", R"({"hydrostaticTable": [[1, 2, 3, 4, 5, 6, "x"]]})",
                            false},
                    BadCase{"wrong_type", R"({"maxRpm": 90.5})", false}),
    [](const testing::TestParamInfo<BadCase>& info) { return std::string(info.param.what); });

TEST(SettingsCli, SetAndShowThroughTheSettingsFile) {
  const std::string path = TempPath("settings.ini");
  std::filesystem::remove(path);
  auto set =
      RunCliWithInput({"--settings", path, "settings", "set", "Settings", "HistoryCleanUp", "14"});
  ASSERT_EQ(set.status, 0) << set.err;
  set = RunCliWithInput({"--settings", path, "settings", "set", "Keelmark Route", "ConvChar", ";"});
  ASSERT_EQ(set.status, 0) << set.err;
  EXPECT_EQ(FileText(path),
            "[Keelmark%20Route]\nConvChar=\";\"\n\n[Settings]\nHistoryCleanUp=14\n");
  const auto show = RunCliWithInput({"--settings", path, "settings", "show"});
  ASSERT_EQ(show.status, 0) << show.err;
  const auto json = nlohmann::json::parse(show.out);
  EXPECT_EQ(json["Settings"]["HistoryCleanUp"], 14);
  EXPECT_EQ(json["Keelmark Route"]["ConvChar"], ";");
  EXPECT_EQ(json["Path"]["vesseldata"], "vessel.dat");
  EXPECT_EQ(json["Colors"]["ColTxMain"], 0xFFFFFF);
}

TEST(SettingsCli, WithoutASettingsFileTheDefaultsAreShownAndNothingIsKept) {
  const auto show = RunCliWithInput({"settings", "show"});
  ASSERT_EQ(show.status, 0) << show.err;
  EXPECT_EQ(nlohmann::json::parse(show.out)["Settings"]["ChartSelected"], -1);
}

TEST(SettingsCli, RefusesUnknownKeysAndTextForNumbers) {
  const std::string path = TempPath("refused.ini");
  std::filesystem::remove(path);
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"settings", "set", "Settings", "NoSuchKey", "1"},
        std::vector<std::string>{"settings", "set", "Settings", "HistoryCleanUp", "a week"}}) {
    std::vector<std::string> withFile{"--settings", path};
    withFile.insert(withFile.end(), args.begin(), args.end());
    const auto o = RunCliWithInput(withFile);
    EXPECT_EQ(o.status, 1) << args[3];
    EXPECT_FALSE(o.err.empty());
  }
  EXPECT_FALSE(std::filesystem::exists(path));
}

}  // namespace
}  // namespace keelmark::cli
