// keelmark dump and build of the reference files: ports, storms, warnings, forecast areas and
// the single-record files of warnings, reporting points, charts, ports, forecasts and storms.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fstream>
#include <iterator>
#include <string>

#include "records/archive.h"
#include "records/chart.h"
#include "records/port.h"
#include "tests/cli/cli_run.h"

namespace keelmark::cli {
namespace {

using test::CliOutcome;
using test::RunCliWithInput;

using test::Build;
using test::DataPath;
using test::Dump;
using test::WriteTemp;
using Bytes = std::string;

struct FileCase {
  const char* type;
  const char* file;
};

// Every record of an older layout, and a chart whose name copy differs or whose names the
// loading rules would replace, comes back byte for byte.
TEST(ReferenceDumpBuild, OlderChartsAndNameCopiesSurvive) {
  const Bytes golden = test::FileText(DataPath("chart_list_mixed.bin"));
  // The chart list lives in route documents; here each of its records is a chart file.
  Archive in = Archive::ForLoading(Archive::Bytes(golden.begin(), golden.end()));
  ASSERT_EQ(in.ReadI32(), 3);
  for (int k = 0; k < 3; ++k) {
    Chart chart;
    chart.SerializeAsStored(in);
    Archive out = Archive::ForStoring();
    chart.SerializeAsStored(out);
    const Bytes record(out.StoredBytes().begin(), out.StoredBytes().end());
    const std::string path = WriteTemp("chart" + std::to_string(k) + ".bin", record);
    const nlohmann::json dumped = Dump(path, "record:chart");
    EXPECT_EQ(Build(dumped, "record:chart"), record) << dumped.dump();
  }
}

// A build without fields writes what the program writes for a new record, its creation times
// taken from --now.
class ReferenceBuildDefaultsTest : public testing::TestWithParam<FileCase> {};

TEST_P(ReferenceBuildDefaultsTest, EmptyObjectIsANewRecord) {
  EXPECT_EQ(Build(nlohmann::json::object(), GetParam().type),
            test::FileText(DataPath(GetParam().file)));
}

INSTANTIATE_TEST_SUITE_P(Records, ReferenceBuildDefaultsTest,
                         testing::Values(FileCase{"record:storm", "storm_default.bin"},
                                         FileCase{"record:chart", "chart_default.bin"},
                                         FileCase{"record:port", "port_default.bin"},
                                         FileCase{"record:warning", "warning_default.bin"},
                                         FileCase{"record:reportingpoint",
                                                  "reporting_point_default.bin"},
                                         FileCase{"record:forecast", "forecast_default.bin"}));

TEST(ReferenceBuild, ListWithoutRecordsIsFourZeroBytes) {
  for (const char* type : {"ports", "storms", "warnings", "forecasts"}) {
    EXPECT_EQ(Build(nlohmann::json::object(), type), Bytes(4, '\0')) << type;
  }
}

TEST(ReferenceBuild, PortWithoutAMarkIsWrittenInTheNewerLayout) {
  nlohmann::json port = Dump(DataPath("port_older_layout.bin"), "record:port");
  port.erase("LayoutMark");
  port["HfoQty"] = 650;
  const Bytes built = Build(port, "record:port");
  // The fourteen integers and two empty texts of the newer layout are added.
  EXPECT_EQ(built.size(), test::FileText(DataPath("port_older_layout.bin")).size() + 14 * 4 + 2);
  Archive in = Archive::ForLoading(Archive::Bytes(built.begin(), built.end()));
  Port loaded;
  loaded.Serialize(in);
  EXPECT_TRUE(in.AtEnd());
  EXPECT_EQ(loaded.LayoutMark, 1000);
  EXPECT_EQ(loaded.HfoQty, 650);
  EXPECT_EQ(loaded.Country, "Netherlands");
}

struct BadBuild {
  const char* type;
  const char* json;
  const char* message;
};

class ReferenceBadBuildTest : public testing::TestWithParam<BadBuild> {};

TEST_P(ReferenceBadBuildTest, ClearMessageAndNothingWritten) {
  const CliOutcome o = RunCliWithInput({"build", "--type", GetParam().type}, GetParam().json);
  EXPECT_EQ(o.status, 1);
  EXPECT_TRUE(o.out.empty());
  EXPECT_NE(o.err.find(GetParam().message), std::string::npos) << o.err;
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, ReferenceBadBuildTest,
    testing::Values(BadBuild{"storms", R"({"records": {"Name": "X"}})", "must be an array"},
                    BadBuild{"storms", R"({"records": [17]})", "must be an object"},
                    BadBuild{"record:storm", R"({"MaxWind": 1.5})", "\"MaxWind\""},
                    BadBuild{"record:storm", R"({"MaxWind": 3000000000})", "\"MaxWind\""},
                    BadBuild{"record:chart", R"({"Edition": "yesterday"})", "\"Edition\""},
                    BadBuild{"record:port", R"({"Tide": {"LeadingValues": [1, 2]}})", "14 numbers"},
                    BadBuild{"record:port", R"({"Tide": {"TrailingValues": [1,2,3,4,5,6,7,"x"]}})",
                             "\"TrailingValues\""},
                    BadBuild{"record:warning", R"({"Outline": [{"Latitude": "north"}]})",
                             "\"Latitude\""},
                    BadBuild{"record:warning", R"({"Message": []})", "\"Message\""},
                    BadBuild{"record:forecast", R"({"NorthWest": 5})", "\"NorthWest\""}));

}  // namespace
}  // namespace keelmark::cli
