// plan, cpa, fix add, performance, report, schedule and route export|import on a scratch copy of
// the example data.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>

#include "records/archive_file.h"
#include "tests/cli/cli_run.h"

namespace keelmark::cli::test {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using ExampleVoyageTest = ExampleDataTest;

TEST_F(ExampleVoyageTest, PlanKeepsTheScheduleAndSumsTheLegs) {
  const json plan = JsonOut(Run({"plan", Route(), "--data-dir", Folder(), "--from", "departure"}));
  EXPECT_EQ(plan["ArrivalTime"], "2026-12-10T20:00:00Z");
  const auto& waypoints = plan["Waypoints"];
  ASSERT_EQ(waypoints.size(), 12u);
  double sum = 0.0;
  for (std::size_t i = 1; i < waypoints.size(); ++i)
    sum += waypoints[i]["LegDistance"].get<double>();
  EXPECT_NEAR(sum, plan["TotalDistance"].get<double>(), 1e-6);
  // The manual leg through the Dover Strait keeps its 12 knots.
  EXPECT_EQ(waypoints[2]["ManualSpeed"], 1);
  EXPECT_DOUBLE_EQ(waypoints[2]["GroundSpeed"].get<double>(), 12.0);
  EXPECT_GT(waypoints[5]["Rpm"].get<double>(), 40.0);
  EXPECT_LT(waypoints[5]["Rpm"].get<double>(), 104.0);

  // From the document the plan starts at the latest fix: the legs behind keep the departure's
  // figures, the arrival stays where it was scheduled.
  const json fromDocument = JsonOut(Run({"plan", Route(), "--data-dir", Folder()}));
  EXPECT_EQ(fromDocument["ArrivalTime"], "2026-12-10T20:00:00Z");
  EXPECT_NE(fromDocument["Waypoints"][9], waypoints[9]);
}

TEST_F(ExampleVoyageTest, PlanAndCpaOnlyReadTheDataFolder) {
  // Regression: cpa stored every data file back, and so set a damaged one aside and wrote an
  // empty list in its place; plan and cpa write nothing, whatever they find.
  fs::remove(Path("vessel.dat"));
  fs::remove(Path("meteo.dat"));
  ASSERT_TRUE(WriteFileAtomically(Path("warning.dat"), std::string("\x03\0\0\0", 4)));
  const auto before = FolderBytes(Folder());
  for (const std::vector<std::string>& command :
       {std::vector<std::string>{"plan", Route(), "--data-dir", Folder(), "--from", "departure"},
        {"plan", Route(), "--data-dir", Folder()},
        {"cpa", Route(), "--data-dir", Folder(), "--from", "latest-fix"}}) {
    const auto outcome = Run(command);
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_NE(outcome.err.find("Can not load vessel data (cannot open"), std::string::npos);
    EXPECT_NE(outcome.err.find("Can not load meteolist"), std::string::npos);
    EXPECT_NE(outcome.err.find("warning.dat is damaged"), std::string::npos) << outcome.err;
  }
  EXPECT_EQ(FolderBytes(Folder()), before);
}

// On the route from the latest fix, and on the present course, which leaves the route for the
// storms while warnings still follow the route.
TEST_F(ExampleVoyageTest, ClosestApproachOfEveryStormAndWarning) {
  const json cpa = JsonOut(Run({"cpa", Route(), "--data-dir", Folder(), "--from", "latest-fix"}));
  ASSERT_EQ(cpa["storms"].size(), 2u);
  ASSERT_EQ(cpa["warnings"].size(), 3u);
  // The drifting containers lie close to the track near 41N 057W (sampled every 10 hours).
  const json& containers = cpa["warnings"][0]["cpa"];
  EXPECT_EQ(cpa["warnings"][0]["Name"], "NAVAREA IV 1187/26");
  EXPECT_LT(containers["distance"].get<double>(), 100.0);
  EXPECT_GE(containers["bearing"].get<double>(), 0.0);
  EXPECT_LT(containers["bearing"].get<double>(), 360.0);
  for (const auto& storm : cpa["storms"]) EXPECT_GT(storm["cpa"]["distance"].get<double>(), 100.0);

  const json line = JsonOut(
      Run({"cpa", Route(), "--data-dir", Folder(), "--from", "latest-fix", "--present-course"}));
  ASSERT_EQ(line["storms"].size(), 2u);
  for (std::size_t i = 0; i < 2; ++i) {
    const json& storm = line["storms"][i]["cpa"];
    ASSERT_TRUE(storm["time"].is_string()) << storm.dump();
    // Not before the latest fix (06 Dec 09:00 UTC), and another place than on the route.
    EXPECT_GE(storm["time"].get<std::string>(), "2026-12-06T09:00:00Z") << storm.dump();
    EXPECT_NE(storm["distance"], cpa["storms"][i]["cpa"]["distance"]) << storm.dump();
  }
  EXPECT_EQ(line["warnings"], cpa["warnings"]);
}

TEST_F(ExampleVoyageTest, CpaFromTheDepartureFollowsTheRoute) {
  // Regression: the departure start made good no speed and no course, so a storm was met at
  // no time on the first leg and the warning search took its first 10-hour step due north from
  // the departure, putting the drifting containers' CPA 445 nM off at 48.6N. Stepping on the
  // leg courses from the departure still drifts off the great-circle legs over 3000 nM.
  const json cpa = JsonOut(Run({"cpa", Route(), "--data-dir", Folder(), "--from", "departure"}));
  const json& containers = cpa["warnings"][0]["cpa"];
  EXPECT_LT(containers["distance"].get<double>(), 300.0) << containers.dump();
  EXPECT_LT(containers["latitude"].get<double>(), 46.0) << containers.dump();
  ASSERT_EQ(cpa["storms"].size(), 2u);
  for (const auto& storm : cpa["storms"]) {
    ASSERT_TRUE(storm["cpa"]["time"].is_string()) << storm.dump();
    const std::string time = storm["cpa"]["time"];
    EXPECT_GT(time, "2026-12-01T06:00:00Z") << storm.dump();  // the departure
    EXPECT_LT(time, "2026-12-10T20:00:00Z") << storm.dump();  // the arrival
  }
}

TEST_F(ExampleVoyageTest, FixAddRunsThePipelineAndStoresTheHistory) {
  // The latest example fix is 09:00 UTC at about 42.8N 041.6W, making 255 degrees.
  const auto before = ReadWholeFile(Path("voyage.dat"));
  const json fix = JsonOut(Run(
      {"fix",        "add",    "--data-dir",           Folder(), "--lat",     "42.55",    "--lon",
       "-42.2",      "--time", "2026-12-06T12:00:00Z", "--rpm",  "72",        "--course", "245",
       "--wind-dir", "250",    "--wind-speed",         "22",     "--weather", "RAIN"}));
  EXPECT_EQ(fix["Name"], "Latest Position Fix");
  EXPECT_EQ(fix["TimeUtc"], "2026-12-06T12:00:00Z");
  EXPECT_GT(fix["SpeedMadeGood"].get<double>(), 5.0);
  EXPECT_LT(fix["SpeedMadeGood"].get<double>(), 40.0);
  EXPECT_GT(fix["LogSpeed"].get<double>(), 5.0);
  EXPECT_TRUE(fix["messages"].empty());
  EXPECT_NE(*ReadWholeFile(Path("voyage.dat")), *before);  // stored at the end
}

TEST_F(ExampleVoyageTest, FixAddOver40KnotsShowsTheMessage) {
  EXPECT_EQ(JsonOut(Run({"fix", "add", "--data-dir", Folder(), "--lat", "30", "--lon", "-20",
                         "--time", "2026-12-06T10:00:00Z"}))["messages"],
            json::array({"Groundspeed exceeding 40 kts\nCourse and speed not updated"}));
}

TEST_F(ExampleVoyageTest, PerformanceTextsAndRanges) {
  const json texts =
      JsonOut(Run({"performance", Route(), "--data-dir", Folder(), "--from", "4", "--till", "0"}));
  EXPECT_EQ(texts["hours"], "    24.0 hrs");  // swapped: fix 0 to fix 4, six hours apart
  EXPECT_NE(texts["Distance remaining"], "NA");
  const json same =
      JsonOut(Run({"performance", "--data-dir", Folder(), "--from", "2", "--till", "2"}));
  EXPECT_EQ(same["Distance made"], "NA");
  EXPECT_EQ(same["Distance remaining"], "NA");  // no route given
  EXPECT_EQ(Run({"performance", "--data-dir", Folder(), "--from", "0", "--till", "99"}).status, 1);
  EXPECT_EQ(Run({"performance", "--data-dir", Folder(), "--from", "0.5", "--till", "1"}).status, 1);
}

TEST_F(ExampleVoyageTest, CommandsNeverChangeTheSettingsFile) {
  // A missing data file is "located" by cancelling, which in the program forgets its path;
  // the settings file named on the command line must keep it.
  const std::string settings = Path("keelmark.ini");
  ASSERT_EQ(Run({"--settings", settings, "settings", "set", "Path", "portinfo", "port.dat"}).status,
            0);
  const auto before = ReadWholeFile(settings);
  ASSERT_TRUE(before);
  std::filesystem::remove(Path("hurricane.dat"));
  const auto outcome = Run({"--settings", settings, "list", "Ports", "--data-dir", Folder()});
  EXPECT_NE(outcome.err.find("Unable to load hurricane data"), std::string::npos);
  EXPECT_EQ(ReadWholeFile(settings), before);
}

// On the example data: the latest fix (6 Dec 09:00 UTC, 42.9301N 40.5239W, 259.8 degrees made
// good at 15.5 knots) and the route's last waypoint (40.45N 73.8W, whose minutes are cut as the
// golden reports cut them: 73.8 is held just below); the vessel's name and call sign.
class ReportCliTest : public ExampleDataTest {
 protected:
  CliOutcome Report(const std::string& system, const std::string& kind,
                    const std::vector<std::string>& more = {}) {
    std::vector<std::string> args = {"report",   Route(), "--data-dir", Folder(),
                                     "--system", system,  "--kind",     kind};
    args.insert(args.end(), more.begin(), more.end());
    return Run(args);
  }
};

TEST_F(ReportCliTest, PositionReportComesFromTheLatestFixAndTheRoute) {
  const CliOutcome o = Report("AMVER", "position-report");
  ASSERT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(o.out,
            "AMVER/PR//\r\n"
            "A/mv Keelmark Pioneer/XXXX//\r\n"
            "B/060900Z//\r\n"
            "C/4255N/04031W//\r\n"
            "E/259//\r\n"
            "F/155//\r\n"
            "I/Ambrose pilot/4027N/07347W//\r\n"
            "Z/EOR//\r\n");
}

TEST_F(ReportCliTest, OutFileHoldsTheBytesStdoutWouldHave) {
  const CliOutcome shown = Report("Equador", "sailing-plan");
  ASSERT_EQ(shown.status, 0) << shown.err;
  EXPECT_EQ(shown.out.find_first_of("\r\n"), std::string::npos) << "one line: " << shown.out;
  EXPECT_EQ(shown.out.rfind("SP/mv Keelmark Pioneer/NL/XXXX/", 0), 0u) << shown.out;

  const std::string path = Path("EQUADOR.txt");
  const CliOutcome written = Report("Equador", "sailing-plan", {"--out", path});
  ASSERT_EQ(written.status, 0) << written.err;
  EXPECT_TRUE(written.out.empty());
  EXPECT_EQ(FileText(path), shown.out);
}

TEST_F(ReportCliTest, SpecialFormFailsWithItsMessageAndWritesNothing) {
  for (const char* kind : {"sailing-plan", "final-report"}) {
    const std::string path = Path("ShipRep.txt");
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
TEST_F(ReportCliTest, ScheduleShowsTheStoredScheduleAndWritesItsText) {
  const std::string textPath = Path("Schedule.txt");
  const json result = JsonOut(Run({"schedule", "--data-dir", Folder(), "--text", textPath}));
  EXPECT_EQ(result["items"][1]["Name"], "New York");
  EXPECT_EQ(result["totals"]["texts"]["distance"], "    7275.0 nM");  // as the window shows
  EXPECT_EQ(FileText(textPath).rfind("Master Schedule created by Keelmark Route\r\n", 0), 0u);

  std::filesystem::remove(Path("schedule.dat"));
  const CliOutcome missing = Run({"schedule", "--data-dir", Folder()});
  EXPECT_EQ(missing.status, 0) << missing.err;
  EXPECT_NE(missing.err.find("Unable to load previous schedule"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(Path("schedule.dat")));
}

// --- route export|import ---

// Every command on the example's data folder.
class ExampleCopy : public ExampleDataTest {
 protected:
  CliOutcome Run(std::vector<std::string> args) const {
    args.insert(args.end(), {"--data-dir", Folder()});
    return ExampleDataTest::Run(args);
  }
};

TEST_F(ExampleCopy, ExampleExportedAndImportedGivesTheSamePlanInEveryFormat) {
  const json before = json::parse(Run({"plan", Path("atlantic-westbound.q3v")}).out);
  for (const std::string format : {"gpx", "rtz10", "rtz11", "rtz12"}) {
    SCOPED_TRACE(format);
    const std::string file = Path(format == "gpx" ? "crossing.gpx" : format + ".rtz");
    const std::string copy = Path("imported-" + format + ".q3v");
    const auto exported = Run(
        {"route", "export", file, "--format", format, "--route", Path("atlantic-westbound.q3v")});
    ASSERT_EQ(exported.status, 0) << exported.err;
    EXPECT_EQ(json::parse(exported.out)["exported"], 12);
    // The example's zone times cannot go across; the export says so.
    EXPECT_NE(exported.err.find("carries no zone times"), std::string::npos) << exported.err;

    EXPECT_EQ(
        JsonOut(Run({"route", "import", file, "--format", format, "--route", copy}))["imported"],
        12);

    const json after = json::parse(Run({"plan", copy}).out);
    EXPECT_EQ(after["ArrivalTime"], before["ArrivalTime"]);
    EXPECT_NEAR(after["TotalDistance"].get<double>(), before["TotalDistance"].get<double>(), 1e-6);
    ASSERT_EQ(after["Waypoints"].size(), before["Waypoints"].size());
    for (std::size_t i = 0; i < before["Waypoints"].size(); ++i) {
      for (const auto& [key, value] : before["Waypoints"][i].items()) {
        if (key == "ZoneOffset") continue;
        const json& other = after["Waypoints"][i][key];
        if (value.is_number_float()) {
          EXPECT_NEAR(other.get<double>(), value.get<double>(), 1e-6) << i << " " << key;
        } else {
          EXPECT_EQ(other, value) << i << " " << key;
        }
      }
    }
  }
}

TEST_F(ExampleCopy, BadRouteFileOrFormatChangesNoRouteDocument) {
  const std::string route = Path("atlantic-westbound.q3v");
  const auto bytes = ReadWholeFile(route);
  ASSERT_TRUE(WriteFileAtomically(Path("bad.rtz"),
                                  "<route><waypoints><waypoint id=\"1\">"
                                  "<position lat=\"95\" lon=\"0\"/></waypoint>"
                                  "</waypoints></route>"));
  const auto bad = Run({"route", "import", Path("bad.rtz"), "--format", "rtz12", "--route", route});
  EXPECT_EQ(bad.status, 1);
  EXPECT_NE(bad.err.find("latitude 95 is beyond 90 degrees"), std::string::npos) << bad.err;
  EXPECT_EQ(ReadWholeFile(route), bytes);

  const auto unknown =
      Run({"route", "import", Path("bad.rtz"), "--format", "kml", "--route", route});
  EXPECT_EQ(unknown.status, 2);
  EXPECT_NE(unknown.err.find("unknown --format 'kml'"), std::string::npos);
  const auto noRoute = Run({"route", "export", Path("x.gpx"), "--format", "gpx"});
  EXPECT_EQ(noRoute.status, 2);
  EXPECT_FALSE(fs::exists(Path("x.gpx")));
}

}  // namespace
}  // namespace keelmark::cli::test
