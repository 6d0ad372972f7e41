// keelmark backup on a copy of the example data set.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "tests/cli/cli_run.h"

namespace keelmark::cli::test {
namespace {

class BackupCliTest : public ExampleDataTest {};

// The chosen lists go into the export folder of the data folder and are listed; no data file
// changes. Nothing chosen is a failure.
TEST_F(BackupCliTest, WritesTheChosenListsIntoTheExportFolder) {
  const std::vector<std::string> backup = {"--settings", Path("k.ini"), "backup", "--data-dir",
                                           Folder()};
  EXPECT_EQ(Run(backup).status, 1);
  for (const char* key : {"ExportPorts", "ExportMeteo"}) {
    ASSERT_EQ(Run({"--settings", Path("k.ini"), "settings", "set", "Settings", key, "1"}).status,
              0);
  }
  const std::string meteo = FileText(Path("meteo.dat"));
  const nlohmann::json written = JsonOut(Run(backup))["written"];
  ASSERT_EQ(written.size(), 2u);
  EXPECT_TRUE(std::filesystem::equivalent(written[1]["path"].get<std::string>(),
                                          Path("data/ports-2026-12-06.csv")));
  EXPECT_EQ(FileText(Path("meteo.dat")), meteo);
}

}  // namespace
}  // namespace keelmark::cli::test
