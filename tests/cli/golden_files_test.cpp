// Every golden file written by the generators in tests/data (make_*.py, from the byte layouts,
// not by this program): its fields as dumped, its bytes rebuilt from the dump, and a cut copy
// reported as damaged. KEELMARK_UPDATE_GOLDEN=1 rewrites the dumps after a deliberate change.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "records/archive_file.h"
#include "tests/cli/cli_run.h"
#include "tests/core/test_files.h"

namespace keelmark::cli::test {
namespace {

struct GoldenFile {
  std::string type;
  std::string file;
};

std::vector<GoldenFile> GoldenFiles() {
  std::vector<GoldenFile> files;
  for (const auto& row : DataTable("../golden_files.txt")) {
    const std::vector<std::string> words = Words(row[0]);  // the type, then the file
    files.push_back({words.at(0), words.at(1)});
  }
  return files;
}

class GoldenFileCliTest : public testing::TestWithParam<GoldenFile> {};

TEST_P(GoldenFileCliTest, DumpsAsPinnedBuildsBackToTheSameBytesAndIsDamagedWhenCut) {
  const std::string path = DataPath(GetParam().file);
  const std::string golden = FileText(path);
  const CliOutcome dump = RunCliWithInput({"dump", path, "--type", GetParam().type});
  ASSERT_EQ(dump.status, 0) << dump.err;
  const std::string pinned = DataPath("dumps/" + GetParam().file + ".json");
  const nlohmann::json fields = nlohmann::json::parse(dump.out);
  if (std::getenv("KEELMARK_UPDATE_GOLDEN") != nullptr) {
    ASSERT_TRUE(WriteFileAtomically(pinned, fields.dump(1) + "\n"));
  }
  EXPECT_EQ(fields, nlohmann::json::parse(FileText(pinned), nullptr, false)) << pinned;
  // Any clock: every time in the file is in the dump, none is taken from now.
  const CliOutcome build = RunCliWithInput(
      {"--now", "2031-01-01T00:00:00Z", "build", "--type", GetParam().type}, dump.out);
  ASSERT_EQ(build.status, 0) << build.err;
  EXPECT_EQ(build.out, golden);

  // Cut by a byte, it is reported damaged on one line naming it.
  const keelmark::test::ScratchDirectory folder;
  const std::string cut = folder.PathOf(GetParam().file);
  ASSERT_TRUE(WriteFileAtomically(cut, golden.substr(0, golden.size() - 1)));
  const CliOutcome o = RunCliWithInput({"dump", cut, "--type", GetParam().type});
  EXPECT_EQ(o.status, 1);
  EXPECT_TRUE(o.out.empty());
  EXPECT_NE(o.err.find(cut), std::string::npos) << o.err;
  EXPECT_NE(o.err.find("damaged"), std::string::npos) << o.err;
  EXPECT_EQ(o.err.find('\n'), o.err.size() - 1) << "one line: " << o.err;
}

INSTANTIATE_TEST_SUITE_P(Files, GoldenFileCliTest, testing::ValuesIn(GoldenFiles()),
                         [](const testing::TestParamInfo<GoldenFile>& golden) {
                           std::string name = golden.param.file;
                           for (char& c : name) {
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           }
                           return name;
                         });

}  // namespace
}  // namespace keelmark::cli::test
