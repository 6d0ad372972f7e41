#include "voyage/position_fixes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "navigation/clock.h"
#include "navigation/navigation.h"
#include "records/history_list.h"
#include "records/meteo_list.h"
#include "records/vessel.h"
#include "records/voyage.h"
#include "tests/core/test_files.h"
#include "voyage/average_weather.h"
#include "voyage/vessel_model.h"

namespace keelmark {
namespace {

constexpr double kStart = 9000.0;  // day number of the first fix
constexpr double kHour = 1.0 / 24.0;

// A history whose first fix lies at 10N 020E at kStart, steered 045 at 14 kn by log, with
// each further fix `nm` along 045 and `hours` after the one before.
struct Track {
  HistoryList history;
  PositionFix* Append(double nm, double hours) {
    auto fix = std::make_unique<PositionFix>();
    const PositionFix* last = history.GetLast();
    if (last) {
      CNavigation().DeadReckonFrom(*last, *fix, 45.0, nm);
      fix->SetTime(last->GetTime() + hours * kHour);
    } else {
      fix->SetLatitude(10.0);
      fix->SetLongitude(20.0);
      fix->SetTime(kStart);
    }
    fix->SteeredCourse = 45.0;
    fix->LogSpeed = 14.0;
    return history.Add(std::move(fix));
  }
};

// A fix that already holds made-good values and a current, to see whether they are replaced.
void MarkEarlierValues(PositionFix& fix) {
  fix.CourseMadeGood = 123.0;
  fix.SpeedMadeGood = 4.5;
  fix.Weather.CurrentSet = 200.0;
  fix.Weather.CurrentRate = 3.0;
}

// --- Course and speed made good, current ---

TEST(MadeGood, FromThePreviousFix) {
  const struct {
    double nm, hours;    // run and time from the first fix, along 045
    bool updated;        // made-good values replaced
    double currentRate;  // knots, when updated
  } cases[] = {
      // 14 kn by log for 2 h is 28 nM; the fix 30 nM on: a knot of current along the track.
      {30.0, 2.0, true, 1.0},
      // Under an hour the current is cleared, but course and speed are still made good.
      {2.0, 10.0 / 60.0, true, 0.0},
      {1.0, 0.0, false, 0.0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.hours);
    Track track;
    track.Append(0.0, 0.0);
    PositionFix& fix = *track.Append(c.nm, c.hours);
    MarkEarlierValues(fix);
    const MadeGoodResult result = UpdateMadeGood(track.history, fix);
    if (!c.updated) {
      EXPECT_EQ(result, MadeGoodResult::kSpeedRefused);
      EXPECT_EQ(fix.CourseMadeGood, 123.0);
      EXPECT_EQ(fix.SpeedMadeGood, 4.5);
      EXPECT_EQ(fix.Weather.CurrentSet, 200.0);
      EXPECT_EQ(fix.Weather.CurrentRate, 3.0);
      continue;
    }
    EXPECT_EQ(result, MadeGoodResult::kUpdated);
    EXPECT_NEAR(fix.CourseMadeGood, 45.0, 1e-6);
    EXPECT_NEAR(fix.SpeedMadeGood, c.nm / c.hours, 1e-6);
    EXPECT_NEAR(fix.Weather.CurrentRate, c.currentRate, 1e-6);
    if (c.currentRate > 0.0) {
      EXPECT_NEAR(fix.Weather.CurrentSet, 45.0, 1e-3);
    }
  }
}

TEST(MadeGood, ExactlyFortyKnotsIsRefusedAndJustBelowIsTaken) {
  // 60 nM along the equator in 1.5 hours (a time exact in binary); the longitude is nudged
  // until the distance comes out as 60.0 exactly.
  HistoryList history;
  PositionFix& first = *history.Add(std::make_unique<PositionFix>());
  first.SetLatitude(0.0);
  first.SetLongitude(0.0);
  PositionFix& fix = *history.Add(std::make_unique<PositionFix>());
  fix.SetLatitude(0.0);
  fix.SetTime(0.0625);
  double longitude = 1.0;
  for (int i = 0; i < 64; ++i) {
    fix.SetLongitude(longitude);
    const double distance = CNavigation().Distance(first, fix, false);
    if (distance == 60.0) break;
    longitude = std::nextafter(longitude, distance > 60.0 ? 0.0 : 2.0);
  }
  ASSERT_EQ(CNavigation().Distance(first, fix, false) / ((0.0625 - 0.0) * 24.0), 40.0);

  EXPECT_EQ(UpdateMadeGood(history, fix), MadeGoodResult::kSpeedRefused);
  EXPECT_EQ(fix.SpeedMadeGood, 0.0);

  fix.SetTime(0.0625 + 1e-6);  // a little later: just under 40 knots
  EXPECT_EQ(UpdateMadeGood(history, fix), MadeGoodResult::kUpdated);
  EXPECT_LT(fix.SpeedMadeGood, 40.0);
  EXPECT_GT(fix.SpeedMadeGood, 39.99);
}

TEST(MadeGood, NothingWithoutAnEarlierFix) {
  Track track;
  PositionFix& only = *track.Append(0.0, 0.0);
  MarkEarlierValues(only);
  EXPECT_EQ(UpdateMadeGood(track.history, only), MadeGoodResult::kNoEarlierFix);

  // The oldest of several fixes has nothing before it either; it is not "over 40 knots".
  track.Append(30.0, 2.0);
  EXPECT_EQ(UpdateMadeGood(track.history, only), MadeGoodResult::kNoEarlierFix);
  EXPECT_EQ(only.SpeedMadeGood, 4.5);
  EXPECT_EQ(only.Weather.CurrentRate, 3.0);
}

// --- The confirmed fix ---

TEST(ConfirmFix, RunsEveryStepInOrder) {
  Track track;
  track.Append(0.0, 0.0);
  PositionFix& fix = *track.Append(0.0, 0.0);
  CVessel2 vessel;
  FixEntry entry = OpeningEntry(fix, vessel);
  PositionFix at;  // where the fix really is: 30 nM along 045 two hours on
  CNavigation().DeadReckonFrom(*track.history.GetFirst(), at, 45.0, 30.0);
  entry.latitude = at.GetLatitude();
  entry.longitude = at.GetLongitude();
  entry.time = kStart + 2.0 * kHour;
  entry.draftForward = 9.0;
  entry.draftAft = 10.0;
  entry.engineRpm = 80.0;
  entry.steeredCourse = 50.0;
  entry.weather.WindDirection = 50.0;
  entry.weather.WindSpeed = 20.0;
  MeteoList averageWeather;

  EXPECT_EQ(ConfirmFix(track.history, fix, entry, vessel, averageWeather),
            MadeGoodResult::kUpdated);

  EXPECT_EQ(fix.EngineRpm, 80.0);
  EXPECT_EQ(vessel.draftAft, 10.0);
  EXPECT_EQ(vessel.calibrationRpm, 80.0);
  // The log speed is the model's in the fix's head wind at the drafts just entered.
  EXPECT_DOUBLE_EQ(fix.LogSpeed, VesselModel(vessel).CalibrationLogSpeedInHeadWind(20.0));
  EXPECT_NEAR(fix.SpeedMadeGood, 15.0, 1e-6);
  EXPECT_NEAR(fix.Weather.CurrentRate, 1.0, 1e-6);
  // The average weather takes the estimated current, merged after the estimate.
  ASSERT_EQ(averageWeather.GetCount(), 1);
  EXPECT_NEAR(averageWeather.GetFirst()->Latest.CurrentRate, 1.0, 1e-6);
  EXPECT_EQ(averageWeather.GetFirst()->Latest.WindSpeed, 20.0);
}

// --- Proposals ---

TEST(Proposal, DeadReckonedFromTheReferenceUntilNow) {
  Track track;
  track.Append(0.0, 0.0);
  track.Append(30.0, 2.0);
  PositionFix& first = *track.history.GetFirst();
  first.SetZoneOffset(2.0 * kHour);
  const FixedClock clock(CNavigation().TimeFromDayNumber(kStart + 3.0 * kHour));
  const ScopedProcessClock scope(clock);

  PositionFix* inserted = ProposeFixAfter(track.history, first);
  EXPECT_EQ(track.history.IndexOf(inserted), 1);
  EXPECT_NEAR(inserted->GetTime(), kStart + 3.0 * kHour, 1e-9);
  EXPECT_EQ(inserted->GetZoneOffset(), 2.0 * kHour);
  PositionFix expected;  // 3 hours at 14 knots on 045
  CNavigation().DeadReckonFrom(first, expected, 45.0, 42.0);
  EXPECT_NEAR(inserted->GetLatitude(), expected.GetLatitude(), 1e-6);
  EXPECT_NEAR(inserted->GetLongitude(), expected.GetLongitude(), 1e-6);
  HistoryList empty;
  EXPECT_NEAR(ProposeLatestFix(empty)->GetTime(), kStart + 3.0 * kHour, 1e-9);
}

// --- Pruning ---

// (Pruning the history: data_safety_test.cpp.)

// --- Performance ---

// Three fixes north along 020E: 30 nM in 3 hours at 60 rpm, then 10 nM in 1 hour at 100 rpm.
// (The swapped order and a period of one fix: tests/cli/voyage_cli_test.cpp.)
TEST(Performance, FiguresOverThePeriodAndRemainingFromTheTillFixAlongTheRoute) {
  HistoryList history;
  for (const auto& [latitude, hours, rpm] :
       {std::tuple{0.0, 0.0, 60.0}, std::tuple{0.5, 3.0, 100.0},
        std::tuple{40.0 / 60, 4.0, 999.0}}) {
    PositionFix* fix = test::AddAt<PositionFix>(history, latitude, 20.0);
    fix->SetTime(kStart + hours * kHour);
    fix->EngineRpm = rpm;
  }
  Voyage voyage;
  PerformanceTexts texts = PerformanceFigures(history, voyage, 0, 2);
  EXPECT_EQ(texts.distanceMade, "    40.0 nM");
  EXPECT_EQ(texts.averageSpeed, "10.0 kts");
  EXPECT_EQ(texts.engineRpm, "70.0 rpm");  // (60 x 30 + 100 x 10) / 40
  EXPECT_EQ(texts.requiredSpeed, "NA");
  EXPECT_EQ(PerformanceFigures(HistoryList(), voyage, 0, 0).distanceMade, "NA");

  for (double latitude : {-2.0, 1.5}) test::AddAt<Waypoint>(voyage, latitude, 20.0);
  voyage.GetLast()->SetScheduledTime(kStart + 4.0 * kHour + 10.0 * kHour);
  texts = PerformanceFigures(history, voyage, 0, 1);
  EXPECT_EQ(texts.distanceRemaining, "    60.0 nM");  // from 0.5N to the last waypoint
  EXPECT_EQ(texts.hoursRemaining, "    11.0 hrs");
  EXPECT_EQ(texts.requiredSpeed, "5.5 kts");
}

}  // namespace
}  // namespace keelmark
