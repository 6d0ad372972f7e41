// Layouts, defaults and text forms of the route records: weather blocks, waypoints, fixes, the
// voyage and its document, the history, the average-weather points and the schedule.
//
// The golden files in tests/data (default_waypoint.bin, route_v4.q3v, route_v3.q3v, history.dat,
// meteo.dat, schedule.dat, fix_older_weather.dat) are written by tests/data/make_route_files.py
// straight from the documented byte layouts, not by this code.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "navigation/calendar.h"
#include "navigation/navigation.h"
#include "records/archive.h"
#include "records/chart_list.h"
#include "records/history_list.h"
#include "records/meteo_list.h"
#include "records/reporting_point_list.h"
#include "records/route_document.h"
#include "records/schedule_list.h"
#include "records/voyage.h"
#include "tests/core/archive_bytes.h"

namespace keelmark {
namespace {

using Bytes = Archive::Bytes;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

using test::LoadAll;
using test::ReadTestData;
using test::Stored;

template <typename Record>
Bytes StoredRecord(Record& record) {
  return Stored([&record](Archive& a) { record.Serialize(a); });
}

// --- Weather blocks -------------------------------------------------------------------------

// An older block: the bare pressure, seven more doubles and the observation count, followed
// here by a marker that must still be unread.
Bytes OlderBlockThenMarker(double pressure) {
  return Stored([pressure](Archive& a) {
    a.WriteF64(pressure);
    for (double v : {17.0, 45.0, 0.75, 1.4, 19.5, 200.0, 8.0}) a.WriteF64(v);
    a.WriteI32(6);
    a.WriteI32(0x12345678);
  });
}

TEST(WeatherLayout, OlderBlockTakes68BytesAndLoadsTheDefaultsOfTheRest) {
  WeatherConditions weather;
  weather.Visibility = 2.0;  // left from an earlier use; the older block resets it
  weather.WeatherText = "FOG";
  weather.WaveHeight = 3.0;
  Archive in = Archive::ForLoading(OlderBlockThenMarker(1000.0));
  weather.Serialize(in);
  EXPECT_EQ(in.Remaining(), 4u);
  EXPECT_EQ(in.ReadI32(), 0x12345678);
  EXPECT_TRUE(weather.OlderLayout);
  EXPECT_EQ(weather.AirPressure, 1000.0);
  EXPECT_EQ(weather.ObservationCount, 6);
  EXPECT_EQ(weather.Visibility, 15.0);
  EXPECT_EQ(weather.WeatherText, "");

  // The program writes it back in the full layout (dump and build keep the older one: the golden
  // fix_older_weather.dat).
  EXPECT_EQ(Stored([&](Archive& a) { weather.Serialize(a); }).size(), 68u + 4 * 8 + 1);
}

TEST(WeatherLayout, FirstValueDecidesTheLayout) {
  const struct {
    double storedFirst;
    bool older;
    double pressure;                     // as loaded (NaN compares by isnan)
  } cases[] = {{8000.0, true, 8000.0},   // exactly 8000 is the older layout
               {8000.5, false, -999.5},  // just above is the marked one
               {10013.25, false, 1013.25},
               {-kInf, true, -kInf},
               // A pressure that is not a number was written by a marking writer, which always
               // writes the whole block.
               {kNaN, false, kNaN}};
  for (const auto& c : cases) {
    const Bytes bytes = Stored([&](Archive& a) {
      a.WriteF64(c.storedFirst);
      for (int k = 0; k < 7; ++k) a.WriteF64(1.0);
      a.WriteI32(1);
      for (int k = 0; k < 4; ++k) a.WriteF64(2.0);
      a.WriteText("X");
    });
    WeatherConditions weather;
    Archive in = Archive::ForLoading(bytes);
    weather.Serialize(in);
    EXPECT_EQ(weather.OlderLayout, c.older) << c.storedFirst;
    EXPECT_EQ(in.Remaining(), c.older ? 4u * 8 + 2 : 0u) << c.storedFirst;
    EXPECT_TRUE(test::SameValue(weather.AirPressure, c.pressure)) << weather.AirPressure;
  }
}

// A stored pressure + 9000 that is not above 8000 would read back as the older layout and shift
// the rest of the file; the program must still read what it wrote.
TEST(WeatherLayout, UnmarkablePressuresReadBack) {
  for (const double pressure : {kNaN, -1000.0, -1500.0, -kInf, kInf}) {
    Waypoint waypoint;
    waypoint.Weather.AirPressure = pressure;
    waypoint.Weather.WindSpeed = 25.0;
    waypoint.UseVoyageWeather = 0;
    Waypoint loaded;
    LoadAll(StoredRecord(waypoint), [&](Archive& a) { loaded.Serialize(a); });
    EXPECT_TRUE(test::SameValue(loaded.Weather.AirPressure, pressure)) << pressure;
    EXPECT_EQ(loaded.Weather.WindSpeed, 25.0);
    EXPECT_EQ(loaded.UseVoyageWeather, 0);
  }
}

// The usual forms are pinned by the list goldens (tests/data/lists).
TEST(WeatherText, NotANumber) {
  WeatherConditions w;
  w.CurrentRate = 1.26;
  w.WindSpeed = kNaN;
  w.CurrentSet = kNaN;
  w.Visibility = kInf;
  EXPECT_EQ(w.WindText(), "N NA kts");
  EXPECT_EQ(w.CurrentText(), " 1.3 kts");
  EXPECT_EQ(w.VisibilityText(), "NA nM");
}

// --- Waypoints and fixes --------------------------------------------------------------------

TEST(WaypointLayout, DefaultIsTheGoldenBytesWithoutTheComputedLegValues) {
  Waypoint computed;
  computed.Revolutions = 88.0;
  computed.LegDistance = 110.0;
  computed.CorrectedDistance = 105.0;
  computed.Rpm = 92.0;
  const Bytes bytes = StoredRecord(computed);
  EXPECT_EQ(bytes, ReadTestData("default_waypoint.bin"));
  EXPECT_EQ(computed.Weather.AirPressure, 1000.0) << "storing must not change the pressure";

  // Nor read: loading into a waypoint leaves its computed values as they were.
  Waypoint loaded = computed;
  loaded.GroundSpeed = 3.0;
  LoadAll(bytes, [&](Archive& a) { loaded.Serialize(a); });
  EXPECT_EQ(loaded.GroundSpeed, 12.0);
  EXPECT_EQ(loaded.Rpm, 92.0);
  EXPECT_EQ(loaded.LegDistance, 110.0);
}

TEST(PositionFixReport, CourseAndSpeedGroupsTruncate) {
  struct Case {
    double value;
    const char* course;  // ReportCourse of that many degrees
    const char* speed;   // ReportSpeed of that many knots
  };
  const Case cases[] = {{5.7, "005/", "057/"},     {0.5, "000/", "05/"}, {9.99, "009/", "099/"},
                        {359.99, "359/", "3599/"}, {kNaN, "NA/", "NA/"}, {1.0e300, "NA/", "NA/"}};
  PositionFix fix;
  for (const Case& c : cases) {
    fix.CourseMadeGood = fix.SpeedMadeGood = c.value;
    EXPECT_EQ(fix.ReportCourse(), c.course) << c.value;
    EXPECT_EQ(fix.ReportSpeed(), c.speed) << c.value;
  }
}

// --- Voyage and route document --------------------------------------------------------------

TEST(RouteDocument, VersionThreeFileHasNoNoteAndIsSavedAsVersionFour) {
  const Bytes golden = ReadTestData("route_v3.q3v");
  Voyage voyage;
  voyage.Note = "from before";
  ChartList charts;
  ReportingPointList points;
  LoadAll(golden, [&](Archive& a) { SerializeRouteDocument(a, voyage, charts, points); });
  EXPECT_EQ(voyage.Version, 3);
  EXPECT_EQ(voyage.Note, "from before") << "a version 3 file has no note to read";

  voyage.Note.clear();
  const Bytes saved =
      Stored([&](Archive& a) { SerializeRouteDocument(a, voyage, charts, points); });
  // Version 4, the older weather block grown by its last five fields, and an empty note.
  EXPECT_EQ(saved.size(), golden.size() + 4 * 8 + 1 + 1);
  Voyage reloaded;
  LoadAll(saved, [&](Archive& a) { SerializeRouteDocument(a, reloaded, charts, points); });
  EXPECT_EQ(reloaded.Version, 4);
  EXPECT_EQ(reloaded.GetFirst()->Latitude, 53.5);
}

// --- History, average weather, schedule -----------------------------------------------------

TEST(ScheduleItemTimes, LocalArrivalAndDeparture) {
  ScheduleItem item;
  item.Eta = 1522.5;  // 2004-03-01 12:00 UTC
  item.ZoneHours = 2.0;
  item.Etd = item.Eta + 30.0 / 24.0;
  EXPECT_EQ(IsoUtc(item.ArrivalTime()), "2004-03-01T14:00:00Z");
  EXPECT_EQ(IsoUtc(item.DepartureTime()), "2004-03-02T20:00:00Z");
  item.Eta = kNaN;
  EXPECT_EQ(item.ArrivalTime(), kNoTime);
}

// --- List counts ---------------------------------------------------------------------------
// (Byte-exact round trips and truncations of the golden files: tests/cli/golden_files_test.cpp
// and golden_truncation_test.cpp.)

template <typename List>
int LoadedCount(const Bytes& bytes) {
  List list;
  Archive in = Archive::ForLoading(bytes);
  list.Serialize(in);
  return list.GetCount();
}

// A count the rest of the file cannot hold at each list's smallest record is refused before any
// record is made; three of the smallest records in three records' bytes still load. The
// smallest records are all zero bytes: empty texts, and weather blocks whose first value (not
// above 8000) marks the older 68-byte layout.
TEST(ListCounts, RefusedOnlyWhenTheBytesCannotHoldThem) {
  constexpr std::size_t kPosition = 7 * 8 + 1, kOlderWeather = 8 * 8 + 4;
  const Bytes voyageHeader = Stored([](Archive& a) {
    a.WriteI32(4);  // version
    a.WriteText("");
    a.WriteI32(1);
  });
  const struct {
    const char* list;
    Bytes header;
    std::size_t record, trailer;
    int (*load)(const Bytes&);
  } cases[] = {
      {"voyage", voyageHeader, kPosition + kOlderWeather + 4 * 4 + 2 * 8, 1, LoadedCount<Voyage>},
      {"history", {}, kPosition + kOlderWeather + 7 * 8, 0, LoadedCount<HistoryList>},
      {"meteo", {}, kPosition + 5 * kOlderWeather + 8 + 1, 0, LoadedCount<MeteoList>},
      {"schedule", {}, 4 * 8 + 1, 0, LoadedCount<ScheduleList>}};
  for (const auto& c : cases) {
    const auto file = [&](std::int32_t count) {
      Bytes bytes = c.header;
      const Bytes counted = Stored([&](Archive& a) { a.WriteI32(count); });
      bytes.insert(bytes.end(), counted.begin(), counted.end());
      bytes.resize(bytes.size() + 3 * c.record + c.trailer, 0);
      return bytes;
    };
    EXPECT_EQ(c.load(file(3)), 3) << c.list;
    try {
      (void)c.load(file(4));
      ADD_FAILURE() << c.list << ": a count of 4 was accepted";
    } catch (const ArchiveError& e) {
      EXPECT_NE(std::string(e.what()).find("larger than the rest"), std::string::npos) << e.what();
    }
  }
}

}  // namespace
}  // namespace keelmark
