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
#include "records/settings_store.h"
#include "records/vessel.h"
#include "records/voyage.h"
#include "tests/core/test_files.h"
#include "voyage/vessel_model.h"

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

TEST(CalculatorSpeed, CalmWaterAtTheManoeuvringSetting) {
  const CVessel2 vessel;  // 63 rpm
  const SpeedResult r = CalculateSpeed(vessel, {});
  // Without wind the air term is still the ship's own headway through the air.
  EXPECT_LT(r.logSpeed, VesselModel(vessel).CalibrationLogSpeed());
  EXPECT_GT(r.logSpeed, VesselModel(vessel).CalibrationLogSpeed() - 0.1);
  EXPECT_EQ(r.fuelText, "31.5 mT");  // 150 t a day at 106 rpm
}

TEST(CalculatorSpeed, WindOnTheSternIsFasterThanOnTheHead) {
  const CVessel2 vessel;
  const SpeedResult head = CalculateSpeed(vessel, {30.0, WindSide::OnTheHead, 0.0});
  const SpeedResult stern = CalculateSpeed(vessel, {30.0, WindSide::OnTheStern, 0.0});
  const SpeedResult swell = CalculateSpeed(vessel, {0.0, WindSide::OnTheHead, 3.0});
  EXPECT_GT(stern.logSpeed, head.logSpeed);
  EXPECT_LT(swell.logSpeed, CalculateSpeed(vessel, {}).logSpeed);
  EXPECT_GE(head.reduceDistance, 0.0);
}

TEST(CalculatorSpeed, StoppedEngineShowsNoSpeed) {
  CVessel2 vessel;
  vessel.calibrationRpm = 0.0;
  const SpeedResult r = CalculateSpeed(vessel, {20.0, WindSide::OnTheHead, 2.0});
  EXPECT_EQ(r.logSpeedText, "0.0 kts");
  EXPECT_EQ(r.fuelText, "0.0 mT");
}

// --- Squat ---

TEST(CalculatorSquat, ShallowWaterDoublesTheSinkageAndHydrostaticsTrimTheShip) {
  CVessel2 vessel;
  const SquatInput deep{12.0, 12.0, 1.0, 1.0, 0.0, Water::Deep};
  SquatInput shallow = deep;
  shallow.water = Water::Shallow;
  const SquatResult d = CalculateSquat(vessel, deep);
  const SquatResult s = CalculateSquat(vessel, shallow);
  // Without ETM there is no trim: both ends sink alike.
  EXPECT_GT(d.draftAft - 12.0, 0.05);
  EXPECT_DOUBLE_EQ(d.draftAft, d.draftForward);
  EXPECT_NEAR(s.draftAft - 12.0, 2.0 * (d.draftAft - 12.0), 1e-12);

  const SquatResult r = CalculateSquat(vessel, {12.0, 12.0, 2.0, 5.0, 150.0, Water::Deep});
  EXPECT_EQ(vessel.mctc, 150.0);
  EXPECT_GT(r.draftAft, r.draftForward);  // LCF forward of LCB: the stern sinks more
  EXPECT_EQ(r.speedText, "16.1 kts");     // propeller speed at 63 rpm
  // Bars stay in their range whatever the drafts.
  EXPECT_EQ(CalculateSquat(vessel, {1.0, 30.0, 2.0, 5.0, 150.0, Water::Deep}).aftBar, 20);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(CalculateSquat(vessel, {nan, nan, 2.0, 5.0, 150.0, Water::Deep}).forwardBar, 2);
}

// --- Wheel over Point ---

TEST(CalculatorWheelOver, NinetyDegreeTurnWithoutCurrent) {
  CVessel2 vessel;
  vessel.propellerPitch = 20.0 * 1852.0 / (60.0 * 80.0);  // 80 rpm give 20 knots
  const WheelOverResult r = CalculateWheelOver(vessel, {80, 0.0, 90.0, 0.0, 0.0, 20.0});
  EXPECT_NEAR(r.distance, 0.9499, 1e-4);
  EXPECT_EQ(r.distanceText, "0.9 nM");
  // A turn the other way round the compass is the same turn.
  EXPECT_NEAR(CalculateWheelOver(vessel, {80, 350.0, 80.0, 0.0, 0.0, 20.0}).distance, r.distance,
              1e-3);
}

