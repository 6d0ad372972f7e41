// The calculator's pages, the master schedule, and the closest approach of storms and warnings.
#include "voyage/calculator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <optional>
#include <string>

#include "navigation/calendar.h"
#include "navigation/clock.h"
#include "navigation/navigation.h"
#include "records/archive_file.h"
#include "records/position_fix.h"
#include "records/storm.h"
#include "records/vessel.h"
#include "records/voyage.h"
#include "tests/core/test_files.h"
#include "voyage/closest_approach.h"
#include "voyage/master_schedule.h"

namespace keelmark {
namespace {

using test::At;
using test::UtcTime;

DegMinPosition Entry(double latitude, double longitude) { return EntryOf(At(latitude, longitude)); }

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
  for (double latitude : {0.0, 2.0}) test::AddAt<Waypoint>(*voyage, latitude, 0.0);
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

TEST(CalculatorEngineSlider, OpensAtTheSettingFromTheTop) {
  for (const auto& [calibrationRpm, position] : {std::pair{63.5, 42},
                                                 {250.0, 0},
                                                 {-5.0, 106},
                                                 {std::numeric_limits<double>::quiet_NaN(), 106}}) {
    CVessel2 vessel;  // maxRpm 106
    vessel.calibrationRpm = calibrationRpm;
    EXPECT_EQ(EngineSliderPosition(vessel), position) << calibrationRpm;
  }
}

using test::DayOf;
using test::FileText;

// --- Master schedule ---

class MasterScheduleTest : public testing::Test {
 protected:
  ScheduleItem& Add(const char* name, double distance, const char* eta, double portStay,
                    double zoneHours = 0.0) {
    ScheduleItem& item = schedule_.AddItem();
    item.Name = name;
    item.Distance = distance;
    item.Eta = DayOf(eta);
    item.PortStay = portStay;
    item.ZoneHours = zoneHours;
    schedule_.Recalculate();
    return item;
  }

  CVessel2 vessel_;
  MasterSchedule schedule_{vessel_};
};

// (Speed, rpm, fuel and totals of a schedule: its golden text and the schedule window.)
TEST_F(MasterScheduleTest, SingleCallHasZeroTotalsAndNoAverageSpeed) {
  Add("A", 100.0, "2026-12-01T00:00Z", 12.0);
  EXPECT_EQ(schedule_.Rows()[0].speed, "0.0 kts");
  const ScheduleTotalTexts texts = schedule_.TotalTexts();
  EXPECT_EQ(texts.distance, "       0.0 nM");
  EXPECT_EQ(texts.averageSpeed, "NA");  // no hours at sea to divide by
}

TEST_F(MasterScheduleTest, LegWithoutHoursAtSeaShowsNAAndBurnsNoFuel) {
  Add("A", 100.0, "2026-12-01T00:00Z", 24.0);
  const ScheduleItem& b = Add("B", 300.0, "2026-12-02T00:00Z", 24.0);  // arrives as A leaves
  const ScheduleItem& c = Add("C", 200.0, "2026-12-04T00:00Z", 24.0);  // 24 h at sea
  EXPECT_EQ(b.PassageHours, 0.0);
  EXPECT_TRUE(std::isnan(b.Speed));
  EXPECT_EQ(b.CallFuel, 0.0);
  EXPECT_EQ(schedule_.Rows()[1].rpm, "NA");
  // The leg's distance still counts; the fuel is the other leg's alone.
  EXPECT_DOUBLE_EQ(schedule_.Totals().distance, 500.0);
  EXPECT_DOUBLE_EQ(schedule_.Totals().fuel, c.CallFuel);
  EXPECT_EQ(schedule_.TotalTexts().averageSpeed, "20.8 kts");  // 500 nM in 24 h
}

TEST_F(MasterScheduleTest, TextOutputMatchesItsGoldenFile) {
  const FixedClock clock(UtcTime("2026-12-06T12:00:00Z"));
  const ScopedProcessClock scope(clock);
  Add("Rotterdam", 0.0, "2026-12-01T06:00Z", 30.0, 1.0);
  const ScheduleItem& newYork = Add("New York", 3600.0, "2026-12-12T12:00Z", 48.0, -5.0);
  ScheduleItem& halifax = Add("Halifax", 285.0, "2026-12-01T00:00Z", 20.0, -4.0);
  halifax.Eta = newYork.Etd;  // no time at sea
  schedule_.Recalculate();

  const test::ScratchDirectory folder;
  const std::string path = folder.PathOf("Schedule.txt");
  ASSERT_TRUE(schedule_.WriteText(path));
  EXPECT_EQ(FileText(path), FileText(std::string(KEELMARK_TEST_DATA) + "/schedule_text.txt"));
}

TEST_F(MasterScheduleTest, EmptyScheduleTextSaysNoPortsDefined) {
  EXPECT_EQ(schedule_.Text(),
            "Master Schedule created by Keelmark Route\n\nPort\t\tETA\t\tETD\t\tSpeed\n" +
                std::string(42, '-') + "\nNo ports defined\n");
}

TEST_F(MasterScheduleTest, EditAndRemoveOnAnEmptyScheduleDoNothing) {
  EXPECT_FALSE(schedule_.ApplyEdit(0, ScheduleItemEdit{}));
  EXPECT_FALSE(schedule_.RemoveItem(0));
  Add("A", 100.0, "2026-12-01T00:00Z", 24.0);
  EXPECT_FALSE(schedule_.RemoveItem(1));
  EXPECT_TRUE(schedule_.RemoveItem(0));
  EXPECT_TRUE(schedule_.Items().IsEmpty());
}

// (A damaged schedule file kept aside, never written over: the schedule window's tests.)

// --- Closest approach of storms and warnings ---

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kHour = 1.0 / 24.0;  // days
constexpr double kSecond = 1.0 / 86400.0;

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
  Waypoint* waypoint = test::AddAt<Waypoint>(voyage, latitude, longitude);
  waypoint->LegCourse = legCourse;
  waypoint->GroundSpeed = groundSpeed;
  waypoint->SetRequiredTime(requiredTime);
  waypoint->SetScheduledTime(scheduledTime);
  return waypoint;
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

// The cases of tests/data/tables/present_course_cpa.txt.
TEST_F(RouteTest, PresentCourseMeetsWhereTheClosedFormSays) {
  const auto rows = test::ReadTable("tables/present_course_cpa.txt");
  ASSERT_EQ(rows.size(), 4u);
  start_ = StartAt(0.0, 0.0, t0_, 10.0);
  start_.CourseMadeGood = 90.0;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.at(0));
    double v[7];
    for (int i = 0; i < 7; ++i) v[i] = std::stod(row.at(i + 1));
    const Storm storm = StormAt(v[0], v[1], t0_, v[2], v[3]);
    const CPosition2 cpa = PresentCourseStormCpa(storm, start_, distance_, bearing_);
    EXPECT_NEAR(cpa.GetRequiredTime(), t0_ + v[4] * kHour, 0.05 * kHour);
    EXPECT_NEAR(distance_, v[5], 0.2);
    if (!std::isnan(v[6])) {
      EXPECT_NEAR(bearing_, v[6], 0.5);
    }
    // The result is the storm where it is at that time.
    const CPosition2 stormThen = StormPositionAt(storm, cpa.GetRequiredTime());
    EXPECT_NEAR(cpa.GetLatitude(), stormThen.GetLatitude(), 1e-9);
    EXPECT_NEAR(cpa.GetLongitude(), stormThen.GetLongitude(), 1e-9);
  }
}

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
