#include "voyage/closest_approach.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "navigation/navigation.h"
#include "records/position_fix.h"
#include "records/storm.h"
#include "records/voyage.h"
#include "voyage/voyage_calculation.h"

namespace keelmark {
namespace {

// The along-track projection turns degrees into radians with 1/57.3, as the graphics do.
constexpr double kProjectionRadiansPerDegree = 0.017452006980802792;

// Where a warning CPA search starts: farther than anything on earth, nM.
constexpr double kNoApproachYetNm = 4.0e12;

// The ship's run, nM along a leg, to the foot point of a target lying rangeNm away on
// bearingDegrees from the leg's start, clamped to the leg (0 to legLengthNm).
double AlongTrack(double bearingDegrees, double legCourseDegrees, double rangeNm,
                  double legLengthNm) {
  double along =
      std::cos((bearingDegrees - legCourseDegrees) * kProjectionRadiansPerDegree) * rangeNm;
  if (along > legLengthNm) along = legLengthNm;
  if (along < 0.0) along = 0.0;
  return along;
}

// Hours to run distanceNm at speedKnots. Running nothing takes no time, even at no speed.
double HoursToRun(double distanceNm, double speedKnots) {
  return distanceNm == 0.0 ? 0.0 : distanceNm / speedKnots;
}

// A result position: the place and the time of CPA (in RequiredTime).
CPosition2 CpaPosition(const CPosition2& place, double dayNumber) {
  CPosition2 result;
  result.SetLatitude(place.GetLatitude());
  result.SetLongitude(place.GetLongitude());
  result.SetRequiredTime(dayNumber);
  return result;
}

// The nearest approach to a storm on one leg: the ship and the storm when the ship reaches the
// storm's foot point on the leg, and that time.
struct LegApproach {
  CPosition2 ship;
  CPosition2 storm;
  double time = 0.0;  // day number
};

// The leg runs from legStart (left at startTime, a day number) towards legEnd by rhumb line at
// speedKnots. The storm's bearing from the leg's start is taken by great circle or by rhumb line.
LegApproach ApproachOnLeg(const CNavigation& navigation, const Storm& storm,
                          const CPosition2& legStart, const CPosition2& legEnd, double startTime,
                          double speedKnots, bool greatCircleBearing) {
  const double legCourse = navigation.Course(legStart, legEnd, false);
  const double legLength = navigation.Distance(legStart, legEnd, false);
  const CPosition2 seen = StormPositionAt(storm, startTime);
  const double along = AlongTrack(navigation.Course(legStart, seen, greatCircleBearing), legCourse,
                                  navigation.Distance(legStart, seen, true), legLength);
  LegApproach approach;
  approach.time = startTime + HoursToRun(along, speedKnots) / 24.0;
  navigation.DeadReckonFrom(legStart, approach.ship, legCourse, along);
  approach.storm = StormPositionAt(storm, approach.time);
  return approach;
}

}  // namespace

PositionFix DepartureCpaStart(const Voyage& voyage) {
  PositionFix start = DeparturePosition(voyage);
  if (voyage.GetCount() >= 2) {
    const Waypoint& firstLeg = *voyage.GetAt(1);
    start.SpeedMadeGood = firstLeg.GroundSpeed;
    start.CourseMadeGood = firstLeg.LegCourse;
  }
  return start;
}

const Waypoint* WaypointAhead(const Voyage& voyage, const PositionFix& position) {
  const Waypoint* ahead = NextWaypoint(voyage, position);
  if (ahead && ahead == voyage.GetFirst() && voyage.GetCount() > 1) return voyage.GetAt(1);
  return ahead;
}

CPosition2 StormPositionAt(const Storm& storm, double dayNumber) {
  CPosition2 position;
  position.SetLatitude(storm.GetLatitude());
  position.SetLongitude(storm.GetLongitude());
  // A storm that does not move stays put even at a time that has no value.
  if (storm.Speed != 0.0) {
    const double distance = (dayNumber - storm.GetTime()) * storm.Speed * 24.0;
    CNavigation().DeadReckon(position, distance, storm.Course);
  }
  return position;
}

std::optional<CPosition2> StormCpa(const Storm& storm, const Voyage& voyage,
                                   const PositionFix& start, double& distanceNm,
                                   double& bearingDegrees) {
  if (voyage.GetCount() < 2) return std::nullopt;
  const CNavigation navigation;
  const double speed = start.SpeedMadeGood;
  const Waypoint* ahead = WaypointAhead(voyage, start);

  // The leg under way: from P towards the waypoint ahead, the storm's bearing by great circle.
  const LegApproach first =
      ApproachOnLeg(navigation, storm, start, *ahead, start.GetTime(), speed, true);
  bearingDegrees = navigation.Course(first.ship, first.storm, true);
  distanceNm = navigation.Distance(first.ship, first.storm, true);
  CPosition2 result = CpaPosition(first.storm, first.time);

  // The legs after it, each entered at its start's time of arrival for constant rpm.
  auto leg = std::find_if(voyage.begin(), voyage.end(),
                          [ahead](const auto& waypoint) { return waypoint.get() == ahead; });
  for (; leg != voyage.end() && std::next(leg) != voyage.end(); ++leg) {
    const Waypoint& from = **leg;
    const Waypoint& to = **std::next(leg);
    const LegApproach approach =
        ApproachOnLeg(navigation, storm, from, to, from.GetRequiredTime(), speed, false);
    const double d = navigation.Distance(approach.ship, approach.storm, true);
    if (d < distanceNm) {
      bearingDegrees = navigation.Course(approach.ship, approach.storm, true);
      distanceNm = d;
      result = CpaPosition(approach.storm, approach.time);
    }
  }
  return result;
}

CPosition2 PresentCourseStormCpa(const Storm& storm, const PositionFix& start, double& distanceNm,
                                 double& bearingDegrees) {
  const CNavigation navigation;
  const double t0 = start.GetTime();
  const CPosition2 seen = StormPositionAt(storm, t0);
  // The storm relative to the ship at P's time, and its motion relative to the ship, nM and kn.
  const double course = navigation.DegToRad(navigation.Course(start, seen, false));
  const double range = navigation.Distance(start, seen, false);
  const double east = std::sin(course) * range;
  const double north = std::cos(course) * range;
  const double stormCourse = navigation.DegToRad(storm.Course);
  const double shipCourse = navigation.DegToRad(start.CourseMadeGood);
  const double closingEast =
      std::sin(stormCourse) * storm.Speed - std::sin(shipCourse) * start.SpeedMadeGood;
  const double closingNorth =
      std::cos(stormCourse) * storm.Speed - std::cos(shipCourse) * start.SpeedMadeGood;
  const double closingSquared = closingEast * closingEast + closingNorth * closingNorth;
  double hours = 0.0;
  if (closingSquared > 0.0) hours = -(east * closingEast + north * closingNorth) / closingSquared;
  if (!(hours > 0.0)) hours = 0.0;  // opening already, or no number

  const double t = t0 + hours / 24.0;
  CPosition2 ship;
  navigation.DeadReckonFrom(start, ship, start.CourseMadeGood, start.SpeedMadeGood * hours);
  const CPosition2 at = StormPositionAt(storm, t);
  distanceNm = navigation.Distance(ship, at, true);
  bearingDegrees = navigation.Course(ship, at, true);
  return CpaPosition(at, t);
}

std::optional<CPosition2> WarningCpa(const CPosition2& warning, const Voyage& voyage,
                                     const PositionFix& start, double stepHours, double& distanceNm,
                                     double& bearingDegrees) {
  if (voyage.GetCount() < 2) return std::nullopt;
  double t = start.GetTime();
  const double end = voyage.GetLast()->GetScheduledTime();
  // The loop below counts on a step that moves time forward and on ends it can reach.
  if (!(std::isfinite(stepHours) && stepHours > 0.0) || !std::isfinite(t) || !std::isfinite(end)) {
    return std::nullopt;
  }
  const CNavigation navigation;
  double smallest = kNoApproachYetNm;
  PositionFix ship = start;
  CPosition2 result = CpaPosition(warning, t);
  for (int steps = 0; t < end && steps < kMaximumWarningSteps; ++steps) {
    const Waypoint* ahead = WaypointAhead(voyage, ship);
    navigation.DeadReckon(ship, stepHours * ahead->GroundSpeed, ahead->LegCourse);
    const double d = navigation.Distance(ship, warning, true);
    if (d < smallest) {
      smallest = d;
      distanceNm = d;
      bearingDegrees = navigation.Course(ship, warning, true);
      result = CpaPosition(ship, t + stepHours / 24.0);
    }
    t = t + stepHours / 24.0;
  }
  return result;
}

}  // namespace keelmark
