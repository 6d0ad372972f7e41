#include "voyage/voyage_calculation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <tuple>
#include <vector>

#include "navigation/navigation.h"
#include "navigation/text_format.h"
#include "records/position_fix.h"
#include "records/vessel.h"
#include "records/voyage.h"
#include "tests/core/test_files.h"

namespace keelmark {
namespace {

constexpr double kDeparture = 9800.0;  // day number of the departure

// A route north along the meridian 0: waypoints every `spacing` degrees of latitude (60 nM
// per degree), departing at kDeparture and due `hours` later.
std::unique_ptr<Voyage> MeridianRoute(int waypoints, double hours, bool constantRpm,
                                      double spacing = 1.0) {
  auto voyage = std::make_unique<Voyage>();
  voyage->ConstantRpm = constantRpm ? 1 : 0;
  for (int i = 0; i < waypoints; ++i) {
    test::AddAt<Waypoint>(*voyage, i * spacing, 0.0, "WP" + std::to_string(i))->UseVoyageWeather =
        0;
  }
  voyage->GetFirst()->SetTime(kDeparture);
  voyage->GetLast()->SetScheduledTime(kDeparture + hours / 24.0);
  return voyage;
}

TEST(VoyageCalculation, TwoLegConstantGroundSpeedTakesOffTheManoeuvringAllowances) {
  auto voyage = MeridianRoute(2, 10.0, false, 2.0);  // 120 nM in 10 hours
  CVessel2 vessel;
  CalculateFromDeparture(*voyage, vessel);
  const Waypoint& arrival = *voyage->GetLast();
  EXPECT_NEAR(arrival.CorrectedDistance, 120.0, 1e-6);

  // The manoeuvring allowances take at least 45 minutes and some 11 nM (half an hour at about
  // 16 knots and 3 nM) off the passage: about 109 nM in 9 1/4 hours, under the plain 12 knots.
  EXPECT_GT(arrival.GroundSpeed, 11.5);
  EXPECT_LT(arrival.GroundSpeed, 12.0);
  EXPECT_DOUBLE_EQ(arrival.GetScheduledTime(), kDeparture + 10.0 / 24.0);
}

TEST(VoyageCalculation, FollowingCurrentOnOneLegShortensItsShareOfTheTime) {
  auto still = MeridianRoute(3, 12.0, true);
  auto current = MeridianRoute(3, 12.0, true);
  Waypoint* second = current->GetAt(2);
  second->Weather.CurrentSet = 0.0;  // flowing north, with the ship
  second->Weather.CurrentRate = 2.0;
  CVessel2 vessel;
  CalculateFromDeparture(*still, vessel);
  CalculateFromDeparture(*current, vessel);

  EXPECT_LT(second->CorrectedDistance, second->LegDistance);
  // The first leg now takes the larger share: its ETA comes later.
  EXPECT_GT(current->GetAt(1)->GetScheduledTime(), still->GetAt(1)->GetScheduledTime());
  EXPECT_NEAR(still->GetAt(1)->GetScheduledTime(), kDeparture + 6.0 / 24.0, 1e-9);
  // The arrival stays at the schedule.
  EXPECT_DOUBLE_EQ(current->GetLast()->GetScheduledTime(), kDeparture + 12.0 / 24.0);
  // With the current the leg is sailed faster over the ground at the same rpm.
  EXPECT_DOUBLE_EQ(second->Rpm, current->GetAt(1)->Rpm);
  EXPECT_NEAR(second->GroundSpeed - current->GetAt(1)->GroundSpeed, 2.0, 0.01);
}

TEST(VoyageCalculation, ManualTenKnotLegKeepsItsSpeedAndItsTimeInBothModes) {
  for (const bool constantRpm : {true, false}) {
    auto voyage = MeridianRoute(3, 16.0, constantRpm);
    Waypoint* manual = voyage->GetAt(1);
    manual->ManualSpeed = 1;
    manual->GroundSpeed = 10.0;
    CalculateFromDeparture(*voyage, CVessel2());
    EXPECT_DOUBLE_EQ(manual->GroundSpeed, 10.0) << constantRpm;
    // 60 nM at 10 knots leave 10 of the 16 hours to the automatic leg: over 6 knots with the
    // allowances. The times of arrival are spread by distance, not by the manual speed.
    EXPECT_GT(voyage->GetLast()->GroundSpeed, 6.0) << constantRpm;
    EXPECT_NEAR(manual->GetScheduledTime(), kDeparture + 8.0 / 24.0, 1e-9) << constantRpm;
  }
}

TEST(NextWaypoint, NearestWaypointAsternByItsBearingGivesTheOneAfterIt) {
  auto voyage = MeridianRoute(4, 24.0, true);
  CVessel2 vessel;
  CalculateFromDeparture(*voyage, vessel);  // leg courses 000
  PositionFix ship;
  ship.SetLongitude(0.0);
  struct Case {
    double latitude;  // WP1 (at 1.0) is the nearest in every case
    double courseMadeGood;
    int expected;
  };
  // Astern means the bearing from the ship to the waypoint is 90 to 270 degrees off the course
  // made good. The fault this guards: a ship just past WP1 and sailing on along the route
  // (course 000, WP1 bearing 180) was sent back to WP1, because WP1's own leg course (000)
  // matched the course made good.
  // Past WP1 it bears 180, before it 000.
  for (const Case c :
       {Case{1.2, 0.0, 2}, Case{1.2, 89.9, 2}, Case{1.2, 90.1, 1}, Case{1.2, 270.1, 2},
        Case{0.8, 0.0, 1}, Case{0.8, 90.1, 2}, Case{0.8, 270.1, 1}}) {
    ship.SetLatitude(c.latitude);
    ship.CourseMadeGood = c.courseMadeGood;
    EXPECT_EQ(NextWaypoint(*voyage, ship), voyage->GetAt(c.expected))
        << c.latitude << " " << c.courseMadeGood;
  }
  ship.SetLatitude(3.2);  // nearest is the last: it stays the next one even when astern
  ship.CourseMadeGood = 0.0;
  EXPECT_EQ(NextWaypoint(*voyage, ship), voyage->GetLast());
  // A start built from the departure lies on the first waypoint: that is the one ahead.
  EXPECT_EQ(NextWaypoint(*voyage, DeparturePosition(*voyage)), voyage->GetFirst());
}

TEST(RouteFigures, EachLegCountsByItsOwnType) {
  // Along 45N from 000 to 090W: 3818.3 nM by rhumb line, 3600 nM by great circle (the central
  // angle is 60 degrees); then 60 nM north by either.
  Voyage voyage;
  for (const auto& [lat, lon, gc] :
       {std::tuple{45.0, 0.0, 0}, std::tuple{45.0, -90.0, 1}, std::tuple{46.0, -90.0, 0}}) {
    test::AddAt<Waypoint>(voyage, lat, lon)->GreatCircle = gc;
  }
  EXPECT_NEAR(DistanceToArrival(voyage, voyage.GetFirst()), 3660.0, 0.1);
  EXPECT_NEAR(TotalDistance(voyage), 3660.0, 0.1);
  voyage.GetAt(1)->GreatCircle = 0;
  EXPECT_NEAR(DistanceToArrival(voyage, voyage.GetFirst()), 3878.3, 0.1);
  EXPECT_EQ(DistanceToArrival(voyage, nullptr), 0.0);
}

// (Every waypoint's distance to arrival in one pass, against DistanceToArrival on a zig-zag of
// mixed legs across the date line: category_table_test.cpp.)

TEST(RouteFigures, DistancesHoursLocalArrivalAndEmptyRoutes) {
  auto voyage = MeridianRoute(4, 24.0, true);
  EXPECT_NEAR(TotalDistance(*voyage), 180.0, 1e-6);
  PositionFix ship;
  ship.SetLatitude(1.5);
  ship.SetLongitude(0.0);
  ship.SetTime(kDeparture + 0.5);
  EXPECT_NEAR(RemainingDistance(*voyage, ship), 90.0, 1e-6);
  EXPECT_DOUBLE_EQ(HoursRemaining(*voyage, ship), 12.0);
  // The arrival time is the last waypoint's schedule in its local time.
  voyage->GetLast()->SetZoneHours(2.0);
  const TimeValue local = ArrivalTime(*voyage);
  EXPECT_NEAR(CNavigation().LocalDayNumber(local), kDeparture + 1.0 + 2.0 / 24.0, 1e-9);
  ASSERT_TRUE(SetArrivalTime(*voyage, local + 3600));
  EXPECT_NEAR(voyage->GetLast()->GetScheduledTime(), kDeparture + 25.0 / 24.0, 1e-9);

  Voyage empty;
  EXPECT_EQ(TotalDistance(empty), 0.0);
  EXPECT_EQ(HoursRemaining(empty, ship), 0.0);
  EXPECT_FALSE(SetArrivalTime(empty, 0));
  CalculateFromDeparture(empty, CVessel2());  // nothing to calculate, and no crash
}

TEST(VoyageCalculation, StartAtOrAfterTheArrivalGivesNAWithoutHarm) {
  for (const double hours : {0.0, -5.0}) {
    auto voyage = MeridianRoute(3, hours, true);
    const CVessel2 vessel;
    CalculateFromDeparture(*voyage, vessel);
    const Waypoint* last = voyage->GetLast();
    // A ship at or past its arrival has no required speed or rpm: they read "NA", not a
    // figure computed from a negative time.
    EXPECT_EQ(FormatNumber("%#3.1f", last->Rpm), "NA") << hours;
    EXPECT_EQ(FormatNumber("%#3.1f", last->GroundSpeed), "NA") << hours;
  }
}

TEST(VoyageCalculation, RecalculatingFromALaterFixKeepsTheArrivalEvenWhenLate) {
  auto voyage = MeridianRoute(4, 18.0, true);
  CVessel2 vessel;
  CalculateFromDeparture(*voyage, vessel);
  PositionFix fix;
  fix.SetLatitude(1.5);
  fix.SetLongitude(0.0);
  fix.SetTime(kDeparture + 9.0 / 24.0);
  CalculateVoyage(*voyage, vessel, fix);
  // 90 nM left in 9 hours: the legs ahead are spread over them.
  EXPECT_NEAR(voyage->GetAt(2)->GetScheduledTime(), kDeparture + 12.0 / 24.0, 1e-6);
  EXPECT_DOUBLE_EQ(voyage->GetLast()->GetScheduledTime(), kDeparture + 18.0 / 24.0);
  EXPECT_NEAR(voyage->GetLast()->GetRequiredTime(), kDeparture + 18.0 / 24.0, 1e-9);
  // A ship past the arrival, recalculated again and again, never loses it.
  fix.SetTime(kDeparture + 24.0 / 24.0);
  for (int i = 0; i < 3; ++i) {
    CalculateVoyage(*voyage, vessel, fix);
    EXPECT_TRUE(std::isfinite(voyage->GetLast()->GetScheduledTime())) << i;
    EXPECT_TRUE(std::isfinite(voyage->GetLast()->GetRequiredTime())) << i;
  }
}

}  // namespace
}  // namespace keelmark
