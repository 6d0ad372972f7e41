#include "reports/route_exchange.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <sstream>
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

TEST(RouteRoundTrip, KeepsPositionsNamesLegTypesSpeedsAndTimesOfRandomRoutes) {
  const CVessel2 vessel;
  std::mt19937 random(20261206);
  for (int trial = 0; trial < 160; ++trial) {
    // The same 40 routes in each format.
    if (trial % 40 == 0) random.seed(20261206);
    const RouteFormat format = std::array{RouteFormat::Gpx, RouteFormat::Rtz10, RouteFormat::Rtz11,
                                          RouteFormat::Rtz12}[trial / 40];
    SCOPED_TRACE(std::string(RouteFormatWord(format)) + " " + std::to_string(trial % 40));
    const Voyage route = RandomRoute(random);
    const ExportedRoute exported = RouteToText(route, vessel, format, "Random");
    std::string error;
    const auto imported = RouteFromText(exported.text, format, "", &error);
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
    if (format != RouteFormat::Gpx) {
      EXPECT_EQ(back.VoyageNumber, route.VoyageNumber);
    }
  }
}

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
  const auto pieces = test::ReadTable("routes/export_pieces.txt");
  ASSERT_EQ(pieces.size(), 14u);
  for (const auto format : {RouteFormat::Gpx, RouteFormat::Rtz10, RouteFormat::Rtz12}) {
    SCOPED_TRACE(RouteFormatTitle(format));
    const ExportedRoute exported = RouteToText(route, vessel, format, "voyage");
    for (const auto& piece : pieces) {
      if (piece.at(0) != RouteFormatWord(format)) continue;
      EXPECT_EQ(exported.text.find(piece.at(2)) != std::string::npos, piece.at(1) == "+")
          << piece[2];
    }
    ASSERT_EQ(exported.notes.size(), 1u);
    EXPECT_NE(exported.notes[0].find("zone times"), std::string::npos);
  }
}

// The files of tests/data/routes/samples.txt, written in the manner of other programs.
TEST(SampleRouteFiles, ImportWithTheirLegsTimesVoyageNumberAndNotes) {
  const auto rows = test::ReadTable("routes/samples.txt");
  ASSERT_EQ(rows.size(), 6u);
  for (const auto& row : rows) {
    SCOPED_TRACE(row.at(0));
    std::string error;
    const auto imported = ImportRouteFile(std::string(KEELMARK_TEST_DATA) + "/routes/" + row[0],
                                          *RouteFormatFromWord(row.at(1)), "", &error);
    ASSERT_TRUE(imported) << error;
    const Voyage& route = imported->route;
    std::string legs;
    for (const auto& w : route) {
      legs += (legs.empty() ? "" : ";") + w->GetName() + (w->GreatCircle ? "^" : "");
      if (w->ManualSpeed) legs += "@" + FormatNumber("%.1f", w->GroundSpeed);
    }
    EXPECT_EQ(legs, row.at(2));
    if (row.at(3) != "-") {
      EXPECT_NEAR(route.GetFirst()->GetTime(), DayOf(row[3].c_str()), 1e-9);
    }
    if (row.at(4) != "-") {
      EXPECT_NEAR(route.GetLast()->GetScheduledTime(), DayOf(row[4].c_str()), 1e-5);
    }
    EXPECT_EQ(route.VoyageNumber, row.at(5) == "-" ? "" : row[5]);
    std::vector<std::string> pieces;  // a piece of each note, in order
    std::istringstream notes(row.at(6));
    for (std::string piece; std::getline(notes, piece, '|');) pieces.push_back(piece);
    ASSERT_EQ(imported->notes.size(), pieces.size());
    for (std::size_t i = 0; i < pieces.size(); ++i) {
      EXPECT_NE(imported->notes[i].find(pieces[i]), std::string::npos) << imported->notes[i];
    }
  }
  std::string error;
  // The plotter's arrival follows from the departure and the planned speed: 74.38 nM by rhumb
  // line at 12 knots.
  const auto plotter = ImportRouteFile(
      std::string(KEELMARK_TEST_DATA) + "/routes/plotter_route.gpx", RouteFormat::Gpx, "", &error);
  ASSERT_TRUE(plotter);
  EXPECT_NEAR(
      (plotter->route.GetLast()->GetScheduledTime() - plotter->route.GetFirst()->GetTime()) * 24.0,
      6.198, 0.01);
}

// The texts of tests/data/routes/bad_routes.txt, bytes that are no XML, and too many points.
TEST(BadRouteFiles, GiveOneClearMessage) {
  auto rows = test::ReadTable("routes/bad_routes.txt");
  ASSERT_EQ(rows.size(), 8u);
  std::string many = "<gpx version=\"1.1\"><rte>";
  for (int i = 0; i < 2500; ++i)
    many += "<rtept lat=\"" + std::to_string(i * 0.01) + "\" lon=\"1\"/>";
  rows.push_back({"thousands", "gpx", "", many + "</rte></gpx>", "at most 1000"});
  rows.push_back({"binary", "gpx", "", std::string("\x00\x01q3v", 5), "not an XML file"});
  for (const auto& row : rows) {
    std::string error;
    EXPECT_FALSE(RouteFromText(row.at(3), *RouteFormatFromWord(row.at(1)), row.at(2), &error))
        << row[0];
    EXPECT_NE(error.find(row.at(4)), std::string::npos) << row[0] << ": " << error;
  }
}

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
  // The format follows the file type, whatever its case; a route is named after its file.
  EXPECT_EQ(RouteFormatFromPath("a/b/Route.GPX"), RouteFormat::Gpx);
  EXPECT_EQ(RouteFormatFromPath("x.q3v"), std::nullopt);
  EXPECT_EQ(RouteNameOfPath("/tmp/Le Havre.v2.rtz"), "Le Havre.v2");
}

}  // namespace
}  // namespace keelmark
