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

using Bytes = std::string;
using test::CliOutcome;
using test::RunCliWithInput;

std::string DataPath(const std::string& name) {
  return std::string(KEELMARK_TEST_DATA) + "/" + name;
}

Bytes ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string WriteTemp(const std::string& name, const Bytes& bytes) {
  const std::string path = testing::TempDir() + "reference_cli_" + name;
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

nlohmann::json Dump(const std::string& path, const std::string& type) {
  const CliOutcome o = RunCliWithInput({"dump", path, "--type", type});
  EXPECT_EQ(o.status, 0) << o.err;
  return o.status == 0 ? nlohmann::json::parse(o.out) : nlohmann::json();
}

Bytes Build(const nlohmann::json& content, const std::string& type,
            const std::string& now = "2026-12-06T12:00:00Z") {
  const CliOutcome o = RunCliWithInput({"--now", now, "build", "--type", type}, content.dump());
  EXPECT_EQ(o.status, 0) << o.err;
  return o.out;
}

struct FileCase {
  const char* type;
  const char* file;
};

class ReferenceDumpBuildTest : public testing::TestWithParam<FileCase> {};

TEST_P(ReferenceDumpBuildTest, BuildFromTheDumpGivesTheSameBytes) {
  const std::string path = DataPath(GetParam().file);
  const Bytes golden = ReadFile(path);
  ASSERT_FALSE(golden.empty());
  // Any clock: every time in the file is in the dump, none is taken from now.
  EXPECT_EQ(Build(Dump(path, GetParam().type), GetParam().type, "2031-01-01T00:00:00Z"), golden);
}

TEST_P(ReferenceDumpBuildTest, CutFileIsReportedDamagedOnOneLine) {
  Bytes bytes = ReadFile(DataPath(GetParam().file));
  bytes.resize(bytes.size() - 1);
  const std::string path = WriteTemp(std::string("cut_") + GetParam().file, bytes);
  const CliOutcome o = RunCliWithInput({"dump", path, "--type", GetParam().type});
  EXPECT_EQ(o.status, 1);
  EXPECT_TRUE(o.out.empty());
  EXPECT_NE(o.err.find("damaged"), std::string::npos) << o.err;
  EXPECT_EQ(o.err.find('\n'), o.err.size() - 1) << "one line: " << o.err;
}

INSTANTIATE_TEST_SUITE_P(
    Types, ReferenceDumpBuildTest,
    testing::Values(FileCase{"ports", "port_list.dat"}, FileCase{"storms", "storm_list.dat"},
                    FileCase{"warnings", "warning_list.dat"},
                    FileCase{"forecasts", "forecast_list.dat"},
                    FileCase{"record:warning", "warning_record.bin"},
                    FileCase{"record:reportingpoint", "reporting_point_record.bin"},
                    FileCase{"record:chart", "chart_version4.bin"},
                    FileCase{"record:port", "port_newer_layout.bin"},
                    FileCase{"record:port", "port_older_layout.bin"},
                    FileCase{"record:forecast", "forecast_record.bin"},
                    FileCase{"record:storm", "storm_default.bin"}));

// Every record of an older layout, and a chart whose name copy differs or whose names the
// loading rules would replace, comes back byte for byte.
TEST(ReferenceDumpBuild, OlderChartsAndNameCopiesSurvive) {
  const Bytes golden = ReadFile(DataPath("chart_list_mixed.bin"));
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

TEST(ReferenceDump, ShowsTheFieldsAsTheFileHoldsThem) {
  const nlohmann::json chart = Dump(DataPath("chart_version4.bin"), "record:chart");
  EXPECT_EQ(chart["Name"], "Dover Strait");
  EXPECT_EQ(chart["StoredName"], "Dover Strait (copy)");
  EXPECT_EQ(chart["LayoutTag"], "Version 4");
  EXPECT_EQ(chart["IssueTime"], "2010-01-01T00:00:00Z");
  EXPECT_EQ(chart["LongitudeExtent"], 2.5);

  const nlohmann::json port = Dump(DataPath("port_older_layout.bin"), "record:port");
  EXPECT_EQ(port["LayoutMark"], 0);
  EXPECT_EQ(port["Documents"][0]["Author"], "Harbour master");
  EXPECT_EQ(port["InboundTraject"]["Waypoints"][0]["Name"], "Maas Center");
  EXPECT_EQ(port["Tide"]["LeadingValues"].size(), 14u);
  EXPECT_EQ(port["Tide"]["TrailingValues"][7], 107.0);

  const nlohmann::json point =
      Dump(DataPath("reporting_point_record.bin"), "record:reportingpoint");
  EXPECT_EQ(point["Documents"],
            nlohmann::json::parse(R"([{"FilePath":"a.doc"},{"FilePath":"b.pdf"}])"));

  const nlohmann::json storms = Dump(DataPath("storm_list.dat"), "storms");
  ASSERT_EQ(storms["records"].size(), 2u);
  EXPECT_EQ(storms["records"][1]["PressureTendency"], 2);
}

// A build without fields writes what the program writes for a new record, its creation times
// taken from --now.
class ReferenceBuildDefaultsTest : public testing::TestWithParam<FileCase> {};

TEST_P(ReferenceBuildDefaultsTest, EmptyObjectIsANewRecord) {
  EXPECT_EQ(Build(nlohmann::json::object(), GetParam().type),
            ReadFile(DataPath(GetParam().file)));
}

INSTANTIATE_TEST_SUITE_P(
    Records, ReferenceBuildDefaultsTest,
    testing::Values(FileCase{"record:storm", "storm_default.bin"},
                    FileCase{"record:chart", "chart_default.bin"},
                    FileCase{"record:port", "port_default.bin"},
                    FileCase{"record:warning", "warning_default.bin"},
                    FileCase{"record:reportingpoint", "reporting_point_default.bin"},
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
  EXPECT_EQ(built.size(), ReadFile(DataPath("port_older_layout.bin")).size() + 14 * 4 + 2);
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
    testing::Values(
        BadBuild{"storms", R"({"records": {"Name": "X"}})", "must be an array"},
        BadBuild{"storms", R"({"records": [17]})", "must be an object"},
        BadBuild{"record:storm", R"({"MaxWind": 1.5})", "\"MaxWind\""},
        BadBuild{"record:storm", R"({"MaxWind": 3000000000})", "\"MaxWind\""},
        BadBuild{"record:chart", R"({"Edition": "yesterday"})", "\"Edition\""},
        BadBuild{"record:port", R"({"Tide": {"LeadingValues": [1, 2]}})", "14 numbers"},
        BadBuild{"record:port", R"({"Tide": {"TrailingValues": [1,2,3,4,5,6,7,"x"]}})",
                 "\"TrailingValues\""},
        BadBuild{"record:warning", R"({"Outline": [{"Latitude": "north"}]})", "\"Latitude\""},
        BadBuild{"record:warning", R"({"Message": []})", "\"Message\""},
        BadBuild{"record:forecast", R"({"NorthWest": 5})", "\"NorthWest\""}));

}  // namespace
}  // namespace keelmark::cli