// --- ETA ---

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

TEST(CalculatorEta, FromTheDepartureAtTheManoeuvringSetting) {
  auto voyage = ShortRoute();
  CVessel2 vessel;
  EtaInput input{63, 0.0, 11.0, 12.0, 0.0, 0};
  ASSERT_TRUE(StartFromDeparture(*voyage, input));
  EXPECT_NEAR(input.distance, 120.0, 1e-6);
  EXPECT_EQ(input.localTimeChange, 2.0);
  EXPECT_EQ(input.startTime, UtcTime("2024-03-01T00:00Z"));
  // At the manoeuvring rpm the allowances are 45 minutes and 3 nM plus half an hour's run;
  // choose the distance so that the sea passage takes exactly 10 hours.
  const double v = VesselModel(vessel).TheoreticalSpeed(63.0);
  input.distance = 3.0 + 0.5 * v + 10.0 * v;
  const EtaResult r = CalculateEta(vessel, *voyage, input);
  EXPECT_NEAR(r.hours, 10.75, 1e-9);
  EXPECT_EQ(r.etaText, "01 Mar 12:45 LT");  // 10:45 later, clocks 2 hours on
  EXPECT_EQ(vessel.draftForward, 11.0);
  EXPECT_EQ(vessel.draftAft, 12.0);
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

// --- Height ---

TEST(CalculatorHeight, MidLengthAtOpeningAndForwardAtTheRightEnd) {
  CVessel2 vessel;
  vessel.depthMoulded = 24.0;
  const HeightResult mid = CalculateHeight(vessel, {10.0, 12.0, kHeightSliderOpening});
  EXPECT_EQ(mid.eyeMetres, "34.0");   // 45 - 11
  EXPECT_EQ(mid.mastMetres, "49.0");  // 60 - 11
  EXPECT_EQ(mid.eyeFeet, "111.5");
  const HeightResult bow = CalculateHeight(vessel, {10.0, 12.0, kHeightSliderHighest});
  EXPECT_EQ(bow.eyeMetres, "35.0");
  EXPECT_EQ(bow.mastFeet, "164.0");
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

TEST(CalculatorEngineSlider, MovingItSetsTheEngineSetting) {
  CVessel2 vessel;
  EXPECT_EQ(MoveEngineSlider(vessel, 26), 80);
  EXPECT_EQ(vessel.calibrationRpm, 80.0);
  EXPECT_EQ(EngineSettingText(vessel.calibrationRpm), " 80 rpm");
}

TEST(CalculatorOpening, FromTheLatestFixAndTheVessel) {
  const FixedClock clock(UtcTime("2024-03-01T12:00Z"));
  const ScopedProcessClock scope(clock);
  PositionFix fix;
  fix.SetLatitude(-33.25);
  fix.SetLongitude(151.5);
  fix.SetLocalTime(UtcTime("2024-03-01T06:00Z"));
  fix.CourseMadeGood = 80.0;
  fix.Weather.CurrentSet = 190.0;
  CVessel2 vessel;
  vessel.mctc = 180.0;

  const CalculatorInputs in = OpeningInputs(fix, vessel);
  EXPECT_EQ(in.distances.departure.latitude.hemisphere, 1);  // south
  EXPECT_EQ(in.deadReckoning.startTime, UtcTime("2024-03-01T06:00Z"));
  EXPECT_EQ(in.deadReckoning.resultTime, UtcTime("2024-03-01T12:00Z"));
  EXPECT_EQ(in.wheelOver.currentDirection, 190.0);
  EXPECT_EQ(in.squat.etm, 180.0);
  EXPECT_EQ(in.engineSliderPosition, 43);
}

TEST(CalculatorVessel, DefaultShipWhenTheFileCannotBeLoaded) {
  MemorySettingsStore store;
  store.Write(setting::kVesselPath, "/nonexistent/keelmark/vessel.dat");
  bool loaded = true;
  const CVessel2 vessel = CalculatorVessel(store, loaded);
  EXPECT_FALSE(loaded);
  EXPECT_EQ(vessel.maxRpm, 106);
}

}  // namespace
}  // namespace keelmark
