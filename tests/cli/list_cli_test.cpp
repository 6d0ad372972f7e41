// keelmark list and keelmark meteo on a copy of the example data set.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>

#include "document/category.h"
#include "records/archive_file.h"
#include "tests/cli/cli_run.h"

namespace keelmark::cli::test {
namespace {

namespace fs = std::filesystem;

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

class ListCliTest : public ExampleDataTest {
 protected:
  CliOutcome List(const std::string& category, const std::string& format,
                  const std::vector<std::string>& settings = {}) {
    std::vector<std::string> args = {"list",   category,   Route(), "--data-dir",
                                     Folder(), "--format", format};
    args.insert(args.begin(), settings.begin(), settings.end());
    return Run(args);
  }

  CliOutcome Meteo(const std::string& what, const std::string& file) {
    return Run({"meteo", what, file, "--data-dir", Folder()});
  }
};

// The text export of every list of the example data, pinned. KEELMARK_UPDATE_GOLDEN=1 rewrites
// the files after a deliberate change.
TEST_F(ListCliTest, EveryListOfTheExampleDataMatchesItsGoldenFile) {
  const bool update = std::getenv("KEELMARK_UPDATE_GOLDEN") != nullptr;
  const std::string dataBefore =
      FileText(Path("meteo.dat")) + FileText(Path("voyage.dat")) + FileText(Path("port.dat"));
  for (const std::string_view name : kCategoryNames) {
    const CliOutcome o = List(std::string(name), "txt");
    ASSERT_EQ(o.status, 0) << name << ": " << o.err;
    const std::string golden = DataPath("lists/" + Lower(name) + ".txt");
    if (update) {
      ASSERT_TRUE(WriteFileAtomically(golden, o.out));
    }
    EXPECT_EQ(o.out, FileText(golden)) << name;
  }
  // Listing changes no data file.
  EXPECT_EQ(FileText(Path("meteo.dat")) + FileText(Path("voyage.dat")) + FileText(Path("port.dat")),
            dataBefore);
}

TEST_F(ListCliTest, JsonTxtAndCsvShowTheSameCells) {
  const std::string settings = Path("settings.ini");
  ASSERT_EQ(RunCliWithInput(
                {"--settings", settings, "settings", "set", "Keelmark Route", "ConvChar", ";"})
                .status,
            0);
  const CliOutcome json = List("ports", "json", {"--settings", settings});
  const CliOutcome csv = List("6", "csv", {"--settings", settings});
  const CliOutcome txt = List("PORTS", "txt");
  ASSERT_EQ(json.status, 0) << json.err;
  const nlohmann::json table = nlohmann::json::parse(json.out);
  ASSERT_EQ(table["columns"].size(), 8u);
  EXPECT_EQ(table["columns"][4],
            (nlohmann::json{{"text", "Distance inbound"}, {"align", "R"}, {"width", 100}}));
  ASSERT_FALSE(table["rows"].empty());
  std::string fromJsonCsv, fromJsonTxt;
  for (const auto& row : table["rows"]) {
    EXPECT_EQ(row["image"], 5);
    ASSERT_EQ(row["cells"].size(), 8u);
    for (std::size_t i = 0; i < 8; ++i) {
      const std::string cell = row["cells"][i];
      fromJsonCsv += cell + (i < 7 ? ";" : "\r\n");
      fromJsonTxt += cell + (i < 7 ? "\t" : "\r\n");
    }
  }
  EXPECT_EQ(csv.out, fromJsonCsv);
  EXPECT_EQ(txt.out, fromJsonTxt);
}

// (Wrong arguments: nav_cli_test.)
// The export back in: every grid point is merged into itself, none added; a file that is not
// there changes nothing. (Appending exports and damaged files: the core's
// meteo exchange tests.)
TEST_F(ListCliTest, MeteoExportedAndImportedIsTheSameAverageWeather) {
  const std::string csv = Path("meteo.csv");
  const CliOutcome exported = Meteo("export", csv);
  ASSERT_EQ(exported.status, 0) << exported.err;
  const int records = nlohmann::json::parse(exported.out)["exported"];
  ASSERT_GT(records, 0);
  const CliOutcome o = Meteo("import", csv);
  ASSERT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(nlohmann::json::parse(o.out), (nlohmann::json{{"merged", records}, {"skipped", 0}}));
  EXPECT_EQ(Dump(Path("meteo.dat"), "meteo")["records"].size(), std::size_t(records));
  const std::string stored = FileText(Path("meteo.dat"));
  EXPECT_EQ(Meteo("import", Path("none.csv")).status, 1);
  EXPECT_EQ(FileText(Path("meteo.dat")), stored);
}

}  // namespace
}  // namespace keelmark::cli::test
