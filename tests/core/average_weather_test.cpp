#include "voyage/average_weather.h"

#include <gtest/gtest.h>

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

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Degrees between two directions, 0 to 180.
double AngleBetween(double a, double b) {
  const double d = std::fmod(std::fabs(a - b), 360.0);
  return d > 180.0 ? 360.0 - d : d;
}

WeatherConditions Wind(int count, double direction, double speed) {
  WeatherConditions w;
  w.ObservationCount = count;
  w.WindDirection = direction;
  w.WindSpeed = speed;
  return w;
}

PositionFix FixAt(double latitude, double longitude, const char* iso) {
  PositionFix fix;
  fix.SetLatitude(latitude);
  fix.SetLongitude(longitude);
  fix.SetTime(DayOf(iso));
  fix.Weather = Wind(0, 90.0, 15.0);
  return fix;
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
  const Block blocks[] = {&MeteoObservation::JanFeb, &MeteoObservation::MarMay,
                          &MeteoObservation::JunAug, &MeteoObservation::SepDec,
                          &MeteoObservation::Latest};
  double speed = base;
  for (const Block block : blocks) {
    speed += 1.0;
    record.*block = Wind(1, 45.0, speed);
    (record.*block).WeatherText = "BLOCK " + std::to_string(static_cast<int>(speed));
  }
}

// --- Merging one observation ---

using Field = double WeatherConditions::*;
constexpr Field kWindFrom = &WeatherConditions::WindDirection;
constexpr Field kWind = &WeatherConditions::WindSpeed;
constexpr Field kSet = &WeatherConditions::CurrentSet;
constexpr Field kRate = &WeatherConditions::CurrentRate;
constexpr Field kSwellFrom = &WeatherConditions::SwellDirection;
constexpr Field kSwell = &WeatherConditions::SwellHeight;

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
    EXPECT_NEAR(AngleBetween(target.*c.direction, c.expectedDirection), 0.0, c.tolerance);
  }
  EXPECT_EQ(target.ObservationCount, c.expectedCount);
}

// Easterly components pick up a little from the stored pi and the 45N origin: 2e-3.
INSTANTIATE_TEST_SUITE_P(
    Vectors, MergeVectorTest,
    testing::Values(
        VectorCase{"WindThreeOfTwentyIntoOneOfTen", kWindFrom, kWind, 1, 0, 10, 3, 0, 20, 0, 17.5,
                   1e-9, 4},
        VectorCase{"OppositeWindsWeighByCount", kWindFrom, kWind, 1, 180, 10, 3, 0, 10, 0, 5, 2e-3,
                   4},
        // A damaged file's negative count must not turn the mean upside down.
        VectorCase{"NegativeCountCountsAsNone", kWindFrom, kWind, -7, 0, 50, 1, 200, 5, 200, 5,
                   1e-6, 1},
        // No current estimated, no swell observed: the means stay, the count still grows.
        VectorCase{"NoCurrentLeavesTheCurrent", kSet, kRate, 2, 45, 1.5, 1, 200, 0, 45, 1.5, 0, 3},
        VectorCase{"NoSwellLeavesTheSwell", kSwellFrom, kSwell, 2, 300, 2.5, 1, 120, 0, 300, 2.5, 0,
                   3}),
    [](const testing::TestParamInfo<VectorCase>& row) { return row.param.name; });

struct ScalarCase {
  const char* name;
  Field field;
  double target, source, expected;
};

class MergeScalarTest : public testing::TestWithParam<ScalarCase> {};

