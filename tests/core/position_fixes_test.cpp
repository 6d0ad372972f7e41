#include "voyage/position_fixes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "navigation/clock.h"
#include "navigation/navigation.h"
#include "records/history_list.h"
#include "records/meteo_list.h"
#include "records/vessel.h"
#include "records/voyage.h"
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

struct MadeGoodCase {
  const char* name;
  double nm;           // run from the first fix, along 045
  double hours;        // after the first fix
  bool updated;        // made-good values replaced
  double currentRate;  // knots, when updated
};

class MadeGood : public testing::TestWithParam<MadeGoodCase> {};

TEST_P(MadeGood, FromThePreviousFix) {
  const MadeGoodCase& c = GetParam();
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
    return;
  }
  EXPECT_EQ(result, MadeGoodResult::kUpdated);
  EXPECT_NEAR(fix.CourseMadeGood, 45.0, 1e-6);
  EXPECT_NEAR(fix.SpeedMadeGood, c.nm / c.hours, 1e-6);
  EXPECT_NEAR(fix.Weather.CurrentRate, c.currentRate, 1e-6);
  if (c.currentRate > 0.0) {
    EXPECT_NEAR(fix.Weather.CurrentSet, 45.0, 1e-3);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Fixes, MadeGood,
    testing::Values(
        // 14 kn by log for 2 h is 28 nM; the fix 30 nM on: a knot of current along the track.
        MadeGoodCase{"TwoHours30Miles", 30.0, 2.0, true, 1.0},
        // Under an hour the current is cleared, but course and speed are still made good.
        MadeGoodCase{"TenMinutes", 2.0, 10.0 / 60.0, true, 0.0},
        MadeGoodCase{"SameTime", 1.0, 0.0, false, 0.0}),
    [](const auto& row) { return std::string(row.param.name); });

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

  const PositionFix* latest = ProposeLatestFix(track.history);
  EXPECT_EQ(latest, track.history.GetLast());

  HistoryList empty;
  EXPECT_NEAR(ProposeLatestFix(empty)->GetTime(), kStart + 3.0 * kHour, 1e-9);
}

// --- Pruning ---

struct PruneCase {
  std::vector<double> days;  // fix times
  double period;
  std::vector<double> kept;
};

class Prune : public testing::TestWithParam<PruneCase> {};

TEST_P(Prune, KeepsTheLastFixAndEveryFixFromTheCutoff) {
  HistoryList history;
  for (double day : GetParam().days) history.Add(std::make_unique<PositionFix>())->SetTime(day);
  EXPECT_TRUE(PruneHistory(history, GetParam().period));
  std::vector<double> kept;
  for (const auto& fix : history) kept.push_back(fix->GetTime());
  EXPECT_EQ(kept, GetParam().kept);
}

INSTANTIATE_TEST_SUITE_P(Periods, Prune,
                         testing::Values(PruneCase{{0, 10, 20, 40, 50}, 30, {20, 40, 50}},
                                         PruneCase{{0, 100}, 30, {100}}, PruneCase{{}, 30, {}}));

// --- Performance ---

// Three fixes north along 020E: 30 nM in 3 hours at 60 rpm, then 10 nM in 1 hour at 100 rpm.
struct Period {
  HistoryList history;
  Voyage voyage;
  Period() {
    const double latitudes[] = {0.0, 0.5, 30.0 / 60.0 + 10.0 / 60.0};
    const double times[] = {kStart, kStart + 3.0 * kHour, kStart + 4.0 * kHour};
    const double rpms[] = {60.0, 100.0, 999.0};
    for (int i = 0; i < 3; ++i) {
      PositionFix* fix = history.Add(std::make_unique<PositionFix>());
      fix->SetLatitude(latitudes[i]);
      fix->SetLongitude(20.0);
      fix->SetTime(times[i]);
      fix->EngineRpm = rpms[i];
    }
  }
};

TEST(Performance, FiguresOverThePeriodInEitherOrderAndNoneForOneFix) {
  Period p;
  for (const auto& [from, till] : {std::pair{0, 2}, std::pair{2, 0}}) {
    const PerformanceTexts texts = PerformanceFigures(p.history, p.voyage, from, till);
    EXPECT_EQ(texts.distanceMade, "    40.0 nM") << from;
    EXPECT_EQ(texts.averageSpeed, "10.0 kts") << from;
    EXPECT_EQ(texts.engineRpm, "70.0 rpm") << from;  // (60 x 30 + 100 x 10) / 40
    EXPECT_EQ(texts.requiredSpeed, "NA");
  }
  EXPECT_DOUBLE_EQ(AverageRpm(p.history, 1, 2), 100.0);

  // One fix is no period; neither is an empty history.
  const PerformanceTexts one = PerformanceFigures(p.history, p.voyage, 1, 1);
  for (const std::string& text : {one.distanceMade, one.hours, one.averageSpeed, one.engineRpm}) {
    EXPECT_EQ(text, "NA");
  }
  EXPECT_EQ(PerformanceFigures(HistoryList(), p.voyage, 0, 0).distanceMade, "NA");
}

TEST(Performance, RemainingFromTheTillFixAlongTheRoute) {
  Period p;
  for (double latitude : {-2.0, 1.5}) {
    Waypoint* w = p.voyage.Add(std::make_unique<Waypoint>());
    w->SetLatitude(latitude);
    w->SetLongitude(20.0);
  }
  p.voyage.GetLast()->SetScheduledTime(kStart + 4.0 * kHour + 10.0 * kHour);
  const PerformanceTexts texts = PerformanceFigures(p.history, p.voyage, 0, 1);
  EXPECT_EQ(texts.distanceRemaining, "    60.0 nM");  // from 0.5N to the last waypoint
  EXPECT_EQ(texts.hoursRemaining, "    11.0 hrs");
  EXPECT_EQ(texts.requiredSpeed, "5.5 kts");
}

}  // namespace
}  // namespace keelmark
