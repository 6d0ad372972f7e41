// Layouts, defaults and text forms of the route records: weather blocks, waypoints, fixes, the
// voyage and its document, the history, the average-weather points and the schedule.
//
// The golden files in tests/data (default_waypoint.bin, route_v4.q3v, route_v3.q3v, history.dat,
// meteo.dat, schedule.dat, fix_older_weather.dat) are written by tests/data/make_route_files.py
// straight from the documented byte layouts, not by this code.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <stdexcept>

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

Bytes F64Bytes(double value) {
  return Stored([value](Archive& a) { a.WriteF64(value); });
}

// --- Weather blocks -------------------------------------------------------------------------

TEST(WeatherLayout, DefaultWaypointIsTheGoldenBytesAndItsBlockStartsWith10000) {
  Waypoint waypoint;
  const Bytes bytes = StoredRecord(waypoint);
  EXPECT_EQ(bytes, ReadTestData("default_waypoint.bin"));
  const Bytes mark = F64Bytes(10000.0);
  ASSERT_GT(bytes.size(), CPosition2::kMinimumStoredBytes + 12 + 8);
  // The weather block follows the 69 bytes of the default position record.
  EXPECT_TRUE(std::equal(mark.begin(), mark.end(), bytes.begin() + 69));
  EXPECT_EQ(waypoint.Weather.AirPressure, 1000.0) << "storing must not change the pressure";
}

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
  EXPECT_EQ(weather.WaveHeight, 0.0);

  // The program writes it back in the full layout; dump and build keep the older one.
  const Bytes full = Stored([&](Archive& a) { weather.Serialize(a); });
  EXPECT_EQ(full.size(), 68u + 4 * 8 + 1);
  const Bytes asLoaded = Stored([&](Archive& a) { weather.Serialize(a, StoreLayout::AsLoaded); });
  Bytes expected = OlderBlockThenMarker(1000.0);
  expected.resize(68);
  EXPECT_EQ(asLoaded, expected);
}

struct MarkCase {
  double storedFirst;
  bool older;
  double pressure;  // as loaded (NaN compares by isnan)
};

class WeatherMarkTest : public testing::TestWithParam<MarkCase> {};

