#include "voyage/closest_approach.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <optional>

#include "navigation/calendar.h"
#include "navigation/navigation.h"
#include "records/position_fix.h"
#include "records/storm.h"
#include "records/voyage.h"
#include "tests/core/test_files.h"

namespace keelmark {
namespace {

using test::DayOf;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kHour = 1.0 / 24.0;  // days
constexpr double kSecond = 1.0 / 86400.0;

// A position, storm or fix at a place and time.
template <class Record = CPosition2>
Record At(double latitude, double longitude, double time = 0.0) {
  Record record;
  record.SetLatitude(latitude);
  record.SetLongitude(longitude);
  record.SetTime(time);
  return record;
}

Storm StormAt(double latitude, double longitude, double time, double course = 0.0,
              double speed = 0.0) {
  Storm storm = At<Storm>(latitude, longitude, time);
  storm.Course = course;
  storm.Speed = speed;
  return storm;
}

PositionFix StartAt(double latitude, double longitude, double time, double speedMadeGood) {
  PositionFix fix = At<PositionFix>(latitude, longitude, time);
  fix.SpeedMadeGood = speedMadeGood;
  return fix;
}

// A waypoint with the computed values the calculation would have left in it.
Waypoint* AddWaypoint(Voyage& voyage, double latitude, double longitude, double legCourse,
                      double groundSpeed, double requiredTime, double scheduledTime) {
  auto waypoint = std::make_unique<Waypoint>();
  waypoint->SetLatitude(latitude);
  waypoint->SetLongitude(longitude);
  waypoint->LegCourse = legCourse;
  waypoint->GroundSpeed = groundSpeed;
  waypoint->SetRequiredTime(requiredTime);
  waypoint->SetScheduledTime(scheduledTime);
  return voyage.Add(std::move(waypoint));
}

// The route, the start and the out-values of one CPA computation (-1 until it sets them).
class RouteTest : public testing::Test {
 protected:
  double t0_ = DayOf("2024-09-10T00:00:00Z");
  Voyage voyage_;
  PositionFix start_;
  double distance_ = -1.0;
  double bearing_ = -1.0;
  CNavigation navigation_;
};

// --- Storm CPA ---

// Route 0N -> 10N -> 10N 10E; the ship starts at 6N heading north at 12 knots, 240 nM from the
// turn, which it reaches 20 hours later (ETA at constant speed deliberately different).
class StormCpaTest : public RouteTest {
 protected:
  void SetUp() override {
    AddWaypoint(voyage_, 0.0, 0.0, 0.0, 12.0, t0_ - 30 * kHour, t0_ - 30 * kHour);
    turn_ = AddWaypoint(voyage_, 10.0, 0.0, 0.0, 12.0, t0_ + 20 * kHour, t0_ + 30 * kHour);
    start_ = StartAt(6.0, 0.0, t0_, 12.0);
  }
  std::optional<CPosition2> Cpa(const Storm& storm) {
    return StormCpa(storm, voyage_, start_, distance_, bearing_);
  }

