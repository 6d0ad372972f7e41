#include "voyage/average_weather.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <utility>

#include "navigation/calendar.h"
#include "navigation/clock.h"
#include "navigation/navigation.h"
#include "records/archive_file.h"
#include "records/meteo_list.h"
#include "records/position_fix.h"
#include "reports/meteo_exchange.h"
#include "tests/core/archive_bytes.h"
#include "tests/core/document_fixture.h"

namespace keelmark {
namespace {

using test::DayOf;

using Field = double WeatherConditions::*;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

WeatherConditions Wind(int count, double direction, double speed) {
  WeatherConditions w;
  w.ObservationCount = count;
  w.WindDirection = direction;
  w.WindSpeed = speed;
  return w;
}

// --- Merging one observation ---

// A direction and magnitude pair of the block (wind, current or swell), merged from a source
// with sourceCount observations into a target with targetCount.
struct VectorCase {
  const char* name;
  Field direction, magnitude;
  int targetCount;
  double targetDirection, targetMagnitude;
  int sourceCount;
  double sourceDirection, sourceMagnitude;
  double expectedDirection;  // NaN: none to check
  double expectedMagnitude, tolerance;
  int expectedCount;
};

// Easterly components pick up a little from the stored pi and the 45N origin: 2e-3.
TEST(MergeObservation, IsTheCountWeightedVectorMean) {
  const VectorCase cases[] = {
      // Opposite winds cancel by count: a mean of the speeds alone would say 10 knots.
      {"OppositeWindsWeighByCount", &WeatherConditions::WindDirection,
       &WeatherConditions::WindSpeed, 1, 180, 10, 3, 0, 10, 0, 5, 2e-3, 4},
      // A damaged file's negative count must not turn the mean upside down.
      {"NegativeCountCountsAsNone", &WeatherConditions::WindDirection,
       &WeatherConditions::WindSpeed, -7, 0, 50, 1, 200, 5, 200, 5, 1e-6, 1},
      // No current estimated, no swell observed: the means stay, the count still grows.
      {"NoCurrentLeavesTheCurrent", &WeatherConditions::CurrentSet, &WeatherConditions::CurrentRate,
       2, 45, 1.5, 1, 200, 0, 45, 1.5, 0, 3},
      {"NoSwellLeavesTheSwell", &WeatherConditions::SwellDirection, &WeatherConditions::SwellHeight,
       2, 300, 2.5, 1, 120, 0, 300, 2.5, 0, 3}};
  for (const VectorCase& c : cases) {
    SCOPED_TRACE(c.name);
    MeteoObservation record;
    WeatherConditions& target = record.JunAug;
    target.ObservationCount = c.targetCount;
    target.*c.direction = c.targetDirection;
    target.*c.magnitude = c.targetMagnitude;
    WeatherConditions source;
    source.ObservationCount = c.sourceCount;
    source.*c.direction = c.sourceDirection;
    source.*c.magnitude = c.sourceMagnitude;
    MergeObservation(record, source, target);
    EXPECT_NEAR(target.*c.magnitude, c.expectedMagnitude, c.tolerance);
    if (!std::isnan(c.expectedDirection)) {
      const double off = std::fmod(std::fabs(target.*c.direction - c.expectedDirection), 360.0);
      EXPECT_NEAR(std::min(off, 360.0 - off), 0.0, c.tolerance);
    }
    EXPECT_EQ(target.ObservationCount, c.expectedCount);
  }
}

TEST(MergeObservation, CountStopsAtTheLargestStoredValueAndLatestIsTheSourceStampedToday) {
  const FixedClock clock(test::UtcTime("2024-03-10T12:00:00Z"));
  const ScopedProcessClock scope(clock);
  constexpr std::int32_t kLargest = std::numeric_limits<std::int32_t>::max();
  MeteoObservation record;
  record.SepDec.ObservationCount = kLargest - 2;
  const WeatherConditions source = Wind(5, 250.0, 33.0);
  MergeObservation(record, source, record.SepDec);
  EXPECT_EQ(record.SepDec.ObservationCount, kLargest);
  EXPECT_EQ(record.Latest, source);
  EXPECT_DOUBLE_EQ(record.GetTime(), DayOf("2024-03-10T12:00:00Z"));
}

// --- Fixes into the grid ---

PositionFix FixAt(double latitude, double longitude, const char* iso) {
  PositionFix fix = test::At<PositionFix>(latitude, longitude, DayOf(iso));
  fix.Weather = Wind(0, 90.0, 15.0);
  return fix;
}

// The fix goes to the season of its UTC month: its zone offset does not move it into March.
TEST(AddFixObservation, FixBeyond300NmStartsANewRecordInTheSeasonOfItsUtcMonth) {
  for (const double run : {300.0, 301.0}) {
    MeteoList list;
    MeteoObservation* existing = test::AddAt<MeteoObservation>(list, 10.0, 20.0);
    PositionFix fix = FixAt(10.0, 20.0, "2024-02-29T22:00:00Z");
    fix.SetZoneHours(5.0);
    const CNavigation navigation;
    navigation.DeadReckon(fix, run, 0.0);  // north along the meridian
    // From 10N the great circle back gives the run to within rounding, and 300 nM comes out
    // at or below 300, on the merging side of the limit.
    ASSERT_NEAR(navigation.Distance(fix, *existing, true), run, 1e-9);
    ASSERT_TRUE(run > 300.0 || navigation.Distance(fix, *existing, true) <= 300.0);
    const MeteoObservation* record = AddFixObservation(list, fix);
    EXPECT_EQ(list.GetCount(), run > 300.0 ? 2 : 1) << run;
    EXPECT_EQ(record->JanFeb.ObservationCount, 1);
    EXPECT_EQ(record->MarMay.ObservationCount, 0);
  }
}

TEST(AddFixObservation, FixWithoutTimeOrPositionIsRefused) {
  for (const auto& [latitude, time] : {std::pair{kNaN, 1000.0}, std::pair{10.0, kNaN},
                                       std::pair{10.0, std::numeric_limits<double>::infinity()}}) {
    MeteoList list;
    PositionFix fix;
    fix.SetLatitude(latitude);
    fix.SetTime(time);
    EXPECT_EQ(AddFixObservation(list, fix), nullptr);
    EXPECT_TRUE(list.IsEmpty());
  }
}

// (Imported records merge season by season, far ones as records of their own: the meteo
// import tests.)

// --- Meteo export and import ---

// A grid point at 50N 005W whose January-February block holds three observations.
std::unique_ptr<MeteoObservation> GridPoint() {
  auto record = std::make_unique<MeteoObservation>();
  record->SetName("Grid A");
  record->SetLatitude(50.0);
  record->SetLongitude(-5.0);
  record->SetZoneHours(1.0);
  record->SetTime(9832.5);
  WeatherConditions& block = record->JanFeb;
  block.AirPressure = 1012.3;
  block.AirTemperature = 7.5;
  block.SeaTemperature = 10.0;
  block.CurrentSet = 80.0;
  block.CurrentRate = 0.5;
  block.WindDirection = 260.0;
  block.WindSpeed = 22.0;
  block.ObservationCount = 3;
  return record;
}

Archive::Bytes Stored(MeteoList& list) {
  return test::Stored([&](Archive& a) { list.Serialize(a); });
}

constexpr const char* kGridALine =
    "Grid A,50.0000,-5.0000,0.041667,9832.500000,0.000000,0.000000,"
    "1012.3,7.5,10.0,80.0,0.5,260.0,22.0,3";

class MeteoExchangeTest : public test::DocumentFixture {};

// (Exporting twice appends: the CLI's meteo tests.)
TEST_F(MeteoExchangeTest, ExportLineIsThePositionAndTheJanuaryFebruaryBlock) {
  MeteoList list;
  list.Add(GridPoint());
  list.Add(GridPoint());
  EXPECT_EQ(MeteoExportBytes(list, ";").find("Grid A;50.0000;"), 0u);
  EXPECT_EQ(MeteoExportBytes(list, ","), std::string(kGridALine) + "\r\n" + kGridALine + "\r\n");
  // A folder in the way: it cannot be read, so nothing is written over it.
  std::string error;
  EXPECT_FALSE(AppendMeteoExport(list, ",", folder_.PathOf(""), &error));
  EXPECT_FALSE(error.empty());
}

TEST_F(MeteoExchangeTest, ExportedLineReadsBackIntoTheSameValues) {
  const auto parsed = ParseMeteoLine(kGridALine, ",");
  ASSERT_TRUE(parsed);
  EXPECT_EQ(parsed->seasons, 1);
  // Written again, it is the same line.
  EXPECT_EQ(MeteoLine(parsed->record, ","), kGridALine);
  // Untouched seasons keep a new record's defaults.
  EXPECT_EQ(parsed->record.SepDec, WeatherConditions{});
}

std::string Replaced(std::string line, const std::string& from, const std::string& to) {
  return line.replace(line.find(from), from.size(), to);
}

// The line with every comma made a semicolon.
std::string Semicolons(std::string line) {
  for (char& c : line) {
    if (c == ',') c = ';';
  }
  return line;
}

TEST(ParseMeteoLine, RefusesWhatIsNoMeteoLine) {
  const std::pair<const char*, std::string> lines[] = {
      {"empty", ""},
      {"one field short", Replaced(kGridALine, ",22.0,3", ",22.0")},
      {"a trailing separator", std::string(kGridALine) + ","},
      {"another separator", Semicolons(kGridALine)},
      {"text for a number", Replaced(kGridALine, "1012.3", "high")},
      {"nan", Replaced(kGridALine, "1012.3", "nan")},
      {"a number and text", Replaced(kGridALine, "22.0", "22.0kts")},
      {"negative count", Replaced(kGridALine, ",22.0,3", ",22.0,-3")},
      {"latitude off the globe", Replaced(kGridALine, "50.0000", "95.0")},
      {"binary", Replaced(kGridALine, "Grid A", std::string("Gr\0\x01\xff", 5))}};
  for (const auto& [why, line] : lines) EXPECT_FALSE(ParseMeteoLine(line, ",")) << why;
}

TEST_F(MeteoExchangeTest, DamagedFileMergesWhatIsValidCountsTheRestAndLosesNothing) {
  MeteoList list;
  list.Add(GridPoint());
  const Archive::Bytes before = Stored(list);

  // A line longer than any read buffer, valid in itself, must merge as one record.
  const std::string longName(5000, 'N');
  std::string far = Replaced(kGridALine, "Grid A", longName);
  far = Replaced(far, "-5.0000", "-60.0000");  // far from Grid A: a new record
  std::string junk(5000, '\0');
  for (std::size_t i = 0; i < junk.size(); ++i) {
    junk[i] = static_cast<char>(i * 7919 % 256);
    if (junk[i] == '\n') junk[i] = '\0';
  }
  const std::string text = std::string(kGridALine) + "\r\n\r\n" + junk + "\n" + far + "\n" +
                           Semicolons(kGridALine) + "\n" + std::string(5000, ',') + "\n";
  const std::string path = folder_.PathOf("damaged.csv");
  ASSERT_TRUE(WriteFileAtomically(path, text));

  const auto result = ImportMeteoFile(list, path, ",");
  ASSERT_TRUE(result);
  EXPECT_EQ(result->merged, 2);
  EXPECT_EQ(result->skipped, 4);
  ASSERT_EQ(list.GetCount(), 2);
  EXPECT_EQ(list.GetFirst()->JanFeb.ObservationCount, 6);
  EXPECT_DOUBLE_EQ(list.GetLast()->GetLongitude(), -60.0);

  // Only bad lines: the stored list comes out byte for byte as it was.
  MeteoList untouched;
  untouched.Add(GridPoint());
  const auto bad = ImportMeteoText(untouched, junk + "\n\n" + std::string(5000, ','), ",");
  EXPECT_EQ(bad.merged, 0);
  EXPECT_EQ(bad.skipped, 3);
  EXPECT_EQ(Stored(untouched), before);
}

TEST_F(MeteoExchangeTest, OnlyTheSeasonsALineCarriesAreMerged) {
  MeteoList list;
  list.Add(GridPoint());
  list.GetFirst()->MarMay.ObservationCount = 5;
  list.GetFirst()->MarMay.WindSpeed = 10.0;
  const WeatherConditions marchToMay = list.GetFirst()->MarMay;

  // The program's own export carries January-February only.
  ASSERT_EQ(ImportMeteoText(list, kGridALine, ",").merged, 1);
  EXPECT_EQ(list.GetFirst()->MarMay, marchToMay);
  EXPECT_EQ(list.GetFirst()->JanFeb.ObservationCount, 6);

  // A line with all four seasons merges each of them.
  const std::string season = ",1020.0,12.0,14.0,90.0,1.0,270.0,20.0,2";
  const std::string full = "Grid A,50.0,-5.0,0.0,0.0,0.0,0.0" + season + season + season + season;
  ASSERT_EQ(ImportMeteoText(list, full, ",").merged, 1);
  EXPECT_EQ(list.GetFirst()->MarMay.ObservationCount, 7);
  EXPECT_DOUBLE_EQ(list.GetFirst()->SepDec.AirPressure, 1020.0);
  EXPECT_EQ(list.GetFirst()->Latest.ObservationCount, 2);
}

}  // namespace
}  // namespace keelmark
