// keelmark report and keelmark schedule on a data folder of the test's own.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "navigation/calendar.h"
#include "navigation/navigation.h"
#include "records/archive_file.h"
#include "tests/cli/cli_run.h"
#include "tests/core/test_files.h"

namespace keelmark::cli {
namespace {

using test::CliOutcome;
using test::RunCliWithInput;

constexpr const char* kNow = "2026-12-09T00:00:00Z";

double Day(const char* iso) {
  TimeValue t = 0;
  EXPECT_TRUE(ParseIsoUtc(iso, t)) << iso;
  return CNavigation().LocalDayNumber(t);
}

std::string ReadText(const std::string& path) {
  const auto bytes = ReadWholeFile(path);
  return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
}

nlohmann::json Waypoint(const char* name, double latitude, double longitude) {
  return {{"Name", name}, {"Latitude", latitude}, {"Longitude", longitude}};
}

// A data folder holding a route document and a history of one fix; the vessel is the default
// one ("mv Brineholt", call sign "XXXX"), as no vessel file is there.
class ReportCliTest : public testing::Test {
 protected:
  void SetUp() override {
    nlohmann::json departure = Waypoint("ROTTERDAM", 51.9316, 4.175);
    departure["Time"] = Day("2026-12-05T06:00Z");
    nlohmann::json arrival = Waypoint("NEW YORK", 40.45, -73.78333);
    arrival["ScheduledTime"] = Day("2026-12-14T20:00Z");
    WriteRoute("route.q3v", {departure, Waypoint("MID ATLANTIC", 45.0, -40.0), arrival});

    nlohmann::json fix = Waypoint("Latest Position Fix", 42.37, -44.62);
    fix["Time"] = Day("2026-12-08T21:07Z");
    fix["CourseMadeGood"] = 259.4;
    fix["SpeedMadeGood"] = 15.56;
    Build("history", {{"records", nlohmann::json::array({fix})}}, "voyage.dat");
  }

  void Build(const char* type, const nlohmann::json& content, const char* file) {
    const CliOutcome built = RunCliWithInput({"build", "--type", type}, content.dump());
    ASSERT_EQ(built.status, 0) << built.err;
    ASSERT_TRUE(WriteFileAtomically(folder_.PathOf(file), built.out));
  }

  void WriteRoute(const char* file, const nlohmann::json& waypoints) {
    Build("route",
          {{"Voyage", {{"Waypoints", waypoints}}},
           {"Charts", nlohmann::json::array()},
           {"ReportingPoints", nlohmann::json::array()}},
          file);
  }

  CliOutcome Report(const std::string& system, const std::string& kind,
                    const std::vector<std::string>& more = {}) {
    std::vector<std::string> args = {"--now",      kNow,
                                     "report",     folder_.PathOf("route.q3v"),
                                     "--data-dir", folder_.PathOf(""),
                                     "--system",   system,
                                     "--kind",     kind};
    args.insert(args.end(), more.begin(), more.end());
    return RunCliWithInput(args);
  }

