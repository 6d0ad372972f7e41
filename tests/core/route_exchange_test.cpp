#include "reports/route_exchange.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "navigation/calendar.h"
#include "navigation/navigation.h"
#include "navigation/text_format.h"
#include "records/vessel.h"
#include "tests/core/test_files.h"

namespace keelmark {
namespace {

using test::DayOf;

// A route of 2 to 40 waypoints starting anywhere between 100W and 100E (rhumb lines are not
// taken across the 180th meridian), each leg up to 130 nM in any direction, with names that XML
// must escape, random leg types and hand-set speeds, a departure and an arrival on whole seconds.
Voyage RandomRoute(std::mt19937& random) {
  std::uniform_int_distribution<int> count(2, 40), coin(0, 1), seconds(0, 86400 * 20);
  std::uniform_real_distribution<double> lat(-70.0, 70.0), lon(-100.0, 100.0), step(-1.5, 1.5),
      speed(4.0, 25.0);
  const char* const names[] = {"Cap d'Antibes", "A & B <north>", "\"Quoted\"", "Øresund Ñ", "",
                               "  spaced  "};
  Voyage route;
  route.VoyageNumber = "V" + std::to_string(count(random));
  const int n = count(random);
  for (int i = 0; i < n; ++i) {
    const Waypoint* previous = route.GetLast();
    Waypoint* w = route.Add(std::make_unique<Waypoint>());
    w->Latitude =
        previous ? std::clamp(previous->Latitude + step(random), -80.0, 80.0) : lat(random);
    w->Longitude = previous ? previous->Longitude + step(random) : lon(random);
    w->SetName(std::string(names[i % 6]) + std::to_string(i));
    w->GreatCircle = i > 0 ? coin(random) : 0;
    if (i > 0 && coin(random)) {
      w->ManualSpeed = 1;
      w->GroundSpeed = speed(random);
    }
  }
  const double departure = DayOf("2026-12-01T00:00:00Z") + seconds(random) / 86400.0;
  route.GetFirst()->SetTime(departure);
  route.GetLast()->SetScheduledTime(departure + 10.0 + seconds(random) / 86400.0);
  return route;
}

class RouteRoundTrip : public testing::TestWithParam<RouteFormat> {};

TEST_P(RouteRoundTrip, KeepsPositionsNamesLegTypesSpeedsAndTimesOfRandomRoutes) {
  std::mt19937 random(20261206);
  const CVessel2 vessel;
  for (int trial = 0; trial < 40; ++trial) {
    SCOPED_TRACE(trial);
    const Voyage route = RandomRoute(random);
    const ExportedRoute exported = RouteToText(route, vessel, GetParam(), "Random");
    std::string error;
    const auto imported = RouteFromText(exported.text, GetParam(), "", &error);
    ASSERT_TRUE(imported) << error;
    const Voyage& back = imported->route;
    ASSERT_EQ(back.GetCount(), route.GetCount());
    for (int i = 0; i < route.GetCount(); ++i) {
      const Waypoint& a = *route.GetAt(i);
      const Waypoint& b = *back.GetAt(i);
      EXPECT_EQ(b.GetName(), a.GetName()) << i;
      EXPECT_NEAR(b.Latitude, a.Latitude, 1e-8) << i;
      EXPECT_NEAR(b.Longitude, a.Longitude, 1e-8) << i;
      if (i == 0) continue;  // the first waypoint has no leg
      EXPECT_EQ(b.GreatCircle, a.GreatCircle) << i;
      EXPECT_EQ(b.ManualSpeed, a.ManualSpeed) << i;
      if (a.ManualSpeed) {
        EXPECT_EQ(b.GroundSpeed, a.GroundSpeed) << i;
      }
    }
    // A second apart at most: GPX gives the arrival back through the mean planned speed.
    EXPECT_NEAR(back.GetFirst()->GetTime(), route.GetFirst()->GetTime(), 1.0 / 86400.0);
    EXPECT_NEAR(back.GetLast()->GetScheduledTime(), route.GetLast()->GetScheduledTime(),
                1.0 / 86400.0);
    if (GetParam() != RouteFormat::Gpx) {
      EXPECT_EQ(back.VoyageNumber, route.VoyageNumber);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(EveryFormat, RouteRoundTrip,
                         testing::Values(RouteFormat::Gpx, RouteFormat::Rtz10, RouteFormat::Rtz11,
                                         RouteFormat::Rtz12),
                         [](const auto& test) { return std::string(RouteFormatWord(test.param)); });

TEST(RouteExport, WritesEachVersionsNamesAndSaysWhatItCannotCarry) {
  Voyage route;
  for (double lat : {50.0, 49.0}) route.Add(std::make_unique<Waypoint>())->Latitude = lat;
  route.GetLast()->GreatCircle = 1;
  route.GetLast()->SetZoneHours(-5.0);
  route.GetFirst()->SetTime(DayOf("2026-12-01T06:00:00Z"));
  route.GetLast()->SetScheduledTime(DayOf("2026-12-01T18:00:00Z"));
  CVessel2 vessel;
  vessel.name = "mv Example";
  vessel.imoNumber = "9000001";
  struct Case {
    RouteFormat format;
    std::vector<std::string> present, absent;
  };
  const Case cases[] = {
      {RouteFormat::Gpx,
       {"<gpx version=\"1.1\"", "<opencpn:planned_speed>", "etd=\"2026-12-01T06:00:00Z\"",
        "geometryType=\"Orthodrome\""},
       {"<time>"}},
      {RouteFormat::Rtz10,
       {"xmlns=\"http://www.cirm.org/RTZ/1/0\"", "<sheduleElement waypointId=\"1\"",
        "routeName=\"voyage\"", "vesselName=\"mv Example\"", "vesselIMO=\"9000001\""},
       {"<scheduleElement"}},
      {RouteFormat::Rtz12,
       {"xmlns=\"http://www.cirm.org/RTZ/1/2\"", "geometryType=\"Orthodrome\""},
       {"sheduleElement"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(RouteFormatTitle(c.format));
    const ExportedRoute exported = RouteToText(route, vessel, c.format, "voyage");
    for (const std::string& text : c.present)
      EXPECT_NE(exported.text.find(text), std::string::npos) << text;
    for (const std::string& text : c.absent)
      EXPECT_EQ(exported.text.find(text), std::string::npos) << text;
    ASSERT_EQ(exported.notes.size(), 1u);
    EXPECT_NE(exported.notes[0].find("zone times"), std::string::npos);
  }
}

// Files written by hand in the manner of other programs, each with its habits.
struct SampleCase {
  const char* file;
  RouteFormat format;
  // The waypoints in order, separated by ';', each leg marked "^" when by great circle and
  // "@knots" when its speed is set by hand.
  std::string legs;
  const char* departure;  // nullptr: none
  const char* arrival;    // nullptr: checked apart
  std::string voyageNumber;
  std::vector<std::string> notes;  // a piece of each note, in order
};

class SampleRouteFiles : public testing::TestWithParam<SampleCase> {};

TEST_P(SampleRouteFiles, Import) {
  const SampleCase& c = GetParam();
  std::string error;
  const auto imported =
      ImportRouteFile(std::string(KEELMARK_TEST_DATA) + "/routes/" + c.file, c.format, "", &error);
  ASSERT_TRUE(imported) << error;
  std::string legs;
  for (const auto& w : imported->route) {
    legs += (legs.empty() ? "" : ";") + w->GetName() + (w->GreatCircle ? "^" : "");
    if (w->ManualSpeed) legs += "@" + FormatNumber("%.1f", w->GroundSpeed);
  }
  EXPECT_EQ(legs, c.legs);
  if (c.departure) {
    EXPECT_NEAR(imported->route.GetFirst()->GetTime(), DayOf(c.departure), 1e-9);
  }
  if (c.arrival) {
    EXPECT_NEAR(imported->route.GetLast()->GetScheduledTime(), DayOf(c.arrival), 1e-5);
  }
  EXPECT_EQ(imported->route.VoyageNumber, c.voyageNumber);
  ASSERT_EQ(imported->notes.size(), c.notes.size());
  for (std::size_t i = 0; i < c.notes.size(); ++i) {
    EXPECT_NE(imported->notes[i].find(c.notes[i]), std::string::npos) << imported->notes[i];
  }
}

INSTANTIATE_TEST_SUITE_P(
    OtherProducers, SampleRouteFiles,
    testing::Values(
        // Point times are when the points were made, not ETAs; a point speed equal to the
        // route's is the route's pace, a different one is set for its leg.
        SampleCase{"plotter_route.gpx",
                   RouteFormat::Gpx,
                   "Cowes;Nab Tower;Cherbourg fairway@8.5",
                   "2026-12-01T06:00:00Z",
                   nullptr,
                   "",
                   {}},
        SampleCase{"handheld_waypoints.gpx",
                   RouteFormat::Gpx,
                   "Göteborg;Vinga;Kattegat SW;Øresund N",
                   nullptr,
                   nullptr,
                   "",
                   {"no departure"}},
        SampleCase{"logger_track.gpx",
                   RouteFormat::Gpx,
                   "Track 1;Track 21;Track 41",
                   nullptr,
                   nullptr,
                   "",
                   {"of 41 points taken as a route of 3", "no schedule"}},
        SampleCase{"ecdis_rtz10.rtz",
                   RouteFormat::Rtz10,
                   "Ushant TSS exit;Biscay W^;Finisterre TSS N@11.5",
                   "2026-12-02T18:00:00Z",
                   "2026-12-03T19:30:00Z",
                   "V0412",
                   {}},
        SampleCase{"planning_rtz11.rtz",
                   RouteFormat::Rtz11,
                   "Europa Point;Cabo de Gata@13.0;Cap Bon^;Valletta",
                   "2026-12-05T06:30:00Z",
                   "2026-12-08T13:00:00Z",
                   "GM-07",
                   {"speed range 10.0 to 12.0"}},
        SampleCase{"shore_rtz12.rtz",
                   RouteFormat::Rtz12,
                   "Ambrose;Nantucket SE@15.5;Sable SW^;Halifax pilot",
                   "2026-12-10T12:00:00Z",
                   "2026-12-12T06:00:00Z",
                   "W-2026-12",
                   {"speed range", "stay at waypoint id 42"}}),
    [](const auto& test) { return "Sample" + std::to_string(test.index); });

TEST(SampleRouteFiles, PlotterArrivalFollowsFromDepartureAndPlannedSpeed) {
  std::string error;
  const auto imported = ImportRouteFile(
      std::string(KEELMARK_TEST_DATA) + "/routes/plotter_route.gpx", RouteFormat::Gpx, "", &error);
  ASSERT_TRUE(imported) << error;
  // 74.38 nM by rhumb line at 12 knots.
  const Voyage& route = imported->route;
  EXPECT_NEAR((route.GetLast()->GetScheduledTime() - route.GetFirst()->GetTime()) * 24.0, 6.198,
              0.01);
}

struct BadFile {
  const char* what;
  RouteFormat format;
  std::string text;
  const char* message;  // a piece of the one message
};

std::string ManyPoints(int count) {
  std::string text = "<gpx version=\"1.1\"><rte>";
  for (int i = 0; i < count; ++i) {
    text += "<rtept lat=\"" + std::to_string(i * 0.01) + "\" lon=\"1\"/>";
  }
  return text + "</rte></gpx>";
}

class BadRouteFiles : public testing::TestWithParam<BadFile> {};

TEST_P(BadRouteFiles, GiveOneClearMessage) {
  std::string error;
  const char* name = std::string(GetParam().what) == "missingName" ? "B" : "";
  EXPECT_FALSE(RouteFromText(GetParam().text, GetParam().format, name, &error));
  EXPECT_NE(error.find(GetParam().message), std::string::npos) << error;
}

INSTANTIATE_TEST_SUITE_P(
    Refused, BadRouteFiles,
    testing::Values(
        BadFile{"binary", RouteFormat::Gpx, std::string("\x00\x01q3v", 5), "not an XML file"},
        BadFile{"cut", RouteFormat::Rtz11, "<route version=\"1.1\"><waypoints>", "not an XML file"},
        BadFile{"gpxAsRtz", RouteFormat::Rtz12, "<gpx/>", "not an RTZ route file"},
        BadFile{"empty", RouteFormat::Gpx, "<gpx version=\"1.1\"/>", "no route, waypoints"},
        BadFile{"noPosition", RouteFormat::Gpx,
                "<gpx><rte><rtept lat=\"1\" lon=\"1\"/><rtept lat=\"2\"/></rte></gpx>",
                "rtept 2 has no position"},
        BadFile{"lat91", RouteFormat::Rtz10,
                "<route><waypoints><waypoint id=\"1\"><position lat=\"91\" lon=\"0\"/></waypoint>"
                "</waypoints></route>",
                "latitude 91 is beyond 90"},
        BadFile{"sameId", RouteFormat::Rtz11,
                "<route><waypoints><waypoint id=\"4\"><position lat=\"1\" lon=\"0\"/></waypoint>"
                "<waypoint id=\"4\"><position lat=\"2\" lon=\"0\"/></waypoint></waypoints></route>",
                "id 4 is given twice"},
        BadFile{"noId", RouteFormat::Rtz12,
                "<route><waypoints><waypoint><position lat=\"1\" lon=\"0\"/></waypoint>"
                "</waypoints></route>",
                "waypoint 1 has no id"},
        BadFile{"thousands", RouteFormat::Gpx, ManyPoints(2500), "at most 1000"},
        BadFile{"missingName", RouteFormat::Gpx, "<gpx><rte><name>A</name></rte></gpx>",
                "no route or track named 'B'"}),
    [](const auto& test) { return std::string(test.param.what); });

TEST(RouteExchangeFiles, FailedExportLeavesTheOldFileAndFormatsFollowTheFileType) {
  test::ScratchDirectory folder;
  const std::string path = folder.PathOf("out.rtz");
  Voyage route;
  route.Add(std::make_unique<Waypoint>());
  std::string error;
  EXPECT_FALSE(ExportRouteFile(route, CVessel2(), RouteFormat::Rtz12, path, nullptr, &error));
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_FALSE(ImportRouteFile(folder.PathOf("missing.gpx"), RouteFormat::Gpx, "", &error));
  EXPECT_EQ(error, "cannot open the file");

  EXPECT_EQ(RouteFormatFromPath("a/b/Route.GPX"), RouteFormat::Gpx);
  EXPECT_EQ(RouteFormatFromPath("x.rtz"), RouteFormat::Rtz12);
  EXPECT_EQ(RouteFormatFromPath("x.q3v"), std::nullopt);
  EXPECT_EQ(RouteFormatFromWord("rtz10"), RouteFormat::Rtz10);
  EXPECT_EQ(RouteFormatFromWord("RTZ"), std::nullopt);
  EXPECT_EQ(RouteNameOfPath("/tmp/Le Havre.v2.rtz"), "Le Havre.v2");
}

}  // namespace
}  // namespace keelmark
