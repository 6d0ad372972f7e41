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
#include "records/meteo_list.h"
#include "records/position_fix.h"
#include "records/voyage.h"
#include "tests/core/test_files.h"

namespace keelmark {
namespace {

using test::DayOf;

using Block = WeatherConditions MeteoObservation::*;
using Field = double WeatherConditions::*;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

WeatherConditions Wind(int count, double direction, double speed) {
  WeatherConditions w;
  w.ObservationCount = count;
  w.WindDirection = direction;
  w.WindSpeed = speed;
  return w;
}

MeteoObservation* AddRecord(MeteoList& list, double latitude, double longitude) {
  auto record = std::make_unique<MeteoObservation>();
  record->SetLatitude(latitude);
  record->SetLongitude(longitude);
  return list.Add(std::move(record));
}

// Each block of the record gets its own wind speed (base + 1 ... base + 5), so that a copied
// block tells where it came from.
void MarkBlocks(MeteoObservation& record, double base) {
  double speed = base;
  for (const Block block :
       {&MeteoObservation::JanFeb, &MeteoObservation::MarMay, &MeteoObservation::JunAug,
        &MeteoObservation::SepDec, &MeteoObservation::Latest}) {
    speed += 1.0;
    record.*block = Wind(1, 45.0, speed);
  }
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

class MergeVectorTest : public testing::TestWithParam<VectorCase> {};

TEST_P(MergeVectorTest, IsTheCountWeightedVectorMean) {
  const VectorCase& c = GetParam();
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

// Easterly components pick up a little from the stored pi and the 45N origin: 2e-3.
INSTANTIATE_TEST_SUITE_P(
    Vectors, MergeVectorTest,
    testing::Values(
        // Opposite winds cancel by count: a mean of the speeds alone would say 10 knots.
        VectorCase{"OppositeWindsWeighByCount", &WeatherConditions::WindDirection,
                   &WeatherConditions::WindSpeed, 1, 180, 10, 3, 0, 10, 0, 5, 2e-3, 4},
        // A damaged file's negative count must not turn the mean upside down.
        VectorCase{"NegativeCountCountsAsNone", &WeatherConditions::WindDirection,
                   &WeatherConditions::WindSpeed, -7, 0, 50, 1, 200, 5, 200, 5, 1e-6, 1},
        // No current estimated, no swell observed: the means stay, the count still grows.
        VectorCase{"NoCurrentLeavesTheCurrent", &WeatherConditions::CurrentSet,
                   &WeatherConditions::CurrentRate, 2, 45, 1.5, 1, 200, 0, 45, 1.5, 0, 3},
        VectorCase{"NoSwellLeavesTheSwell", &WeatherConditions::SwellDirection,
                   &WeatherConditions::SwellHeight, 2, 300, 2.5, 1, 120, 0, 300, 2.5, 0, 3}),
    [](const testing::TestParamInfo<VectorCase>& row) { return row.param.name; });

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
  PositionFix fix;
  fix.SetLatitude(latitude);
  fix.SetLongitude(longitude);
  fix.SetTime(DayOf(iso));
  fix.Weather = Wind(0, 90.0, 15.0);
  return fix;
}

// The fix goes to the season of its UTC month: its zone offset does not move it into March.
TEST(AddFixObservation, FixBeyond300NmStartsANewRecordInTheSeasonOfItsUtcMonth) {
  for (const double run : {300.0, 301.0}) {
    MeteoList list;
    MeteoObservation* existing = AddRecord(list, 10.0, 20.0);
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

// --- Weather for the waypoints (the season of the ETA at the nearest record: the example's
// lists) ---

TEST(ApplyAverageWeather, LocalEtaMonthOrLatestInForecastModeAndNothingWithoutAnEta) {
  MeteoList list;
  MeteoObservation* south = AddRecord(list, 10.0, 0.0);
  MarkBlocks(*south, 10.0);
  MeteoObservation* north = AddRecord(list, 40.0, 0.0);
  MarkBlocks(*north, 20.0);
  Voyage voyage;
  const auto add = [&](double latitude) {
    Waypoint* w = voyage.Add(std::make_unique<Waypoint>());
    w->SetLatitude(latitude);
    w->SetLongitude(0.0);
    // 22:00 UTC on 31 August is 1 September at UTC + 3.
    w->SetScheduledTime(DayOf("2024-08-31T22:00:00Z"));
    return w;
  };
  Waypoint* local = add(11.0);
  local->SetZoneHours(3.0);
  Waypoint* utc = add(39.0);
  Waypoint* byHand = add(12.0);
  byHand->UseVoyageWeather = 0;
  byHand->Weather = Wind(1, 10.0, 99.0);
  Waypoint* noEta = add(13.0);
  noEta->SetScheduledTime(kNaN);
  noEta->Weather = Wind(1, 1.0, 1.0);

  ApplyAverageWeather(voyage, list);
  EXPECT_EQ(local->Weather, south->SepDec);
  EXPECT_EQ(utc->Weather, north->JunAug);
  EXPECT_EQ(byHand->Weather, Wind(1, 10.0, 99.0));
  EXPECT_EQ(noEta->Weather, Wind(1, 1.0, 1.0));
  voyage.UseForecastAreas = 1;
  ApplyAverageWeather(voyage, list);
  EXPECT_EQ(local->Weather, south->Latest);
  EXPECT_EQ(utc->Weather, north->Latest);
  EXPECT_EQ(byHand->Weather, Wind(1, 10.0, 99.0));
}

}  // namespace
}  // namespace keelmark