TEST_P(MergeScalarTest, OneObservationMeetsThree) {
  const ScalarCase& c = GetParam();
  MeteoObservation record;
  record.MarMay.ObservationCount = 1;
  record.MarMay.*c.field = c.target;
  WeatherConditions source;
  source.ObservationCount = 3;
  source.*c.field = c.source;
  MergeObservation(record, source, record.MarMay);
  EXPECT_DOUBLE_EQ(record.MarMay.*c.field, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Scalars, MergeScalarTest,
    testing::Values(ScalarCase{"AirPressure", &WeatherConditions::AirPressure, 1000, 1012, 1009},
                    // Waves and visibility count the source once, whatever its count.
                    ScalarCase{"WaveHeight", &WeatherConditions::WaveHeight, 1, 3, 2},
                    ScalarCase{"Visibility", &WeatherConditions::Visibility, 10, 2, 6}),
    [](const testing::TestParamInfo<ScalarCase>& row) { return row.param.name; });

TEST(MergeObservation, CountStopsAtTheLargestStoredValue) {
  constexpr std::int32_t kLargest = std::numeric_limits<std::int32_t>::max();
  MeteoObservation record;
  record.SepDec.ObservationCount = kLargest - 2;
  MergeObservation(record, Wind(5, 0.0, 0.0), record.SepDec);
  EXPECT_EQ(record.SepDec.ObservationCount, kLargest);
}

TEST(MergeObservation, LatestTakesTheSourceAndTheRecordIsStampedToday) {
  TimeValue now = 0;
  ASSERT_TRUE(ParseIsoUtc("2024-03-10T12:00:00Z", now));
  const FixedClock clock(now);
  const ScopedProcessClock scope(clock);
  MeteoObservation record;
  WeatherConditions source = Wind(2, 250.0, 33.0);
  source.WeatherText = "RAIN";

  MergeObservation(record, source, record.JunAug);
  EXPECT_EQ(record.Latest, source);
  EXPECT_DOUBLE_EQ(record.GetTime(), DayOf("2024-03-10T12:00:00Z"));
}

// --- Fixes into the grid ---

TEST(AddFixObservation, FixBeyond300NmStartsANewRecord) {
  for (const double run : {300.0, 301.0}) {
    MeteoList list;
    MeteoObservation* existing = AddRecord(list, 10.0, 20.0);
    PositionFix fix = FixAt(10.0, 20.0, "2024-07-04T06:00:00Z");
    const CNavigation navigation;
    navigation.DeadReckon(fix, run, 0.0);  // north along the meridian
    // From 10N the great circle back gives the run to within rounding, and 300 nM comes out
    // at or below 300, on the merging side of the limit.
    ASSERT_NEAR(navigation.Distance(fix, *existing, true), run, 1e-9);
    ASSERT_TRUE(run > 300.0 || navigation.Distance(fix, *existing, true) <= 300.0);
    const MeteoObservation* record = AddFixObservation(list, fix);
    EXPECT_EQ(list.GetCount(), run > 300.0 ? 2 : 1) << run;
    EXPECT_EQ(record->JunAug.ObservationCount, 1);
  }
}

struct MonthCase {
  const char* time;
  double zoneHours;
  Block block;
};

class FixSeasonTest : public testing::TestWithParam<MonthCase> {};

TEST_P(FixSeasonTest, FixGoesToTheSeasonOfItsUtcMonth) {
  MeteoList list;
  PositionFix fix = FixAt(0.0, 0.0, GetParam().time);
  fix.SetZoneHours(GetParam().zoneHours);
  MeteoObservation* record = AddFixObservation(list, fix);
  ASSERT_NE(record, nullptr);
  EXPECT_EQ((record->*GetParam().block).ObservationCount, 1);
  int merged = 0;
  for (const int month : {1, 4, 7, 10}) merged += SeasonBlock(*record, month).ObservationCount;
  EXPECT_EQ(merged, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Months, FixSeasonTest,
    testing::Values(MonthCase{"2024-12-15T12:00:00Z", 0.0, &MeteoObservation::SepDec},
                    MonthCase{"2024-03-01T00:00:00Z", 0.0, &MeteoObservation::MarMay},
                    MonthCase{"2024-08-31T23:00:00Z", 0.0, &MeteoObservation::JunAug},
                    // The fix's zone offset does not move it into local March.
                    MonthCase{"2024-02-29T22:00:00Z", 5.0, &MeteoObservation::JanFeb}));

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

// --- Imported records ---

TEST(MergeRecord, SeasonsMergeOneByOneAndLatestEndsWithSeptemberToDecember) {
  MeteoList list;
  MeteoObservation* existing = AddRecord(list, -20.0, 60.0);
  MarkBlocks(*existing, 10.0);  // 11 Jan-Feb, 12 Mar-May, 13 Jun-Aug, 14 Sep-Dec
  MeteoObservation imported;
  imported.SetLatitude(-21.0);
  imported.SetLongitude(61.0);
  MarkBlocks(imported, 20.0);  // 21 ... 24

  EXPECT_EQ(MergeRecord(list, imported), existing);
  EXPECT_EQ(list.GetCount(), 1);
  EXPECT_NEAR(existing->JanFeb.WindSpeed, 16.0, 1e-6);
  EXPECT_NEAR(existing->SepDec.WindSpeed, 19.0, 1e-6);
  EXPECT_EQ(existing->SepDec.ObservationCount, 2);
  EXPECT_EQ(existing->Latest, imported.SepDec);
}

TEST(MergeRecord, FarRecordIsAddedAtItsOwnPosition) {
  MeteoList list;
  AddRecord(list, 50.0, -10.0);
  MeteoObservation imported;
  imported.SetLatitude(40.0);
  imported.SetLongitude(-10.0);
  imported.SetZoneHours(-1.0);
  MarkBlocks(imported, 0.0);

  const MeteoObservation* record = MergeRecord(list, imported);
  ASSERT_EQ(list.GetCount(), 2);
  EXPECT_EQ(record->GetLatitude(), 40.0);
  EXPECT_EQ(record->Latest, imported.SepDec);

  imported.SetLongitude(kNaN);
  EXPECT_EQ(MergeRecord(list, imported), nullptr);
  EXPECT_EQ(list.GetCount(), 2);
}

// --- Weather for the waypoints ---

class ApplyAverageWeatherTest : public testing::Test {
 protected:
  void SetUp() override {
    south_ = AddRecord(list_, 10.0, 0.0);
    MarkBlocks(*south_, 10.0);
    north_ = AddRecord(list_, 40.0, 0.0);
    MarkBlocks(*north_, 20.0);
    july_ = AddWaypoint(11.0, "2024-07-15T12:00:00Z");
    december_ = AddWaypoint(39.0, "2024-12-01T12:00:00Z");
    byHand_ = AddWaypoint(12.0, "2024-07-20T12:00:00Z");
    byHand_->UseVoyageWeather = 0;
    byHand_->Weather = Wind(1, 10.0, 99.0);
  }

  Waypoint* AddWaypoint(double latitude, const char* eta) {
    auto waypoint = std::make_unique<Waypoint>();
    waypoint->SetLatitude(latitude);
    waypoint->SetLongitude(0.0);
    waypoint->SetScheduledTime(DayOf(eta));
    return voyage_.Add(std::move(waypoint));
  }

  MeteoList list_;
  Voyage voyage_;
  MeteoObservation* south_ = nullptr;
  MeteoObservation* north_ = nullptr;
  Waypoint* july_ = nullptr;
  Waypoint* december_ = nullptr;
  Waypoint* byHand_ = nullptr;
};

TEST_F(ApplyAverageWeatherTest, SeasonOfTheEtaAtTheNearestRecordOrTheLatestInForecastMode) {
  ApplyAverageWeather(voyage_, list_);
  EXPECT_EQ(july_->Weather, south_->JunAug);
  EXPECT_EQ(december_->Weather, north_->SepDec);
  EXPECT_EQ(byHand_->Weather, Wind(1, 10.0, 99.0));
  voyage_.UseForecastAreas = 1;
  ApplyAverageWeather(voyage_, list_);
  EXPECT_EQ(july_->Weather, south_->Latest);
  EXPECT_EQ(december_->Weather, north_->Latest);
  EXPECT_EQ(byHand_->Weather, Wind(1, 10.0, 99.0));
}

TEST_F(ApplyAverageWeatherTest, EtaMonthIsLocalToTheWaypoint) {
  // 22:00 UTC on 31 August is 1 September at UTC + 3.
  july_->SetScheduledTime(DayOf("2024-08-31T22:00:00Z"));
  july_->SetZoneHours(3.0);
  december_->SetScheduledTime(DayOf("2024-08-31T22:00:00Z"));
  ApplyAverageWeather(voyage_, list_);
  EXPECT_EQ(july_->Weather, south_->SepDec);
  EXPECT_EQ(december_->Weather, north_->JunAug);
}

TEST_F(ApplyAverageWeatherTest, NothingToApplyLeavesTheWaypoints) {
  july_->Weather = Wind(1, 1.0, 1.0);
  july_->SetScheduledTime(kNaN);  // no ETA, no season
  ApplyAverageWeather(voyage_, list_);
  EXPECT_EQ(july_->Weather, Wind(1, 1.0, 1.0));

  MeteoList empty;
  december_->Weather = Wind(1, 2.0, 2.0);
  ApplyAverageWeather(voyage_, empty);
  EXPECT_EQ(december_->Weather, Wind(1, 2.0, 2.0));
}

}  // namespace
}  // namespace keelmark
