#include "navigation/navigation.h"

#include <gtest/gtest.h>

#include <cmath>

#include "records/position.h"
#include "tests/core/test_files.h"

namespace keelmark {
namespace {

using test::At;

// The legs of tests/data/tables/legs.txt, worked by hand.
TEST(Leg, DistanceAndCourseHoldAtTheStoredPi) {
  const auto rows = test::ReadTable("tables/legs.txt");
  ASSERT_EQ(rows.size(), 6u);
  const CNavigation nav;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.at(0));
    double v[8];
    for (int i = 0; i < 8; ++i) v[i] = std::stod(row.at(i + 1));
    EXPECT_NEAR(nav.Distance(At(v[0], v[1]), At(v[2], v[3]), v[4] != 0), v[5], v[7]);
    EXPECT_NEAR(nav.Course(At(v[0], v[1]), At(v[2], v[3]), v[4] != 0), v[6], v[7]);
  }
}

TEST(Distance, CoincidentPositionsAreZeroByGreatCircle) {
  const CNavigation nav;
  for (const double lat : {33.3333, 51.5083, 89.9}) {
    const CPosition2 p = At(lat, 12.345678);
    EXPECT_EQ(nav.Distance(p, p, true), 0.0) << lat;
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

TEST(DeadReckon, RoundTripWithDistanceAndCourseAndNoDistanceStaysPut) {
  const CNavigation nav;
  const CPosition2 start = At(48.0, -5.0);
  CPosition2 end;
  nav.DeadReckonFrom(start, end, 237.0, 420.0);
  EXPECT_NEAR(nav.Course(start, end, false), 237.0, 1e-6);
  EXPECT_NEAR(nav.Distance(start, end, false), 420.0, 1e-6);
  CPosition2 p = At(-33.25, 151.2);
  nav.DeadReckon(p, 0, 123);
  EXPECT_DOUBLE_EQ(p.GetLatitude(), -33.25);
  EXPECT_DOUBLE_EQ(p.GetLongitude(), 151.2);
}

TEST(Vectors, AddIsLaidOffAt45NorthAndSubtractUndoesIt) {
  const CNavigation nav;
  double course = 0.0, distance = 3.0;
  nav.AddVectors(course, distance, 90.0, 4.0);
  EXPECT_NEAR(course, 53.18, 0.005);
  EXPECT_NEAR(distance, 5.006, 0.0005);
  course = 217.0, distance = 12.5;
  nav.SubtractVectors(course, distance, 217.0, 12.5);
  EXPECT_LT(distance, 1e-6);
}

TEST(EstimateCurrent, AcceptsOnlyAnHourOrMoreAndSevenKnotsOrLess) {
  const struct {
    double hours;    // between the fixes
    double driftNm;  // the fix lies this far east of the dead-reckoned position
    bool accepted;
  } cases[] = {{2.0, 2.0, true},    // a knot over two hours
               {0.5, 0.1, false},   // half an hour is too short
               {1.5, 12.0, false},  // eight knots is too much
               {1.5, 9.75, true},   // six and a half knots
               {0.0, 0.0, false}};  // the same time, and no NaN
  const CNavigation nav;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.driftNm);
    CPosition2 previous = At(0, 0);
    previous.SetTime(1000.0);
    // Steered north at 10 kn; the fix lies east of the reckoned run.
    CPosition2 fix = At(0, 0);
    nav.DeadReckon(fix, 10.0 * c.hours, 0.0);
    nav.DeadReckon(fix, c.driftNm, 90.0);
    fix.SetTime(1000.0 + c.hours / 24.0);
    double set = -1.0, rate = -1.0;
    EXPECT_EQ(nav.EstimateCurrent(previous, 0.0, 10.0, c.hours, fix, set, rate), c.accepted);
    if (!c.accepted) {
      EXPECT_EQ(std::pair(set, rate), std::pair(0.0, 0.0));
      continue;
    }
    EXPECT_NEAR(set, 90.0, 0.01);
    EXPECT_NEAR(rate, c.driftNm / c.hours, 0.01);
  }
}

TEST(TimeFromDayNumber, RoundsToTheSecondFollowsTheClockAndGivesNoTimeForNonFinite) {
  // Day numbers of whole seconds are rarely exact doubles; truncating the difference from now
  // turned 18:30:00 into 18:29:59 and the shown ETA a minute early.
  const CNavigation nav;
  for (int minute = 0; minute < 24 * 60; minute += 7) {
    EXPECT_EQ(nav.TimeFromDayNumber(9837.0 + minute / 1440.0) % 60, 0) << minute;
  }
  // The conversion counts from "now", so it must give the same answer whatever the clock says.
  for (const TimeValue now : {TimeValue{946684800}, TimeValue{1796558400}, TimeValue{4102444800}}) {
    const FixedClock clock(now);
    EXPECT_EQ(IsoUtc(CNavigation(clock).TimeFromDayNumber(9837.25)), "2026-12-06T06:00:00Z");
  }
  for (const double day : {double{NAN}, double{INFINITY}, -double{INFINITY}, 1e300}) {
    EXPECT_EQ(nav.TimeFromDayNumber(day), kNoTime);
  }
  EXPECT_TRUE(std::isnan(nav.LocalDayNumber(kNoTime)));
}

TEST(CompassPoint, SectorsBeginAtThePoint) {
  EXPECT_EQ(CNavigation::CompassPoint(11.0), "N");
  EXPECT_EQ(CNavigation::CompassPoint(22.5), "NNE");
  EXPECT_EQ(CNavigation::CompassPoint(360.0), "N");
  EXPECT_EQ(CNavigation::CompassPoint(-10.0), "N");
  EXPECT_EQ(CNavigation::CompassPoint(-22.5), "");
  EXPECT_EQ(CNavigation::CompassPoint(NAN), "");
}

}  // namespace
}  // namespace keelmark
