// keelmark list, meteo and print on a copy of the example data set.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

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
// the files after a deliberate change. (That listing writes no file: the reading commands of
// files_cli_test.)
TEST_F(ListCliTest, EveryListOfTheExampleDataMatchesItsGoldenFile) {
  const bool update = std::getenv("KEELMARK_UPDATE_GOLDEN") != nullptr;
  for (const std::string_view name : kCategoryNames) {
    const CliOutcome o = List(std::string(name), "txt");
    ASSERT_EQ(o.status, 0) << name << ": " << o.err;
    const std::string golden = DataPath("lists/" + Lower(name) + ".txt");
    if (update) {
      ASSERT_TRUE(WriteFileAtomically(golden, o.out));
    }
    EXPECT_EQ(o.out, FileText(golden)) << name;
  }
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

// (Wrong arguments: files_cli_test.)
// The export back in: every grid point is merged into itself, none added; a file that is not
// there changes nothing. (Appending exports and damaged files: the core's
// meteo exchange tests.)
TEST_F(ListCliTest, MeteoExportedAndImportedIsTheSameAverageWeather) {
  const std::string csv = Path("meteo.csv");
  const int records = JsonOut(Meteo("export", csv))["exported"];
  ASSERT_GT(records, 0);
  EXPECT_EQ(JsonOut(Meteo("import", csv)), (nlohmann::json{{"merged", records}, {"skipped", 0}}));
  EXPECT_EQ(Dump(Path("meteo.dat"), "meteo")["records"].size(), std::size_t(records));
  const std::string stored = FileText(Path("meteo.dat"));
  EXPECT_EQ(Meteo("import", Path("none.csv")).status, 1);
  EXPECT_EQ(FileText(Path("meteo.dat")), stored);
}

// --- keelmark print: every printout to PDF and PNG pages ---

class PrintCliTest : public ExampleDataTest {
 protected:
  CliOutcome Print(const std::string& what, std::vector<std::string> extra = {}) {
    std::vector<std::string> args = {
        "print", what, Route(), "--data-dir", Folder(), "--pdf", Path(what + ".pdf")};
    args.insert(args.end(), extra.begin(), extra.end());
    return Run(args);
  }
};

// The plotting sheet in each projection is one page whatever lies off it, and each storm's
// advisory table fits on its page. The pictures' folder is made by the first print.
TEST_F(PrintCliTest, EveryPrintoutOfTheExamplesRendersPdfAndPngPages) {
  for (const auto& row : DataTable("printouts.txt")) {
    const std::vector<std::string> words = Words(row[0]);
    const std::string& what = words[0];
    std::vector<std::string> extra = {"--png-dir", Path("png")};
    extra.insert(extra.end(), words.begin() + 1, words.end());
    const CliOutcome outcome = Print(what, extra);
    ASSERT_EQ(outcome.status, 0) << row[0] << ": " << outcome.err;
    const nlohmann::json result = nlohmann::json::parse(outcome.out);
    const int pages = result["pages"];
    EXPECT_GE(pages, 1) << what;
    if (words.size() > 1) {
      EXPECT_EQ(pages, 1) << row[0];
    }
    ASSERT_EQ(result["png"].size(), static_cast<std::size_t>(pages)) << what;
    const auto pdf = ReadWholeFile(Path(what + ".pdf"));
    ASSERT_TRUE(pdf) << what;
    EXPECT_EQ(std::string(pdf->begin(), pdf->begin() + 5), "%PDF-") << what;
    const auto png = ReadWholeFile(result["png"][0].get<std::string>());
    ASSERT_TRUE(png && png->size() > 1000) << what;
    EXPECT_EQ(std::string(png->begin() + 1, png->begin() + 4), "PNG") << what;
  }
}

TEST_F(PrintCliTest, WrongWhatOrPaperIsAUsageErrorAndWritesNothing) {
  for (const auto& c : DataTable("refused_prints.txt")) {
    const std::vector<std::string> words = Words(c[0]);
    const std::string& what = words[0];
    const CliOutcome outcome = Print(what, {words.begin() + 1, words.end()});
    EXPECT_EQ(outcome.status, std::stoi(c[1])) << c[0] << ": " << outcome.err;
    EXPECT_FALSE(fs::exists(Path(what + ".pdf"))) << c[0];
  }
}

TEST_F(PrintCliTest, LetterPaperGivesLetterPages) {
  const auto png = ReadWholeFile(
      JsonOut(Print("waypoints", {"--paper", "letter", "--png-dir", Path("png")}))["png"][0]
          .get<std::string>());
  ASSERT_TRUE(png);
  // The IHDR width and height, big-endian, of the printable area at 150 dpi (5 mm margins).
  auto word = [&png](std::size_t at) {
    return static_cast<int>(static_cast<unsigned char>((*png)[at])) << 24 |
           static_cast<int>(static_cast<unsigned char>((*png)[at + 1])) << 16 |
           static_cast<int>(static_cast<unsigned char>((*png)[at + 2])) << 8 |
           static_cast<int>(static_cast<unsigned char>((*png)[at + 3]));
  };
  EXPECT_NEAR(word(16), (215.9 - 10.0) / 25.4 * 150.0, 2.0);
  EXPECT_NEAR(word(20), (279.4 - 10.0) / 25.4 * 150.0, 2.0);
}

}  // namespace
}  // namespace keelmark::cli::test
