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
    Build("route",
          {{"Voyage", {{"Waypoints", {departure, Waypoint("MID ATLANTIC", 45.0, -40.0), arrival}}}},
           {"Charts", nlohmann::json::array()},
           {"ReportingPoints", nlohmann::json::array()}},
          "route.q3v");

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

// The numbers and texts are the schedule's own (its core tests); here only that the command
// shows them and writes the text file, and that a missing file is named and left unwritten.
TEST(ScheduleCli, ShowsTheStoredScheduleAndWritesItsText) {
  const keelmark::test::ScratchDirectory folder;
  const auto stored = keelmark::test::ReadTestData("schedule.dat");
  ASSERT_TRUE(WriteFileAtomically(folder.PathOf("schedule.dat"),
                                  std::string(stored.begin(), stored.end())));
  const std::string textPath = folder.PathOf("Schedule.txt");
  const CliOutcome o = RunCliWithInput(
      {"--now", kNow, "schedule", "--data-dir", folder.PathOf(""), "--text", textPath});
  ASSERT_EQ(o.status, 0) << o.err;
  const nlohmann::json result = nlohmann::json::parse(o.out);
  EXPECT_EQ(result["items"][1]["Name"], "Bremerhaven");
  EXPECT_EQ(result["totals"]["texts"]["distance"], "     250.5 nM");
  EXPECT_EQ(ReadText(textPath).rfind("Master Schedule created by Keelmark Route\r\n", 0), 0u);

  const keelmark::test::ScratchDirectory empty;
  const CliOutcome missing = RunCliWithInput({"schedule", "--data-dir", empty.PathOf("")});
  EXPECT_EQ(missing.status, 0) << missing.err;
  EXPECT_NE(missing.err.find("Unable to load previous schedule"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(empty.PathOf("schedule.dat")));
}

}  // namespace
}  // namespace keelmark::cli
