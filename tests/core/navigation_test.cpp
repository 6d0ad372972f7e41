#include "navigation/navigation.h"

#include <gtest/gtest.h>

#include <cmath>

#include "records/position.h"

namespace keelmark {
namespace {

CPosition2 At(double latitude, double longitude) {
  CPosition2 p;
  p.SetLatitude(latitude);
  p.SetLongitude(longitude);
  return p;
}

struct LegCase {
  const char* name;
  double lat1, lon1, lat2, lon2;
  bool greatCircle;
  double distance, course, tolerance;
};

class LegTest : public testing::TestWithParam<LegCase> {};

TEST_P(LegTest, DistanceAndCourseHoldAtTheStoredPi) {
  const LegCase& c = GetParam();
  const CNavigation nav;
  const CPosition2 from = At(c.lat1, c.lon1);
  const CPosition2 to = At(c.lat2, c.lon2);
  EXPECT_NEAR(nav.Distance(from, to, c.greatCircle), c.distance, c.tolerance);
  EXPECT_NEAR(nav.Course(from, to, c.greatCircle), c.course, c.tolerance);
}

INSTANTIATE_TEST_SUITE_P(
    Legs, LegTest,
    testing::Values(
        // Parallel sailing: 60 degrees of longitude on 60N.
        LegCase{"ParallelSailing", 60, 0, 60, 60, false, 1799.9999996, 90.0, 1e-6},
        // The rhumb line's right angle comes out of atan2 and the stored pi.
        LegCase{"EquatorEast", 0, 0, 0, 10, false, 600.0, 89.99999999, 1e-7},
        // A meridian: one degree of latitude is 60 nM either way.
        LegCase{"MeridianNorthGC", 10, 20, 11, 20, true, 60.0, 0.0, 1e-6},
        // Across the date line the great circle is 2 degrees eastward.
        LegCase{"DateLineGreatCircle", 0, 179, 0, -179, true, 120.0, 90.0, 1e-5},
        // London - New York by great circle on the one-minute-of-arc sphere.
        LegCase{"LondonNewYork", 51.5, 0, 40.7, -74, true, 3010.59, 288.40, 0.01}),
    [](const testing::TestParamInfo<LegCase>& row) { return row.param.name; });

TEST(Distance, CoincidentPositionsAreZeroByGreatCircle) {
  const CNavigation nav;
  for (const double lat : {33.3333, 51.5083, 89.9}) {
    const CPosition2 p = At(lat, 12.345678);
    EXPECT_EQ(nav.Distance(p, p, true), 0.0) << lat;
  }
}

TEST(Distance, RhumbLineAcrossTheDateLineUsesThePlainDifference) {
  const CNavigation nav;
  // -358 degrees of longitude along the equator.
  EXPECT_NEAR(nav.Distance(At(0, 179), At(0, -179), false), 358.0 * 60.0, 1e-4);
  EXPECT_NEAR(nav.Course(At(0, 179), At(0, -179), false), 270.0, 1e-6);
}

TEST(Course, IsAlwaysInZeroTo360) {
  const CNavigation nav;
  for (double bearing = 0; bearing < 360; bearing += 15) {
    CPosition2 to = At(30, 40);
    nav.DeadReckon(to, 100, bearing);
    for (const bool gc : {true, false}) {
      const double c = nav.Course(At(30, 40), to, gc);
      EXPECT_GE(c, 0.0);
      EXPECT_LT(c, 360.0);
    }
  }
}

TEST(DeadReckon, EastAlongTheEquatorTakesTheGeneralBranch) {
  const CNavigation nav;
  CPosition2 p = At(0, 20);
  nav.DeadReckon(p, 60, 90);
  EXPECT_NEAR(p.GetLongitude(), 21.00002, 1e-5);
  EXPECT_GT(std::fabs(p.GetLongitude() - 21.0), 1e-6);  // not the parallel-sailing figure
  EXPECT_NEAR(p.GetLatitude(), 0.0, 1e-6);
}

TEST(DeadReckon, ZeroDistanceLeavesThePositionWhereItWas) {
  const CNavigation nav;
  CPosition2 p = At(-33.25, 151.2);
  nav.DeadReckon(p, 0, 123);
  EXPECT_DOUBLE_EQ(p.GetLatitude(), -33.25);
  EXPECT_DOUBLE_EQ(p.GetLongitude(), 151.2);
}

TEST(DeadReckon, RoundTripWithDistanceAndCourse) {
  const CNavigation nav;
  const CPosition2 start = At(48.0, -5.0);
  CPosition2 end;
  nav.DeadReckonFrom(start, end, 237.0, 420.0);
  EXPECT_NEAR(nav.Course(start, end, false), 237.0, 1e-6);
  EXPECT_NEAR(nav.Distance(start, end, false), 420.0, 1e-6);
}

TEST(Vectors, AddIsLaidOffAt45North) {
  const CNavigation nav;
  double course = 0.0, distance = 3.0;
  nav.AddVectors(course, distance, 90.0, 4.0);
  EXPECT_NEAR(course, 53.18, 0.005);
  EXPECT_NEAR(distance, 5.006, 0.0005);
}

TEST(Vectors, SubtractFromItselfIsPracticallyNothing) {
  const CNavigation nav;
  double course = 217.0, distance = 12.5;
  nav.SubtractVectors(course, distance, 217.0, 12.5);
  EXPECT_LT(distance, 1e-6);
}

struct CurrentCase {
  const char* name;
  double hours;    // between the fixes
  double driftNm;  // fix lies this far east of the dead-reckoned position
  bool accepted;
};

class EstimateCurrentTest : public testing::TestWithParam<CurrentCase> {};

TEST_P(EstimateCurrentTest, AcceptsOnlyAnHourOrMoreAndSevenKnotsOrLess) {
  const CurrentCase& c = GetParam();
  const CNavigation nav;
  CPosition2 previous = At(0, 0);
  previous.SetTime(1000.0);
  // Steered north at 10 kn; the fix lies east of the reckoned run.
  CPosition2 fix = At(0, 0);
  nav.DeadReckon(fix, 10.0 * c.hours, 0.0);
  nav.DeadReckon(fix, c.driftNm, 90.0);
  fix.SetTime(1000.0 + c.hours / 24.0);
  double set = -1.0, rate = -1.0;
  EXPECT_EQ(nav.EstimateCurrent(previous, 0.0, 10.0, c.hours, fix, set, rate), c.accepted);
  if (c.accepted) {
    EXPECT_NEAR(set, 90.0, 0.01);
    EXPECT_NEAR(rate, c.driftNm / c.hours, 0.01);
  } else {
    EXPECT_EQ(set, 0.0);
    EXPECT_EQ(rate, 0.0);
  }
}

INSTANTIATE_TEST_SUITE_P(Fixes, EstimateCurrentTest,
                         testing::Values(CurrentCase{"OneKnotOverTwoHours", 2.0, 2.0, true},
                                         CurrentCase{"HalfAnHourIsTooShort", 0.5, 0.1, false},
                                         CurrentCase{"EightKnotsIsTooMuch", 1.5, 12.0, false},
                                         CurrentCase{"SixAndAHalfKnots", 1.5, 9.75, true}),
                         [](const testing::TestParamInfo<CurrentCase>& row) {
                           return row.param.name;
                         });

TEST(EstimateCurrent, FixesAtTheSameTimeAreRefusedWithoutNaN) {
  const CNavigation nav;
  CPosition2 previous = At(10, 10);
  CPosition2 fix = At(10, 10);
  double set = 5, rate = 5;
  EXPECT_FALSE(nav.EstimateCurrent(previous, 0.0, 10.0, 0.0, fix, set, rate));
  EXPECT_EQ(set, 0.0);
  EXPECT_EQ(rate, 0.0);
}

TEST(TimeFromDayNumber, RoundsToTheNearestSecond) {
  // Day numbers of whole seconds are rarely exact doubles; truncating the difference from now
  // turned 18:30:00 into 18:29:59 and the shown ETA a minute early.
  const CNavigation nav;
  for (int minute = 0; minute < 24 * 60; minute += 7) {
    const double day = 9837.0 + minute / 1440.0;
    const TimeValue t = nav.TimeFromDayNumber(day);
    EXPECT_EQ(t % 60, 0) << minute;
  }
}

TEST(TimeFromDayNumber, FollowsTheClock) {
  // The conversion counts from "now", so it must give the same answer whatever the clock says.
  const double day = 9837.25;
  for (const TimeValue now : {TimeValue{946684800}, TimeValue{1796558400}, TimeValue{4102444800}}) {
    const FixedClock clock(now);
    EXPECT_EQ(IsoUtc(CNavigation(clock).TimeFromDayNumber(day)), "2026-12-06T06:00:00Z");
  }
}

TEST(TimeFromDayNumber, NonFiniteDayNumbersHaveNoTime) {
  const CNavigation nav;
  for (const double day : {double{NAN}, double{INFINITY}, -double{INFINITY}, 1e300}) {
    EXPECT_EQ(nav.TimeFromDayNumber(day), kNoTime);
  }
  EXPECT_TRUE(std::isnan(nav.LocalDayNumber(kNoTime)));
}

struct CompassCase {
  double direction;
  const char* name;
};

class CompassPointTest : public testing::TestWithParam<CompassCase> {};

TEST_P(CompassPointTest, SectorsBeginAtThePoint) {
  EXPECT_EQ(CNavigation::CompassPoint(GetParam().direction), GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(Directions, CompassPointTest,
                         testing::Values(CompassCase{11.0, "N"}, CompassCase{22.5, "NNE"},
                                         CompassCase{360.0, "N"}, CompassCase{-10.0, "N"},
                                         CompassCase{-22.5, ""}, CompassCase{NAN, ""}));

}  // namespace
}  // namespace keelmark