  Waypoint* turn_ = nullptr;
};

TEST_F(StormCpaTest, StormAheadOfTheLegIsMetAtTheWaypointOrNever) {
  const Storm storm = StormAt(12.0, 1.0, t0_);
  const std::optional<CPosition2> cpa = Cpa(storm);
  ASSERT_TRUE(cpa.has_value());
  EXPECT_NEAR(distance_, navigation_.Distance(*turn_, storm, true), 1e-4);
  EXPECT_NEAR(bearing_, navigation_.Course(*turn_, storm, true), 1e-4);
  EXPECT_NEAR(cpa->GetRequiredTime(), t0_ + 20 * kHour, kSecond);
  // Without speed made good the ship never gets there, and a storm standing still stays put.
  start_.SpeedMadeGood = 0.0;
  EXPECT_TRUE(std::isinf(Cpa(storm)->GetRequiredTime()));
  EXPECT_EQ(Cpa(storm)->GetLatitude(), 12.0);
}

TEST_F(StormCpaTest, StormAsternIsMetAtTheStartEvenWithoutSpeed) {
  const Storm storm = StormAt(3.0, 0.5, t0_);
  for (const double speed : {12.0, 0.0}) {
    start_.SpeedMadeGood = speed;
    const std::optional<CPosition2> cpa = Cpa(storm);
    ASSERT_TRUE(cpa.has_value());
    EXPECT_NEAR(distance_, navigation_.Distance(start_, storm, true), 1e-9) << speed;
    EXPECT_EQ(cpa->GetRequiredTime(), t0_) << speed;
  }
}

// (A moving storm is taken where it is when the ship arrives: the present-course table and
// the CLI's CPA of the example's storms.)

// Regression: a CPA from the departure started with nothing made good, so every storm ahead
// was met at an infinite time. The departure start makes good the first leg's ground speed and
// course: those of waypoint 1, not of the departure or of a later leg.
TEST_F(RouteTest, DepartureStartRunsTheFirstLegAtItsGroundSpeed) {
  Waypoint* departure = AddWaypoint(voyage_, 0.0, 0.0, 90.0, 5.0, t0_, t0_);
  departure->SetTime(t0_);
  departure->SetName("Departure");
  departure->SetZoneOffset(0.25);
  AddWaypoint(voyage_, 10.0, 0.0, 0.0, 14.0, t0_ + 43 * kHour, t0_ + 43 * kHour);
  AddWaypoint(voyage_, 10.0, 10.0, 90.0, 9.0, t0_ + 90 * kHour, t0_ + 90 * kHour);
  start_ = DepartureCpaStart(voyage_);
  EXPECT_EQ(start_.GetName(), "Departure");
  EXPECT_EQ(start_.GetZoneOffset(), 0.25);
  EXPECT_EQ(start_.SpeedMadeGood, 14.0);
  EXPECT_EQ(start_.CourseMadeGood, 0.0);
  // A storm abeam of the first leg at 5N is met about 300 nM on, after 300 / 14 hours.
  const std::optional<CPosition2> cpa =
      StormCpa(StormAt(5.0, 1.0, t0_), voyage_, start_, distance_, bearing_);
  ASSERT_TRUE(cpa.has_value());
  EXPECT_NEAR(cpa->GetRequiredTime(), t0_ + 300.0 / 14.0 * kHour, 0.1 * kHour);
  EXPECT_NEAR(distance_, 60.0, 0.5);
  EXPECT_NEAR(bearing_, 90.0, 0.5);
}

// --- Storm CPA on the present course ---

struct PresentCourseCase {
  const char* name;
  double stormLatitude, stormLongitude, stormCourse, stormSpeed;
  double hours, distance, bearing;  // bearing NaN: none to check
};

class PresentCourseTest : public RouteTest,
                          public testing::WithParamInterface<PresentCourseCase> {};

// The ship leaves 0N 0E at the start time steering 090 at 10 knots.
TEST_P(PresentCourseTest, TwoSteadyMoversMeetWhereTheClosedFormSays) {
  const PresentCourseCase& c = GetParam();
  start_ = StartAt(0.0, 0.0, t0_, 10.0);
  start_.CourseMadeGood = 90.0;
  const Storm storm = StormAt(c.stormLatitude, c.stormLongitude, t0_, c.stormCourse, c.stormSpeed);
  const CPosition2 cpa = PresentCourseStormCpa(storm, start_, distance_, bearing_);
  EXPECT_NEAR(cpa.GetRequiredTime(), t0_ + c.hours * kHour, 0.05 * kHour);
  EXPECT_NEAR(distance_, c.distance, 0.2);
  if (!std::isnan(c.bearing)) {
    EXPECT_NEAR(bearing_, c.bearing, 0.5);
  }
  // The result is the storm where it is at that time.
  const CPosition2 storm_at = StormPositionAt(storm, cpa.GetRequiredTime());
  EXPECT_NEAR(cpa.GetLatitude(), storm_at.GetLatitude(), 1e-9);
  EXPECT_NEAR(cpa.GetLongitude(), storm_at.GetLongitude(), 1e-9);
}

// Worked by hand on the flat plane (60 nM a degree near the equator).
INSTANTIATE_TEST_SUITE_P(
    Storms, PresentCourseTest,
    testing::Values(
        // 60 nM east and 90 north, running south at 10 knots: closing at (-10, -10) knots,
        // nearest after 7.5 hours with the storm 15 nM west and 15 north of the ship.
        PresentCourseCase{"Crossing", 1.5, 1.0, 180.0, 10.0, 7.5, 21.213, 315.0},
        // Head on from 120 nM: they meet after 6 hours.
        PresentCourseCase{"HeadOn", 0.0, 2.0, 270.0, 10.0, 6.0, 0.0, kNaN},
        // Astern and running away: nearest now.
        PresentCourseCase{"Opening", 0.0, -1.0, 270.0, 5.0, 0.0, 60.0, 270.0},
        // Abeam and keeping station: no relative motion, nearest now.
        PresentCourseCase{"KeepingStation", 1.0, 0.0, 90.0, 10.0, 0.0, 60.0, 0.0}),
    [](const testing::TestParamInfo<PresentCourseCase>& row) { return row.param.name; });

// --- Warning CPA ---

// Route 0N -> 20N along the meridian at 10 knots, 120 hours; the ship starts at the departure.
class WarningCpaTest : public RouteTest {
 protected:
  void SetUp() override {
    AddWaypoint(voyage_, 0.0, 0.0, 0.0, 10.0, t0_, t0_);
    arrival_ = AddWaypoint(voyage_, 20.0, 0.0, 0.0, 10.0, t0_ + 120 * kHour, t0_ + 120 * kHour);
    start_ = StartAt(0.0, 0.0, t0_, 10.0);
  }

