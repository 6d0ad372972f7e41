// Every golden file of tests/data (written by the make_*.py generators from the byte layouts)
// cut short at every length: its loader must raise the archive error, never read past the end
// or take a short file for a whole one. The loaders are the ones `keelmark dump` uses. Each is
// loaded both from its bytes at once and a few bytes at a time, as files are read.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <memory>
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

// Gives `bytes` through a source a few bytes a call (a window refilled at every field), while
// the archive is told the file holds `size` bytes.
Archive Trickled(const Bytes& bytes, std::size_t size) {
  auto given = std::make_shared<std::size_t>(0);
  return Archive::ForLoadingFrom(
      [&bytes, given](std::uint8_t* into, std::size_t room) {
        const std::size_t n = std::min({room, bytes.size() - *given, std::size_t{3}});
        std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(*given), n, into);
        *given += n;
        return n;
      },
      size);
}

class GoldenTruncationTest : public testing::TestWithParam<GoldenLoader> {};

TEST_P(GoldenTruncationTest, EveryShorterCopyRaisesTheArchiveError) {
  const Bytes golden = test::ReadTestData(GetParam().file);
  ASSERT_FALSE(golden.empty());
  {
    Archive whole = Archive::ForLoading(golden);
    GetParam().load(whole);
    EXPECT_TRUE(whole.AtEnd());
    Archive trickled = Trickled(golden, golden.size());
    GetParam().load(trickled);
    EXPECT_NO_THROW(trickled.ExpectEnd());
  }
  {
    // A file that grew while it was read is not taken for the file it was.
    Bytes grown = golden;
    grown.push_back(0);
    Archive trickled = Trickled(grown, golden.size());
    GetParam().load(trickled);
    EXPECT_THROW(trickled.ExpectEnd(), ArchiveError);
  }
  for (std::size_t size = 0; size < golden.size(); ++size) {
    const Bytes shorter(golden.begin(), golden.begin() + static_cast<std::ptrdiff_t>(size));
    Archive cut = Archive::ForLoading(shorter);
    EXPECT_THROW(GetParam().load(cut), ArchiveError) << "cut to " << size << " bytes";
    Archive trickled = Trickled(shorter, size);
    EXPECT_THROW(GetParam().load(trickled), ArchiveError) << "cut to " << size << " bytes";
    // Shortened while it was read: the file said it held the whole.
    Archive shrunk = Trickled(shorter, golden.size());
    EXPECT_THROW(GetParam().load(shrunk), ArchiveError) << "shrunk to " << size << " bytes";
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
