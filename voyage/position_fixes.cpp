#include "voyage/position_fixes.h"

#include <memory>
#include <utility>
#include <vector>

#include "navigation/navigation.h"
#include "navigation/text_format.h"
#include "records/history_list.h"
#include "records/meteo_list.h"
#include "records/vessel.h"
#include "records/voyage.h"
#include "voyage/average_weather.h"
#include "voyage/fix_current.h"
#include "voyage/vessel_model.h"
#include "voyage/voyage_calculation.h"

namespace keelmark {
namespace {

// A speed made good of this or more is taken for a wrong fix, not for the ship's speed.
constexpr double kHighestSpeedMadeGood = 40.0;  // knots

constexpr const char* kDistanceFormat = "%8.1f nM";
constexpr const char* kHoursFormat = "%8.1f hrs";
constexpr const char* kRpmFormat = "%3.1f rpm";
constexpr const char* kRequiredSpeedFormat = "%3.1f kts";

// A new fix at the present time, named, dead-reckoned from the reference (when there is one).
std::unique_ptr<PositionFix> Proposal(const char* name, const PositionFix* reference) {
  const CNavigation navigation;
  auto fix = std::make_unique<PositionFix>();
  fix->SetName(name);
  fix->SetTime(navigation.UtcDayNumberNow());
  if (reference) {
    fix->SetZoneOffset(reference->GetZoneOffset());
    fix->SetLatitude(reference->GetLatitude());
    fix->SetLongitude(reference->GetLongitude());
    const double hours = (fix->GetTime() - reference->GetTime()) * 24.0;
    navigation.DeadReckon(*fix, reference->LogSpeed * hours, reference->SteeredCourse);
  }
  return fix;
}

// Calls visit(a, b) for each pair of consecutive fixes from the earlier of the two list
// indexes to the later; nothing when either index is -1.
template <typename Visit>
void ForEachLeg(const HistoryList& history, int fromIndex, int tillIndex, Visit visit) {
  if (fromIndex < 0 || tillIndex < 0) return;
  if (tillIndex < fromIndex) std::swap(fromIndex, tillIndex);
  const PositionFix* previous = nullptr;
  int index = 0;
  for (const auto& fix : history) {
    if (index > tillIndex) break;
    if (index >= fromIndex) {
      if (previous) visit(*previous, *fix);
      previous = fix.get();
    }
    ++index;
  }
}

double LegsDistance(const HistoryList& history, int fromIndex, int tillIndex) {
  const CNavigation navigation;
  double total = 0.0;
  ForEachLeg(history, fromIndex, tillIndex, [&](const PositionFix& a, const PositionFix& b) {
    total += navigation.Distance(a, b, false);
  });
  return total;
}

}  // namespace

PositionFix* ProposeLatestFix(HistoryList& history) {
  return history.Add(Proposal(kLatestFixName, history.GetLast()));
}

PositionFix* ProposeFixAfter(HistoryList& history, const PositionFix& reference) {
  return history.InsertAfter(&reference, Proposal(kFixName, &reference));
}

MadeGoodResult UpdateMadeGood(const HistoryList& history, PositionFix& fix) {
  // GetPrevious would give the fix itself for the oldest one: 0 nM in 0 hours, which is no
  // speed at all and must not be reported as one above 40 knots.
  if (history.IndexOf(&fix) < 1) return MadeGoodResult::kNoEarlierFix;
  const PositionFix& previous = *history.GetPrevious(&fix);
  const CNavigation navigation;
  const double distance = navigation.Distance(previous, fix, false);
  const double course = navigation.Course(previous, fix, false);
  const double speed = distance / HoursBetween(history, previous, fix);
  if (!(speed < kHighestSpeedMadeGood)) return MadeGoodResult::kSpeedRefused;
  fix.CourseMadeGood = course;
  fix.SpeedMadeGood = speed;
  EstimateCurrent(previous, fix);
  return MadeGoodResult::kUpdated;
}

void EstimateLogSpeed(const CVessel2& vessel, PositionFix& fix) {
  const double rpm = fix.EngineRpm;
  const VesselModel model(vessel);
  const double resistance =
      model.HullResistanceAt(rpm) +
      model.AirResistance(rpm, fix.SteeredCourse, fix.Weather.WindDirection, fix.Weather.WindSpeed);
  fix.LogSpeed = model.LogSpeed(rpm, resistance);
}

FixEntry OpeningEntry(const PositionFix& fix, const CVessel2& vessel) {
  FixEntry entry;
  entry.name = fix.GetName();
  entry.time = fix.GetTime();
  entry.zoneOffset = fix.GetZoneOffset();
  entry.latitude = fix.GetLatitude();
  entry.longitude = fix.GetLongitude();
  entry.draftForward = vessel.draftForward;
  entry.draftAft = vessel.draftAft;
  entry.engineRpm = fix.EngineRpm;
  entry.steeredCourse = fix.SteeredCourse;
  entry.weather = fix.Weather;
  return entry;
}

MadeGoodResult ConfirmFix(HistoryList& history, PositionFix& fix, const FixEntry& entry,
                          CVessel2& vessel, MeteoList& averageWeather) {
  fix.SetName(entry.name);
  fix.SetTime(entry.time);
  fix.SetZoneOffset(entry.zoneOffset);
  fix.SetLatitude(entry.latitude);
  fix.SetLongitude(entry.longitude);
  fix.DraftAft = entry.draftAft;
  fix.EngineRpm = entry.engineRpm;
  fix.SteeredCourse = entry.steeredCourse;
  const double currentSet = fix.Weather.CurrentSet;
  const double currentRate = fix.Weather.CurrentRate;
  fix.Weather = entry.weather;
  fix.Weather.CurrentSet = currentSet;
  fix.Weather.CurrentRate = currentRate;

  vessel.draftAft = entry.draftAft;
  vessel.draftForward = entry.draftForward;
  vessel.calibrationRpm = entry.engineRpm;
  vessel.calibrationHeading = entry.steeredCourse;

  EstimateLogSpeed(vessel, fix);

  const MadeGoodResult madeGood = UpdateMadeGood(history, fix);
  AddFixObservation(averageWeather, fix);
  return madeGood;
}

bool PruneHistory(HistoryList& history, double days) {
  const PositionFix* last = history.GetLast();
  if (!last || !(days >= 1.0)) return true;
  const double cutoff = last->GetTime() - days;
  history.RemoveIf(
      [last, cutoff](const PositionFix& fix) { return &fix != last && fix.GetTime() < cutoff; });
  return true;
}

double DistanceMade(const HistoryList& history, const PositionFix& from, const PositionFix& till) {
  return LegsDistance(history, history.IndexOf(&from), history.IndexOf(&till));
}

double HoursBetween(const HistoryList& history, const PositionFix& from, const PositionFix& till) {
  return history.HoursBetween(from, till);
}

double AverageRpm(const HistoryList& history, int fromIndex, int tillIndex) {
  const int from = history.IndexOf(history.GetAt(fromIndex));
  const int till = history.IndexOf(history.GetAt(tillIndex));
  const CNavigation navigation;
  double weighted = 0.0;
  double total = 0.0;
  ForEachLeg(history, from, till, [&](const PositionFix& a, const PositionFix& b) {
    const double distance = navigation.Distance(a, b, false);
    weighted += a.EngineRpm * distance;
    total += distance;
  });
  return weighted / total;
}

PerformancePeriod MeasurePerformance(const HistoryList& history, const Voyage& voyage,
                                     int fromIndex, int tillIndex) {
  PerformancePeriod period;
  const PositionFix* from = history.GetAt(fromIndex);
  const PositionFix* till = history.GetAt(tillIndex);
  if (!from || !till) return period;
  // The period runs forward through the list; a till-fix chosen before the from-fix is
  // the period's start.
  if (history.IndexOf(till) < history.IndexOf(from)) std::swap(from, till);
  period.from = from;
  period.till = till;
  period.sameFix = from == till;
  period.distanceMade = DistanceMade(history, *from, *till);
  period.hours = HoursBetween(history, *from, *till);
  period.averageSpeed = period.distanceMade / period.hours;
  period.averageRpm = AverageRpm(history, history.IndexOf(from), history.IndexOf(till));
  period.routeKnown = voyage.GetCount() > 1;
  if (period.routeKnown) {
    period.distanceRemaining = RemainingDistance(voyage, *till);
    period.hoursRemaining = HoursRemaining(voyage, *till);
    period.requiredSpeed = period.distanceRemaining / period.hoursRemaining;
  }
  return period;
}

PerformanceTexts PerformanceFigures(const HistoryList& history, const Voyage& voyage, int fromIndex,
                                    int tillIndex) {
  const PerformancePeriod period = MeasurePerformance(history, voyage, fromIndex, tillIndex);
  PerformanceTexts texts{kNotAvailable, kNotAvailable, kNotAvailable, kNotAvailable,
                         kNotAvailable, kNotAvailable, kNotAvailable};
  if (!period.sameFix) {
    texts.distanceMade = FormatNumber(kDistanceFormat, period.distanceMade);
    texts.hours = FormatNumber(kHoursFormat, period.hours);
    texts.averageSpeed = FormatNumber(kKnotsFormat, period.averageSpeed);
    texts.engineRpm = FormatNumber(kRpmFormat, period.averageRpm);
  }
  if (period.routeKnown) {
    texts.distanceRemaining = FormatNumber(kDistanceFormat, period.distanceRemaining);
    texts.hoursRemaining = FormatNumber(kHoursFormat, period.hoursRemaining);
    texts.requiredSpeed = FormatNumber(kRequiredSpeedFormat, period.requiredSpeed);
  }
  return texts;
}

}  // namespace keelmark