TEST_P(WeatherMarkTest, FirstValueDecidesTheLayout) {
  const MarkCase& c = GetParam();
  Bytes bytes = Stored([&](Archive& a) {
    a.WriteF64(c.storedFirst);
    for (int k = 0; k < 7; ++k) a.WriteF64(1.0);
    a.WriteI32(1);
    for (int k = 0; k < 4; ++k) a.WriteF64(2.0);
    a.WriteText("X");
  });
  WeatherConditions weather;
  Archive in = Archive::ForLoading(bytes);
  weather.Serialize(in);
  EXPECT_EQ(weather.OlderLayout, c.older);
  EXPECT_EQ(in.Remaining(), c.older ? 4u * 8 + 2 : 0u);
  if (std::isnan(c.pressure)) {
    EXPECT_TRUE(std::isnan(weather.AirPressure));
  } else {
    EXPECT_EQ(weather.AirPressure, c.pressure);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, WeatherMarkTest,
    testing::Values(MarkCase{8000.0, true, 8000.0},   // exactly 8000 is the older layout
                    MarkCase{8000.5, false, -999.5},  // just above is the marked one
                    MarkCase{10013.25, false, 1013.25}, MarkCase{-kInf, true, -kInf},
                    // A pressure that is not a number was written by a marking writer, which
                    // always writes the whole block.
                    MarkCase{kNaN, false, kNaN}));

class UnmarkablePressureTest : public testing::TestWithParam<double> {};

// A stored pressure + 9000 that is not above 8000 would read back as the older layout and shift
// the rest of the file; the program must still read what it wrote.
TEST_P(UnmarkablePressureTest, WhatIsStoredReadsBack) {
  Waypoint waypoint;
  waypoint.Weather.AirPressure = GetParam();
  waypoint.Weather.WindSpeed = 25.0;
  waypoint.GroundSpeed = 9.0;
  waypoint.UseVoyageWeather = 0;
  Waypoint loaded;
  LoadAll(StoredRecord(waypoint), [&](Archive& a) { loaded.Serialize(a); });
  if (std::isnan(GetParam())) {
    EXPECT_TRUE(std::isnan(loaded.Weather.AirPressure));
  } else {
    EXPECT_EQ(loaded.Weather.AirPressure, GetParam());
  }
  EXPECT_EQ(loaded.Weather.WindSpeed, 25.0);
  EXPECT_EQ(loaded.GroundSpeed, 9.0);
  EXPECT_EQ(loaded.UseVoyageWeather, 0);
}

INSTANTIATE_TEST_SUITE_P(Pressures, UnmarkablePressureTest,
                         testing::Values(kNaN, -1000.0, -1500.0, -kInf, kInf));

struct TextCase {
  std::function<void(WeatherConditions&)> set;
  std::function<std::string(const WeatherConditions&)> text;
  std::string expected;
};

class WeatherTextTest : public testing::TestWithParam<TextCase> {};

TEST_P(WeatherTextTest, Reads) {
  WeatherConditions weather;
  GetParam().set(weather);
  EXPECT_EQ(GetParam().text(weather), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, WeatherTextTest,
    testing::Values(TextCase{[](auto& w) {
                               w.WindDirection = 22.5;
                               w.WindSpeed = 12.0;
                             },
                             [](const auto& w) { return w.WindText(); }, "NNE 12.0 kts"},
                    TextCase{[](auto& w) {
                               w.CurrentSet = 180.0;
                               w.CurrentRate = 1.26;
                             },
                             [](const auto& w) { return w.CurrentText(); }, "S 1.3 kts"},
                    TextCase{[](auto& w) {
                               w.SwellDirection = 270.0;
                               w.SwellHeight = 2.0;
                             },
                             [](const auto& w) { return w.SwellText(); }, "W 2.0 mtr"},
                    TextCase{[](auto&) {}, [](const auto& w) { return w.VisibilityText(); },
                             "15.0 nM"},
                    TextCase{[](auto& w) { w.WaveHeight = 0.45; },
                             [](const auto& w) { return w.WaveText(); }, "0.5 mtr"},
                    TextCase{[](auto& w) { w.WindSpeed = kNaN; },
                             [](const auto& w) { return w.WindText(); }, "N NA kts"},
                    TextCase{[](auto& w) {
                               w.CurrentSet = kNaN;
                               w.CurrentRate = 1.0;
                             },
                             [](const auto& w) { return w.CurrentText(); }, " 1.0 kts"},
                    TextCase{[](auto& w) { w.Visibility = kInf; },
                             [](const auto& w) { return w.VisibilityText(); }, "NA nM"}));

// --- Waypoints and fixes --------------------------------------------------------------------

TEST(WaypointLayout, ComputedLegValuesAreNeitherStoredNorLoaded) {
  Waypoint computed;
  computed.Revolutions = 88.0;
  computed.StretchedDistance = 120.0;
  computed.Scratch = 3;
  computed.LegDistance = 110.0;
  computed.LegCourse = 45.0;
  computed.GroundCourse = 47.0;
  computed.CorrectedDistance = 105.0;
  computed.Resistance = 0.4;
  computed.Rpm = 92.0;
  const Bytes bytes = StoredRecord(computed);
  EXPECT_EQ(bytes, ReadTestData("default_waypoint.bin"));

  // Nor read: loading into a waypoint leaves its computed values as they were.
  Waypoint loaded = computed;
  loaded.GroundSpeed = 3.0;
  LoadAll(bytes, [&](Archive& a) { loaded.Serialize(a); });
  EXPECT_EQ(loaded.GroundSpeed, 12.0);
  EXPECT_EQ(loaded.Rpm, 92.0);
  EXPECT_EQ(loaded.LegDistance, 110.0);
  EXPECT_EQ(loaded.Scratch, 3);
}

struct GroupCase {
  double value;
  std::string course;  // ReportCourse of that many degrees
  std::string speed;   // ReportSpeed of that many knots
};

class ReportGroupTest : public testing::TestWithParam<GroupCase> {};

TEST_P(ReportGroupTest, CourseAndSpeedMadeGood) {
  PositionFix fix;
  fix.CourseMadeGood = GetParam().value;
  fix.SpeedMadeGood = GetParam().value;
  EXPECT_EQ(fix.ReportCourse(), GetParam().course);
  EXPECT_EQ(fix.ReportSpeed(), GetParam().speed);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ReportGroupTest,
    testing::Values(GroupCase{5.7, "005/", "057/"}, GroupCase{45.0, "045/", "450/"},
                    GroupCase{12.34, "012/", "123/"}, GroupCase{0.5, "000/", "05/"},
                    GroupCase{9.99, "009/", "099/"}, GroupCase{10.0, "010/", "100/"},
                    GroupCase{359.99, "359/", "3599/"}, GroupCase{kNaN, "NA/", "NA/"},
                    GroupCase{1.0e300, "NA/", "NA/"}));

TEST(PositionFixReport, TimeGroupOfTheFixTime) {
  PositionFix fix;
  fix.Time = 1522.5 + 7.0 / 1440.0;  // 2004-03-01 12:07 UTC
  fix.ZoneOffset = 0.25;             // the report time is UTC whatever the zone
  fix.RequiredTime = 10.0;           // and of Time, not of RequiredTime
  EXPECT_EQ(fix.ReportTime(), "011207Z/");
  fix.Time = kInf;
  EXPECT_EQ(fix.ReportTime(), "NA/");
}

TEST(WaypointReport, RouteLines) {
  Waypoint waypoint;
  waypoint.Name = "Bishop Rock";
  waypoint.Latitude = 49.0 + 52.9 / 60.0;
  waypoint.Longitude = -(6.0 + 26.7 / 60.0);
  waypoint.GroundSpeed = 14.56;
  waypoint.RequiredTime = 1522.5;
  waypoint.ScheduledTime = 1600.0;  // the lines give the required time
  EXPECT_EQ(waypoint.RouteLine(), "L/RL/145/4952N/00626W/Bishop Rock/011200Z//");
  EXPECT_EQ(waypoint.RouteLineWithTimeFirst(), "L/RL/145/4952N/00626W/011200Z/Bishop Rock//");
  waypoint.GreatCircle = 1;
  waypoint.GroundSpeed = 8.0;
  EXPECT_EQ(waypoint.RouteLine(), "L/GC/080/4952N/00626W/Bishop Rock/011200Z//");
}

// --- Voyage and route document --------------------------------------------------------------

TEST(VoyageLayout, EmptyVoyageBytes) {
  Voyage voyage;
  voyage.VoyageNumber = "V1";
  voyage.ConstantRpm = 0;
  voyage.Note = "N";
  voyage.UseForecastAreas = 1;  // never stored
  const Bytes expected{4, 0, 0, 0, 2, 'V', '1', 0, 0, 0, 0, 0, 0, 0, 0, 1, 'N'};
  EXPECT_EQ(StoredRecord(voyage), expected);

  Voyage defaults;
  EXPECT_EQ(StoredRecord(defaults), (Bytes{4, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(VoyageLayout, VersionHeldInMemoryDecidesWhetherTheVersionIsRead) {
  // Version 3 in memory: the stream starts at the voyage number and has no note.
  const Bytes bytes{2, 'V', '9', 1, 0, 0, 0, 0, 0, 0, 0};
  Voyage voyage;
  voyage.Version = 3;
  voyage.Add(std::make_unique<Waypoint>());
  LoadAll(bytes, [&](Archive& a) { voyage.Serialize(a); });
  EXPECT_EQ(voyage.VoyageNumber, "V9");
  EXPECT_EQ(voyage.GetCount(), 0);
  EXPECT_EQ(voyage.Version, 3);
  EXPECT_EQ(StoredRecord(voyage), bytes);
}

// The fields are pinned by the dump of route_v4.q3v; what the file does not hold stays.
TEST(RouteDocument, VersionFourFileLeavesWhatItDoesNotHold) {
  Voyage voyage;
  voyage.UseForecastAreas = 1;
  ChartList charts;
  ReportingPointList points;
  LoadAll(ReadTestData("route_v4.q3v"),
          [&](Archive& a) { SerializeRouteDocument(a, voyage, charts, points); });
  EXPECT_EQ(voyage.UseForecastAreas, 1);
  ASSERT_EQ(voyage.GetCount(), 2);
  EXPECT_TRUE(voyage.GetLast()->Weather.OlderLayout);
}

TEST(RouteDocument, VersionThreeFileHasNoNoteAndIsSavedAsVersionFour) {
  const Bytes golden = ReadTestData("route_v3.q3v");
  Voyage voyage;
  voyage.Note = "from before";
  ChartList charts;
  ReportingPointList points;
  LoadAll(golden, [&](Archive& a) { SerializeRouteDocument(a, voyage, charts, points); });
  EXPECT_EQ(voyage.Version, 3);
  EXPECT_EQ(voyage.Note, "from before") << "a version 3 file has no note to read";
  ASSERT_EQ(voyage.GetCount(), 1);
  EXPECT_EQ(voyage.GetFirst()->Name, "Hamburg");

  voyage.Note.clear();
  const Bytes saved =
      Stored([&](Archive& a) { SerializeRouteDocument(a, voyage, charts, points); });
  // Version 4, the older weather block grown by its last five fields, and an empty note.
  EXPECT_EQ(saved.size(), golden.size() + 4 * 8 + 1 + 1);
  EXPECT_EQ((Bytes(saved.begin(), saved.begin() + 4)), (Bytes{4, 0, 0, 0}));
  Voyage reloaded;
  LoadAll(saved, [&](Archive& a) { SerializeRouteDocument(a, reloaded, charts, points); });
  EXPECT_EQ(reloaded.Version, 4);
  EXPECT_EQ(reloaded.GetFirst()->Latitude, 53.5);
}

TEST(RouteDocument, SavingTwiceWritesIdenticalBytes) {
  Voyage voyage;
  ChartList charts;
  ReportingPointList points;
  LoadAll(ReadTestData("route_v4.q3v"),
          [&](Archive& a) { SerializeRouteDocument(a, voyage, charts, points); });
  charts.Add(std::make_unique<Chart>());
  points.AddNew();
  const Bytes once = Stored([&](Archive& a) { SerializeRouteDocument(a, voyage, charts, points); });
  const Bytes twice =
      Stored([&](Archive& a) { SerializeRouteDocument(a, voyage, charts, points); });
  EXPECT_EQ(once, twice);
  EXPECT_EQ(voyage.GetFirst()->Weather.AirPressure, 1012.5);

  Voyage voyage2;
  ChartList charts2;
  ReportingPointList points2;
  LoadAll(once, [&](Archive& a) { SerializeRouteDocument(a, voyage2, charts2, points2); });
  EXPECT_EQ(charts2.GetCount(), 1);
  EXPECT_EQ(points2.GetCount(), 1);
  EXPECT_EQ(Stored([&](Archive& a) { SerializeRouteDocument(a, voyage2, charts2, points2); }),
            once);
}

// --- History, average weather, schedule -----------------------------------------------------

TEST(MeteoLayout, NewPointTakesItsFiveFullBlocks) {
  MeteoObservation fresh;
  EXPECT_EQ(StoredRecord(fresh).size(), 69u + 5 * 101 + 8 + 1);
}

TEST(ScheduleLayout, NewItemBytes) {
  ScheduleItem fresh;
  EXPECT_EQ(StoredRecord(fresh), Stored([](Archive& a) {
              for (double v : {100.0, 24.0, 0.0, 0.0}) a.WriteF64(v);
              a.WriteText("New Item");
            }));
}

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

// --- Every layout: byte-exact round trips, truncation, counts -------------------------------

// Loads the bytes into fresh objects in the layout they hold, insists on reading them all,
// and stores the same objects back.
using RoundTrip = Bytes (*)(const Bytes&);

template <typename Target>
Bytes RoundTripOf(const Bytes& bytes, void (*serialize)(Target&, Archive&)) {
  Target target;
  Archive in = Archive::ForLoading(bytes);
  serialize(target, in);
  if (!in.AtEnd()) throw std::logic_error("bytes left over");
  return Stored([&](Archive& a) { serialize(target, a); });
}

struct RouteParts {
  Voyage voyage;
  ChartList charts;
  ReportingPointList points;
};

Bytes RouteRoundTrip(const Bytes& bytes) {
  return RoundTripOf<RouteParts>(bytes, [](RouteParts& r, Archive& a) {
    SerializeRouteDocumentAsStored(a, r.voyage, r.charts, r.points);
  });
}

template <typename Target>
Bytes AsStoredRoundTrip(const Bytes& bytes) {
  return RoundTripOf<Target>(bytes, [](Target& t, Archive& a) { t.SerializeAsStored(a); });
}

Bytes ScheduleRoundTrip(const Bytes& bytes) {
  return RoundTripOf<ScheduleList>(bytes, [](ScheduleList& s, Archive& a) { s.Serialize(a); });
}

struct GoldenCase {
  const char* file;
  RoundTrip roundTrip;
};

class GoldenFileTest : public testing::TestWithParam<GoldenCase> {};

TEST_P(GoldenFileTest, StoresBackByteForByte) {
  const Bytes golden = ReadTestData(GetParam().file);
  ASSERT_FALSE(golden.empty());
  EXPECT_EQ(GetParam().roundTrip(golden), golden);
}

TEST_P(GoldenFileTest, EveryTruncationRaisesTheArchiveError) {
  const Bytes golden = ReadTestData(GetParam().file);
  for (std::size_t size = 0; size < golden.size(); ++size) {
    const Bytes prefix(golden.begin(), golden.begin() + static_cast<std::ptrdiff_t>(size));
    EXPECT_THROW((void)GetParam().roundTrip(prefix), ArchiveError) << "at " << size << " bytes";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Files, GoldenFileTest,
    testing::Values(GoldenCase{"route_v4.q3v", RouteRoundTrip},
                    GoldenCase{"route_v3.q3v", RouteRoundTrip},
                    GoldenCase{"history.dat", AsStoredRoundTrip<HistoryList>},
                    GoldenCase{"meteo.dat", AsStoredRoundTrip<MeteoList>},
                    GoldenCase{"schedule.dat", ScheduleRoundTrip},
                    GoldenCase{"default_waypoint.bin", AsStoredRoundTrip<Waypoint>},
                    GoldenCase{"fix_older_weather.dat", AsStoredRoundTrip<PositionFix>}),
    [](const auto& info) {
      std::string name = info.param.file;
      for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
      }
      return name;
    });

// The smallest records the layouts allow: empty texts and older weather blocks.
void SmallestPosition(Archive& a) {
  for (int k = 0; k < 3; ++k) a.WriteF64(0.0);
  a.WriteText("");
  for (int k = 0; k < 4; ++k) a.WriteF64(0.0);
}

void OlderWeather(Archive& a) {
  for (int k = 0; k < 8; ++k) a.WriteF64(1000.0);
  a.WriteI32(0);
}

void SmallestWaypoint(Archive& a) {
  SmallestPosition(a);
  OlderWeather(a);
  a.WriteI32(0);
  a.WriteI32(0);
  a.WriteF64(0.0);
  a.WriteF64(0.0);
  a.WriteI32(0);
  a.WriteI32(0);
}

void SmallestFix(Archive& a) {
  SmallestPosition(a);
  OlderWeather(a);
  for (int k = 0; k < 7; ++k) a.WriteF64(0.0);
}

void SmallestMeteoPoint(Archive& a) {
  SmallestPosition(a);
  for (int k = 0; k < 5; ++k) OlderWeather(a);
  a.WriteF64(0.0);
  a.WriteText("");
}

void SmallestScheduleItem(Archive& a) {
  for (int k = 0; k < 4; ++k) a.WriteF64(0.0);
  a.WriteText("");
}

void NoHeader(Archive&) {}
void VoyageHeader(Archive& a) {
  a.WriteI32(4);
  a.WriteText("");
  a.WriteI32(1);
}
void NoTrailer(Archive&) {}
void VoyageTrailer(Archive& a) { a.WriteText(""); }

struct CountCase {
  const char* list;
  void (*header)(Archive&);
  void (*record)(Archive&);
  void (*trailer)(Archive&);
  int (*load)(const Bytes&);  // the number of records loaded
};

template <typename List>
int LoadedCount(const Bytes& bytes) {
  List list;
  Archive in = Archive::ForLoading(bytes);
  list.Serialize(in);
  return list.GetCount();
}

class ListCountTest : public testing::TestWithParam<CountCase> {
 protected:
  Bytes File(std::int32_t count, int records) const {
    const CountCase& c = GetParam();
    return Stored([&](Archive& a) {
      c.header(a);
      a.WriteI32(count);
      for (int k = 0; k < records; ++k) c.record(a);
      c.trailer(a);
    });
  }
};

TEST_P(ListCountTest, SmallestRecordsLoad) { EXPECT_EQ(GetParam().load(File(3, 3)), 3); }

TEST_P(ListCountTest, CountOneMoreThanTheBytesCanHoldIsRefusedUpFront) {
  // Three smallest records leave room for three; a count of four is refused by the count check
  // itself, before any record is created.
  try {
    (void)GetParam().load(File(4, 3));
    FAIL() << "a count of 4 was accepted";
  } catch (const ArchiveError& e) {
    EXPECT_NE(std::string(e.what()).find("larger than the rest"), std::string::npos) << e.what();
  }
  EXPECT_THROW((void)GetParam().load(File(std::numeric_limits<std::int32_t>::max(), 1)),
               ArchiveError);
}

TEST_P(ListCountTest, NegativeCountIsAnEmptyList) {
  const CountCase& c = GetParam();
  const Bytes bytes = Stored([&](Archive& a) {
    c.header(a);
    a.WriteI32(-5);
    c.trailer(a);
  });
  EXPECT_EQ(c.load(bytes), 0);
}

INSTANTIATE_TEST_SUITE_P(Lists, ListCountTest,
                         testing::Values(CountCase{"voyage", VoyageHeader, SmallestWaypoint,
                                                   VoyageTrailer, LoadedCount<Voyage>},
                                         CountCase{"history", NoHeader, SmallestFix, NoTrailer,
                                                   LoadedCount<HistoryList>},
                                         CountCase{"meteo", NoHeader, SmallestMeteoPoint, NoTrailer,
                                                   LoadedCount<MeteoList>},
                                         CountCase{"schedule", NoHeader, SmallestScheduleItem,
                                                   NoTrailer, LoadedCount<ScheduleList>}),
                         [](const auto& info) { return std::string(info.param.list); });

}  // namespace
}  // namespace keelmark
