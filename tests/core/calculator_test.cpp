#include "voyage/calculator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>

#include "navigation/calendar.h"
#include "navigation/clock.h"
#include "navigation/navigation.h"
#include "records/position_fix.h"
#include "records/vessel.h"
#include "records/voyage.h"
#include "tests/core/test_files.h"

namespace keelmark {
namespace {

using test::UtcTime;

DegMinPosition Entry(double latitude, double longitude) {
  CPosition2 p;
  p.SetLatitude(latitude);
  p.SetLongitude(longitude);
  return EntryOf(p);
}

// --- Distances ---

// Regression: the track list's "Greatcircle" entry once gave the rhumb line and "Rhumbline"
// the great circle.
TEST(CalculatorDistances, TheTrackEntrySelectsItsTrack) {
  EXPECT_STREQ(kTrackEntries[static_cast<int>(Track::GreatCircle)], "Greatcircle");
  EXPECT_STREQ(kTrackEntries[static_cast<int>(Track::RhumbLine)], "Rhumbline");
  // 40N 010W to 40N 070W: the great circle is the shorter track and starts north of west.
  const DistancesResult great =
      CalculateDistances({Entry(40, -10), Entry(40, -70), Track::GreatCircle});
  const DistancesResult rhumb =
      CalculateDistances({Entry(40, -10), Entry(40, -70), Track::RhumbLine});
  EXPECT_LT(great.distance, rhumb.distance - 50.0);
  EXPECT_NEAR(rhumb.distance, 60.0 * 60.0 * std::cos(40.0 * CNavigation::pi / 180.0), 1e-3);
  EXPECT_EQ(rhumb.courseText, "270.0 deg");
  EXPECT_GT(great.course, 270.0);
}

// --- Dead Reckoning ---

TEST(CalculatorDeadReckoning, RunsAtTheSpeedBetweenTheTimesEitherWay) {
  DeadReckoningInput input;
  input.startTime = UtcTime("2024-03-01T12:00Z");
  input.start = Entry(10.0, -20.0);
  input.course = 0.0;
  input.speed = 12.0;
  input.resultTime = UtcTime("2024-03-01T09:30Z");  // before the start: reckoned back
  EXPECT_EQ(CalculateDeadReckoning(input).latitudeText, "9 : 30.00 N");
}

// --- Speed ---

TEST(CalculatorSpeed, WindOnTheSternIsFasterThanOnTheHead) {
  const CVessel2 vessel;
  const SpeedResult head = CalculateSpeed(vessel, {30.0, WindSide::OnTheHead, 0.0});
  const SpeedResult stern = CalculateSpeed(vessel, {30.0, WindSide::OnTheStern, 0.0});
  const SpeedResult swell = CalculateSpeed(vessel, {0.0, WindSide::OnTheHead, 3.0});
  EXPECT_GT(stern.logSpeed, head.logSpeed);
  EXPECT_LT(swell.logSpeed, CalculateSpeed(vessel, {}).logSpeed);
  EXPECT_GE(head.reduceDistance, 0.0);
}

// --- Squat ---

TEST(CalculatorSquat, TheSternSinksMoreAndTheBarsStayInTheirRange) {
  CVessel2 vessel;
  const SquatResult r = CalculateSquat(vessel, {12.0, 12.0, 2.0, 5.0, 150.0, Water::Deep});
  EXPECT_GT(r.draftAft, r.draftForward);  // LCF forward of LCB
  EXPECT_EQ(vessel.mctc, 150.0);          // the typed ETM is the ship's for the session
  // Bars stay in their range whatever the drafts.
  EXPECT_EQ(CalculateSquat(vessel, {1.0, 30.0, 2.0, 5.0, 150.0, Water::Deep}).aftBar, 20);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(CalculateSquat(vessel, {nan, nan, 2.0, 5.0, 150.0, Water::Deep}).forwardBar, 2);
}

// --- Wheel over Point ---

// A turn across north is the same turn as any other of 90 degrees.
TEST(CalculatorWheelOver, TurnAcrossNorth) {
  const CVessel2 vessel;
  EXPECT_NEAR(CalculateWheelOver(vessel, {80, 350.0, 80.0, 0.0, 0.0, 20.0}).distance,
              CalculateWheelOver(vessel, {80, 0.0, 90.0, 0.0, 0.0, 20.0}).distance, 1e-3);
}

// --- ETA ---

// (The pages' figures, the ETA from the departure among them: the window's calculator tests.)
// Two waypoints 120 nM apart along 0E, departing 2024-03-01 00:00 local (UTC-1), due 10 hours
// later in zone UTC+1.
std::unique_ptr<Voyage> ShortRoute() {
  auto voyage = std::make_unique<Voyage>();
  for (double latitude : {0.0, 2.0}) {
    Waypoint* w = voyage->Add(std::make_unique<Waypoint>());
    w->SetLatitude(latitude);
    w->SetLongitude(0.0);
  }
  voyage->GetFirst()->SetZoneHours(-1.0);
  voyage->GetFirst()->SetLocalTime(UtcTime("2024-03-01T00:00Z"));
  voyage->GetLast()->SetZoneHours(1.0);
  voyage->GetLast()->SetScheduledTime(voyage->GetFirst()->GetTime() + 10.0 / 24.0);
  return voyage;
}

TEST(CalculatorEta, StoppedEngineHasNoArrival) {
  auto voyage = ShortRoute();
  CVessel2 vessel;
  const EtaResult r = CalculateEta(vessel, *voyage, {0, 120.0, 12.0, 12.0, 0.0, 0});
  EXPECT_EQ(r.speedText, "0.0 kts");
  EXPECT_EQ(r.eta, kNoTime);
  EXPECT_EQ(r.etaText, "NA");
  EXPECT_EQ(r.fuelText, "NA");
}

TEST(CalculatorEta, StartButtonsNeedARoute) {
  Voyage voyage;
  voyage.Add(std::make_unique<Waypoint>());
  EtaInput input{63, 5.0, 12.0, 12.0, 1.0, 77};
  EXPECT_FALSE(StartFromDeparture(voyage, input));
  EXPECT_FALSE(StartFromLatestFix(voyage, PositionFix(), input));
  EXPECT_EQ(input.distance, 5.0);
  EXPECT_EQ(input.startTime, 77);
}

TEST(CalculatorEta, MeanResistanceLeavesOutLegsWithoutData) {
  auto voyage = ShortRoute();
  voyage->GetFirst()->GroundSpeed = 0.0;  // 0 nM / 0 knots: no number
  Waypoint& arrival = *voyage->GetLast();
  arrival.LegDistance = 120.0;
  arrival.GroundSpeed = 12.0;
  arrival.Resistance = 2.0;  // 10 of the 10 hours at X = 2
  EXPECT_NEAR(MeanRouteResistance(*voyage), 2.0, 1e-9);
}

// --- Engine slider and opening values ---

struct SliderCase {
  double calibrationRpm;
  int position;
};

class CalculatorEngineSlider : public testing::TestWithParam<SliderCase> {};

TEST_P(CalculatorEngineSlider, OpensAtTheSettingFromTheTop) {
  CVessel2 vessel;  // maxRpm 106
  vessel.calibrationRpm = GetParam().calibrationRpm;
  EXPECT_EQ(EngineSliderPosition(vessel), GetParam().position);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, CalculatorEngineSlider,
    testing::Values(SliderCase{63.5, 42}, SliderCase{250.0, 0}, SliderCase{-5.0, 106},
                    SliderCase{std::numeric_limits<double>::quiet_NaN(), 106}));

}  // namespace
}  // namespace keelmark
