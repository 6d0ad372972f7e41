// keelmark list and keelmark meteo on a copy of the example data set.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>

#include "document/category.h"
#include "records/archive_file.h"
#include "records/meteo_list.h"
#include "tests/cli/cli_run.h"
#include "tests/core/test_files.h"

namespace keelmark::cli::test {
namespace {

namespace fs = std::filesystem;

constexpr const char* kNow = "2026-12-06T12:00:00Z";
constexpr const char* kRoute = "atlantic-westbound.q3v";

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

// Every file of the example data set, copied so that the commands may store into it.
class ExampleDataTest : public testing::Test {
 protected:
  ExampleDataTest() { keelmark::test::CopyExamples(folder_); }

  CliOutcome List(const std::string& category, const std::string& format,
                  const std::vector<std::string>& before = {}) {
    std::vector<std::string> args = before;
    const std::vector<std::string> rest = {"--now",
                                           kNow,
                                           "list",
                                           category,
                                           folder_.PathOf(kRoute),
                                           "--data-dir",
                                           folder_.PathOf(""),
                                           "--format",
                                           format};
    args.insert(args.end(), rest.begin(), rest.end());
    return RunCliWithInput(args);
  }

  CliOutcome Meteo(const std::string& what, const std::string& file) {
    return RunCliWithInput({"--now", kNow, "meteo", what, file, "--data-dir", folder_.PathOf("")});
  }

  int MeteoCount() {
    MeteoList list;
    EXPECT_TRUE(
        LoadArchiveFile(folder_.PathOf("meteo.dat"), [&](Archive& a) { list.Serialize(a); }).Ok());
    return list.GetCount();
  }

  keelmark::test::ScratchDirectory folder_;
};

// The text export of every list of the example data, pinned. KEELMARK_UPDATE_GOLDEN=1 rewrites
// the files after a deliberate change.
TEST_F(ExampleDataTest, EveryListOfTheExampleDataMatchesItsGoldenFile) {
  const bool update = std::getenv("KEELMARK_UPDATE_GOLDEN") != nullptr;
  const std::string dataBefore = FileText(folder_.PathOf("meteo.dat")) +
                                 FileText(folder_.PathOf("voyage.dat")) +
                                 FileText(folder_.PathOf("port.dat"));
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
  EXPECT_EQ(FileText(folder_.PathOf("meteo.dat")) + FileText(folder_.PathOf("voyage.dat")) +
                FileText(folder_.PathOf("port.dat")),
            dataBefore);
}

TEST_F(ExampleDataTest, JsonTxtAndCsvShowTheSameCells) {
  const std::string settings = folder_.PathOf("settings.ini");
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

TEST_F(ExampleDataTest, WrongArgumentsAreRefused) {
  EXPECT_EQ(List("Moorings", "txt").status, 2);
  EXPECT_EQ(List("10", "txt").status, 2);
  EXPECT_EQ(List("ports", "xls").status, 2);
  const CliOutcome missing = RunCliWithInput(
      {"list", "ports", folder_.PathOf("none.q3v"), "--data-dir", folder_.PathOf("")});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(RunCliWithInput({"meteo", "send", "x.csv"}).status, 2);
}

TEST_F(ExampleDataTest, MeteoExportAppendsAndImportMergesWhatIsValid) {
  const int records = MeteoCount();
  ASSERT_GT(records, 0);
  const std::string csv = folder_.PathOf("meteo.csv");
  for (int i = 0; i < 2; ++i) {
    const CliOutcome o = Meteo("export", csv);
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(nlohmann::json::parse(o.out)["exported"], records);
  }
  const std::string exported = FileText(csv);
  ASSERT_EQ(std::count(exported.begin(), exported.end(), '\n'), 2 * records);

  // The export back in, with rubbish around it: every grid point is merged into itself.
  ASSERT_TRUE(WriteFileAtomically(csv, "rubbish\r\n" + exported + std::string(3000, 'x')));
  const CliOutcome o = Meteo("import", csv);
  ASSERT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(nlohmann::json::parse(o.out),
            (nlohmann::json{{"merged", 2 * records}, {"skipped", 2}}));
  EXPECT_EQ(MeteoCount(), records);

  const std::string stored = FileText(folder_.PathOf("meteo.dat"));
  EXPECT_EQ(Meteo("import", folder_.PathOf("none.csv")).status, 1);
  EXPECT_EQ(FileText(folder_.PathOf("meteo.dat")), stored);
}

}  // namespace
}  // namespace keelmark::cli::test
