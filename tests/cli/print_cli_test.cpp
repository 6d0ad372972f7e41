// keelmark print on a copy of the example data set: every printout to PDF and PNG pages.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include "records/archive_file.h"
#include "tests/cli/cli_run.h"

namespace keelmark::cli::test {
namespace {

namespace fs = std::filesystem;

class PrintCliTest : public ExampleDataTest {
 protected:
  PrintCliTest() { fs::create_directories(Path("png")); }

  CliOutcome Print(const std::string& what, std::vector<std::string> extra = {}) {
    std::vector<std::string> args = {
        "print", what, Route(), "--data-dir", Folder(), "--pdf", Path(what + ".pdf")};
    args.insert(args.end(), extra.begin(), extra.end());
    return Run(args);
  }
};

// The plotting sheet in each projection is one page whatever lies off it, and each storm's
// advisory table fits on its page.
TEST_F(PrintCliTest, EveryPrintoutOfTheExamplesRendersPdfAndPngPages) {
  const char* printouts[] = {"waypoints",
                             "history",
                             "schedule",
                             "warnings",
                             "reporting",
                             "publications",
                             "ports",
                             "charts",
                             "forecast",
                             "storms",
                             "cover-page",
                             "performance",
                             "plotting-sheet --projection 0",
                             "plotting-sheet --projection 1 --scale 2000000 --grid 1",
                             "plotting-sheet --projection 2 --scale 5000000",
                             "storm-advisory --storm 0",
                             "storm-advisory --storm 1"};
  for (const std::string line : printouts) {
    std::istringstream words(line);
    std::string what;
    words >> what;
    std::vector<std::string> extra = {"--png-dir", Path("png")};
    for (std::string word; words >> word;) extra.push_back(word);
    const CliOutcome outcome = Print(what, extra);
    ASSERT_EQ(outcome.status, 0) << what << ": " << outcome.err;
    const nlohmann::json result = nlohmann::json::parse(outcome.out);
    const int pages = result["pages"];
    EXPECT_GE(pages, 1) << what;
    if (extra.size() > 2) {
      EXPECT_EQ(pages, 1) << line;
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
  struct Case {
    std::string what;
    std::vector<std::string> extra;
    int status;
  };
  const Case cases[] = {{"plotting", {}, 2},
                        {"0", {}, 2},
                        {"waypoints", {"--paper", "a3"}, 2},
                        {"performance", {"--from", "999"}, 1},
                        {"performance", {"--from", "1.5"}, 1},
                        // A grid the sheet cannot draw is refused, not looped.
                        {"plotting-sheet", {"--grid", "0"}, 1},
                        {"plotting-sheet", {"--grid", "-1"}, 1},
                        {"plotting-sheet", {"--projection", "3"}, 1},
                        {"storm-advisory", {"--storm", "2"}, 1}};
  for (const Case& c : cases) {
    const CliOutcome outcome = Print(c.what, c.extra);
    EXPECT_EQ(outcome.status, c.status) << c.what << ": " << outcome.err;
    EXPECT_FALSE(fs::exists(Path(c.what + ".pdf"))) << c.what;
  }
}

TEST_F(PrintCliTest, LetterPaperGivesLetterPages) {
  const CliOutcome outcome = Print("waypoints", {"--paper", "letter", "--png-dir", Path("png")});
  ASSERT_EQ(outcome.status, 0) << outcome.err;
  const auto png = ReadWholeFile(nlohmann::json::parse(outcome.out)["png"][0].get<std::string>());
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