  std::optional<CPosition2> Cpa(const CPosition2& warning, double step) {
    return WarningCpa(warning, voyage_, start_, step, distance_, bearing_);
  }

  Waypoint* arrival_ = nullptr;
};

// On the track at 270 nM: 10-hour steps sample every 100 nM and stop 30 nM past it. Abeam to
// the east of the 30-hour position: one degree of longitude at 5N.
TEST_F(WarningCpaTest, CpaIsFoundToWithinOneStep) {
  const struct {
    double warningLatitude, warningLongitude, step, distance, bearing, hours;
  } cases[] = {{4.5, 0.0, 10.0, 30.0, 180.0, 30.0}, {5.0, 1.0, 10.0, 59.7717, 90.0, 30.0}};
  for (const auto& c : cases) {
    const std::optional<CPosition2> cpa = Cpa(At(c.warningLatitude, c.warningLongitude), c.step);
    ASSERT_TRUE(cpa.has_value());
    EXPECT_NEAR(distance_, c.distance, 1e-3);
    EXPECT_NEAR(bearing_, c.bearing, 0.1);
    EXPECT_NEAR(cpa->GetRequiredTime(), t0_ + c.hours * kHour, kSecond);
    EXPECT_NEAR(cpa->GetLatitude(), c.hours * 10.0 / 60.0, 1e-6);  // the ship, on the meridian
    EXPECT_NEAR(cpa->GetLongitude(), 0.0, 1e-6);
  }
}

// No arrival time, one never reached, no start time; a step of nothing, none or for ever.
TEST_F(WarningCpaTest, BadInputIsRefusedWithoutLooping) {
  const double cases[][3] = {{10.0, kNaN, 0.0}, {10.0, kInfinity, 0.0}, {10.0, 120.0, kNaN},
                             {0.0, 120.0, 0.0}, {kNaN, 120.0, 0.0},     {kInfinity, 120.0, 0.0}};
  for (const auto& [step, arrivalHours, startHours] : cases) {
    arrival_->SetScheduledTime(t0_ + arrivalHours * kHour);
    start_.SetTime(t0_ + startHours * kHour);
    EXPECT_FALSE(Cpa(At(4.5, 0.0), step).has_value()) << step << " " << arrivalHours;
    EXPECT_EQ(distance_, -1.0);
  }
}

TEST_F(WarningCpaTest, StepsAreCappedWhenTheyCannotReachTheArrival) {
  // 1e-7 hours would take 1.2e9 steps; 1e-300 hours does not move the day number at all.
  for (const double step : {1e-7, 1e-300}) {
    const std::optional<CPosition2> cpa = Cpa(At(4.5, 0.0), step);
    ASSERT_TRUE(cpa.has_value()) << step;
    EXPECT_LE(cpa->GetRequiredTime(), t0_ + kMaximumWarningSteps * step * kHour + kSecond);
  }
}

TEST(ClosestApproach, RouteOfFewerThanTwoWaypointsHasNone) {
  Voyage voyage;
  const PositionFix start = StartAt(0.0, 0.0, DayOf("2024-09-10T00:00:00Z"), 12.0);
  for (int waypoints = 0; waypoints < 2; ++waypoints) {
    double distance = -1.0, bearing = -1.0;
    EXPECT_FALSE(StormCpa(StormAt(1.0, 1.0, DayOf("2024-09-10T00:00:00Z")), voyage, start, distance,
                          bearing));
    EXPECT_FALSE(WarningCpa(At(1.0, 1.0), voyage, start, 10.0, distance, bearing));
    EXPECT_EQ(distance, -1.0);
    AddWaypoint(voyage, 5.0, 5.0, 0.0, 10.0, DayOf("2024-09-10T00:00:00Z") + 1.0,
                DayOf("2024-09-10T00:00:00Z") + 1.0);
  }
}

}  // namespace
}  // namespace keelmark