  keelmark::test::ScratchDirectory folder_;
};

TEST_F(ReportCliTest, PositionReportComesFromTheLatestFixAndTheRoute) {
  const CliOutcome o = Report("AMVER", "position-report");
  ASSERT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(o.out,
            "AMVER/PR//\r\n"
            "A/mv Brineholt/XXXX//\r\n"
            "B/082107Z//\r\n"
            "C/4222N/04437W//\r\n"
            "E/259//\r\n"
            "F/155//\r\n"
            "I/NEW YORK/4027N/07346W//\r\n"
            "Z/EOR//\r\n");
}

TEST_F(ReportCliTest, FinalReportGivesTheScheduledArrival) {
  const CliOutcome o = Report("AMVER", "final-report");
  ASSERT_EQ(o.status, 0) << o.err;
  EXPECT_NE(o.out.find("K/NEW YORK/4027N/07346W/142000Z//\r\n"), std::string::npos) << o.out;
}

TEST_F(ReportCliTest, OutFileHoldsTheBytesStdoutWouldHave) {
  const CliOutcome shown = Report("Equador", "sailing-plan");
  ASSERT_EQ(shown.status, 0) << shown.err;
  EXPECT_EQ(shown.out.find_first_of("\r\n"), std::string::npos) << "one line: " << shown.out;
  EXPECT_EQ(shown.out.rfind("SP/mv Brineholt/NL/XXXX/", 0), 0u) << shown.out;

  const std::string path = folder_.PathOf("EQUADOR.txt");
  const CliOutcome written = Report("Equador", "sailing-plan", {"--out", path});
  ASSERT_EQ(written.status, 0) << written.err;
  EXPECT_TRUE(written.out.empty());
  EXPECT_EQ(ReadText(path), shown.out);
}

TEST_F(ReportCliTest, SpecialFormFailsWithItsMessageAndWritesNothing) {
  for (const char* kind : {"sailing-plan", "final-report"}) {
    const std::string path = folder_.PathOf("ShipRep.txt");
    const CliOutcome o = Report("Peru", kind, {"--out", path});
    EXPECT_EQ(o.status, 1);
    EXPECT_TRUE(o.out.empty());
    EXPECT_NE(o.err.find("keelmark: This report requires special form\n"), std::string::npos)
        << o.err;
    EXPECT_FALSE(std::filesystem::exists(path));
  }
}

TEST_F(ReportCliTest, RouteOfOneWaypointIsNoActiveVoyage) {
  WriteRoute("route.q3v", nlohmann::json::array({Waypoint("ALONE", 1.0, 1.0)}));
  const CliOutcome o = Report("JASREP", "sailing-plan");
  EXPECT_EQ(o.status, 1);
  EXPECT_NE(o.err.find("No active voyage"), std::string::npos) << o.err;
}

TEST(ScheduleCli, RowsAndTotalsAsJsonAndTheTextFile) {
  const keelmark::test::ScratchDirectory folder;
  ASSERT_TRUE(WriteFileAtomically(folder.PathOf("schedule.dat"), [] {
    const auto b = keelmark::test::ReadTestData("schedule.dat");
    return std::string(b.begin(), b.end());
  }()));
  const std::string textPath = folder.PathOf("Schedule.txt");
  const CliOutcome o = RunCliWithInput(
      {"--now", kNow, "schedule", "--data-dir", folder.PathOf(""), "--text", textPath});
  ASSERT_EQ(o.status, 0) << o.err;
  const nlohmann::json result = nlohmann::json::parse(o.out);
  ASSERT_EQ(result["items"].size(), 2u);
  EXPECT_EQ(result["items"][1]["Name"], "Bremerhaven");
  // Rotterdam leaves at day 9001.0, Bremerhaven is due at 9002.25: 30 hours for 250.5 nM.
  EXPECT_NEAR(result["items"][1]["PassageHours"].get<double>(), 30.0, 1e-9);
  EXPECT_NEAR(result["items"][1]["Speed"].get<double>(), 8.35, 1e-9);
  EXPECT_EQ(result["items"][0]["row"]["speed"], "0.0 kts");
  EXPECT_EQ(result["totals"]["texts"]["distance"], "     250.5 nM");
  EXPECT_EQ(result["totals"]["texts"]["portStay"], "      12.0 hrs");
  EXPECT_EQ(result["totals"]["texts"]["atSea"], "      30.0 hrs");

  const std::string text = ReadText(textPath);
  EXPECT_EQ(text.rfind("Master Schedule created by Keelmark Route\r\n\r\n", 0), 0u) << text;
  EXPECT_NE(text.find("\r\nBremerhaven\t"), std::string::npos) << text;
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
}

TEST(ScheduleCli, MissingScheduleFileGivesTheMessageAndAnEmptySchedule) {
  const keelmark::test::ScratchDirectory folder;
  const CliOutcome o =
      RunCliWithInput({"--now", kNow, "schedule", "--data-dir", folder.PathOf("")});
  ASSERT_EQ(o.status, 0) << o.err;
  EXPECT_NE(o.err.find("Unable to load previous schedule Will create blanc schedule instead"),
            std::string::npos)
      << o.err;
  const nlohmann::json result = nlohmann::json::parse(o.out);
  EXPECT_TRUE(result["items"].empty());
  EXPECT_EQ(result["totals"]["texts"]["averageSpeed"], "NA");
  EXPECT_FALSE(std::filesystem::exists(folder.PathOf("schedule.dat")));
}

}  // namespace
}  // namespace keelmark::cli
