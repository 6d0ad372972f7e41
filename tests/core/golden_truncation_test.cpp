// Every golden file of tests/data (written by the make_*.py generators from the byte layouts)
// cut short at every length: its loader must raise the archive error, never read past the end
// or take a short file for a whole one. The loaders are the ones `keelmark dump` uses.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "cli/file_types.h"
#include "records/chart_list.h"
#include "tests/core/test_files.h"

namespace keelmark {
namespace {

using Bytes = Archive::Bytes;
using Loader = std::function<void(Archive&)>;

struct GoldenLoader {
  std::string file;
  Loader load;
};

// The files of golden_files.txt with their types' loaders, and the mixed chart list, which no
// CLI type reads (charts live inside the route document).
std::vector<GoldenLoader> GoldenLoaders() {
  std::vector<GoldenLoader> loaders;
  std::ifstream list(std::string(KEELMARK_TEST_DATA) + "/golden_files.txt");
  for (std::string line; std::getline(list, line);) {
    if (line.empty() || line[0] == '#') continue;
    const std::string type = line.substr(0, line.find(' '));
    const auto& types = cli::FileTypes();
    const auto it = std::find_if(types.begin(), types.end(),
                                 [&](const cli::FileType& t) { return t.name == type; });
    EXPECT_NE(it, types.end()) << type;
    if (it == types.end()) continue;
    loaders.push_back({line.substr(line.find(' ') + 1), [it](Archive& a) { (void)it->dump(a); }});
  }
  loaders.push_back({"chart_list_mixed.bin", [](Archive& a) {
                       ChartList charts;
                       charts.Serialize(a);
                     }});
  return loaders;
}

class GoldenTruncationTest : public testing::TestWithParam<GoldenLoader> {};

TEST_P(GoldenTruncationTest, EveryShorterCopyRaisesTheArchiveError) {
  const Bytes golden = test::ReadTestData(GetParam().file);
  ASSERT_FALSE(golden.empty());
  {
    Archive whole = Archive::ForLoading(golden);
    GetParam().load(whole);
    EXPECT_TRUE(whole.AtEnd());
  }
  for (std::size_t size = 0; size < golden.size(); ++size) {
    Archive cut = Archive::ForLoading(Bytes(golden.begin(), golden.begin() + size));
    EXPECT_THROW(GetParam().load(cut), ArchiveError) << "cut to " << size << " bytes";
  }
}

INSTANTIATE_TEST_SUITE_P(Files, GoldenTruncationTest, testing::ValuesIn(GoldenLoaders()),
                         [](const testing::TestParamInfo<GoldenLoader>& golden) {
                           std::string name = golden.param.file;
                           std::replace_if(
                               name.begin(), name.end(),
                               [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); },
                               '_');
                           return name;
                         });

}  // namespace
}  // namespace keelmark
