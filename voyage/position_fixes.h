// Position fixes: proposing a fix, the steps a confirmed fix goes through (log speed, course
// and speed made good, current, average weather), pruning the history and the Performance
// dialog's figures.
//
// Times are day numbers (UTC), positions decimal degrees, distances nM, speeds knots,
// intervals hours, courses degrees true.
#pragma once

#include <string>

#include "records/weather_conditions.h"

namespace keelmark {

class CVessel2;
class HistoryList;
class MeteoList;
class PositionFix;
class Voyage;

// Names of a proposed fix.
inline constexpr const char* kLatestFixName = "Latest Position Fix";
inline constexpr const char* kFixName = "Position Fix";

// Appends a fix named "Latest Position Fix" at the present time, dead-reckoned from the last
// fix (its position and zone offset, run on its course steered at its log speed until now).
// In an empty history there is nothing to reckon from: the fix stands at the default position
// (45N 005E) with zone offset 0 and the present time. The new fix, owned by the history.
PositionFix* ProposeLatestFix(HistoryList& history);

// Inserts a fix named "Position Fix" at the present time after the reference, dead-reckoned
// from it the same way (appended when the reference is not in the history). The new fix, owned
// by the history.
PositionFix* ProposeFixAfter(HistoryList& history, const PositionFix& reference);

// Course and speed made good from the fix before this one (rhumb line), and the current
// estimated over the same run. A speed of 40 knots or more, or one that is no number at all
// (two fixes at the same time), is refused: the fix keeps its made-good values and current and
// the caller shows kSpeedRefusedMessage. Nothing changes when no fix precedes this one (fewer
// than two fixes, or the fix is the oldest or not in the history).
enum class MadeGoodResult { kNoEarlierFix, kUpdated, kSpeedRefused };
inline constexpr const char* kSpeedRefusedMessage =
    "Groundspeed exceeding 40 kts\nCourse and speed not updated";
MadeGoodResult UpdateMadeGood(const HistoryList& history, PositionFix& fix);

// The fix's log speed from the vessel model at its engine setting and course steered: hull and
// air resistance (the fix's wind), no wave term.
void EstimateLogSpeed(const CVessel2& vessel, PositionFix& fix);

// What the fix editor hands over when it is confirmed.
struct FixEntry {
  std::string name;
  double time = 0.0;            // day number, UTC
  double zoneOffset = 0.0;      // days
  double latitude = 45.0;       // degrees, north positive
  double longitude = 5.0;       // degrees, east positive
  double draftForward = 12.75;  // m
  double draftAft = 12.85;      // m
  double engineRpm = 0.0;       // rpm
  double steeredCourse = 0.0;   // degrees true
  // The observed weather. Its current is not taken: the current of a fix is always the one
  // estimated from the run since the previous fix.
  WeatherConditions weather;
};

// What the fix editor opens with: the fix's own values, and the drafts of the vessel (the
// ship's present condition) rather than the fix's draft aft.
[[nodiscard]] FixEntry OpeningEntry(const PositionFix& fix, const CVessel2& vessel);

// The steps of a confirmed fix, in this order: the entry goes into the fix; the vessel takes
// the drafts, the engine setting (calibrationRpm) and the course steered (calibrationHeading)
// as its present condition; the fix's log speed is estimated from the model with the hull and
// air terms (no wave term); UpdateMadeGood; the fix's weather and current are merged into the
// average weather. The fix must already be in the history. Recalculating the voyage is the
// caller's part (the document's: from the present position once under way, else from the
// departure). The result is UpdateMadeGood's.
MadeGoodResult ConfirmFix(HistoryList& history, PositionFix& fix, const FixEntry& entry,
                          CVessel2& vessel, MeteoList& averageWeather);

// Removes every fix but the last whose time lies more than `days` before the last fix's time;
// fixes at or after that cutoff stay. An empty history is left alone, and so is any history
// when `days` is below 1 (a hand-edited setting must never empty the history). Always true.
bool PruneHistory(HistoryList& history, double days);

// A fix may lie at most this far after the clock (days): a fix further ahead is a typing error
// (a wrong year or month) that would make every later prune empty the history.
inline constexpr double kLargestFixLead = 1.0;
inline constexpr const char* kFixAheadMessage =
    "The time of this position fix lies more than 24 hours after the computer's clock";
// True when a fix at `fixDay` lies more than kLargestFixLead after `nowDay` (day numbers).
[[nodiscard]] constexpr bool FixLiesAhead(double fixDay, double nowDay) {
  return fixDay > nowDay + kLargestFixLead;
}

// nM along the history (rhumb line, fix to fix) between two of its fixes, whichever comes first
// in the list; 0 when they are the same fix or either is not in the history.
[[nodiscard]] double DistanceMade(const HistoryList& history, const PositionFix& from,
                                  const PositionFix& till);

// Hours from the from-fix's time to the till-fix's time.
[[nodiscard]] double HoursBetween(const HistoryList& history, const PositionFix& from,
                                  const PositionFix& till);

// The engine rpm over the fixes between two list indexes (either order), each leg between
// consecutive fixes weighted by its length and carrying the rpm of its first fix. An index
// outside the list stands for the last fix. Not a number when the legs have no length.
[[nodiscard]] double AverageRpm(const HistoryList& history, int fromIndex, int tillIndex);

// The Performance dialog's figures between two fixes chosen by list index (an index outside
// the list stands for the last fix). A till-fix listed before the from-fix is taken as the
// start of the period (the two are swapped).
struct PerformancePeriod {
  const PositionFix* from = nullptr;  // none in an empty history
  const PositionFix* till = nullptr;
  bool sameFix = true;             // from and till are one fix (or there are none)
  double distanceMade = 0.0;       // nM
  double hours = 0.0;              // h
  double averageSpeed = 0.0;       // knots
  double averageRpm = 0.0;         // rpm
  bool routeKnown = false;         // the route has more than one waypoint
  double distanceRemaining = 0.0;  // nM from the till-fix along the route
  double hoursRemaining = 0.0;     // h from the till-fix to the scheduled arrival
  double requiredSpeed = 0.0;      // knots
};
[[nodiscard]] PerformancePeriod MeasurePerformance(const HistoryList& history, const Voyage& voyage,
                                                   int fromIndex, int tillIndex);

// The dialog's result texts: "NA" for the first four when from and till are one fix, for the
// last three when the route has fewer than two waypoints, and for every number that is not
// finite.
struct PerformanceTexts {
  std::string distanceMade;       // "Distance made:"
  std::string hours;              // "hours:"
  std::string averageSpeed;       // "Average speed:"
  std::string engineRpm;          // "Engine rpm:"
  std::string distanceRemaining;  // "Distance remaining:"
  std::string hoursRemaining;     // "hours remaining:"
  std::string requiredSpeed;      // "Required speed:"
};
[[nodiscard]] PerformanceTexts PerformanceFigures(const HistoryList& history, const Voyage& voyage,
                                                  int fromIndex, int tillIndex);

}  // namespace keelmark
