// Closest point of approach (CPA) of the planned voyage to a storm and to a navigational
// warning position.
//
// Times are day numbers (UTC), distances nM, bearings degrees true. The start position P is the
// latest fix or one built for the departure; the ship runs the route from it using the
// waypoints' computed leg courses, ground speeds and times of arrival for constant rpm. Each
// result is a position carrying the time of CPA in its RequiredTime (zone offset 0); none when
// the route has fewer than two waypoints.
#pragma once

#include <optional>

#include "records/position.h"
#include "records/position_fix.h"

namespace keelmark {

class Storm;
class Voyage;
class Waypoint;

// The start of a closest approach from the departure: the departure position (the first
// waypoint's position, name, zone offset and departure time) making good the ground speed and
// leg course of the leg that leaves it (waypoint 1's, as the voyage calculation left them), so
// that the ship runs the first leg at its planned speed. A route of one waypoint or none gives
// the departure position with nothing made good.
[[nodiscard]] PositionFix DepartureCpaStart(const Voyage& voyage);

// The waypoint the ship makes for from P: NextWaypoint, except that the first waypoint (the
// departure, which ends no leg and whose leg course and ground speed mean nothing) gives the
// waypoint after it. None for an empty route.
[[nodiscard]] const Waypoint* WaypointAhead(const Voyage& voyage, const PositionFix& position);

// The storm's position at a day number: dead reckoned from its observed position and time
// along its course at its speed. A time before the observation moves it back along its track;
// a storm with no speed stays where it was seen, whatever the time.
[[nodiscard]] CPosition2 StormPositionAt(const Storm& storm, double dayNumber);

// The storm's position at the CPA. The ship runs at P's speed made good on every leg: first
// from P towards the waypoint ahead, then from each waypoint at its time of arrival for
// constant rpm. On each leg the storm is projected onto the track (clamped to the leg's ends)
// and the storm's position at the time the ship reaches that point is compared. distanceNm
// and bearingDegrees get the distance and the great-circle bearing of the storm from the ship
// at the CPA. A speed made good of 0 gives an infinite time of CPA, unless the CPA is at P.
[[nodiscard]] std::optional<CPosition2> StormCpa(const Storm& storm, const Voyage& voyage,
                                                 const PositionFix& start, double& distanceNm,
                                                 double& bearingDegrees);

// The CPA when the ship leaves the voyage and holds P's course and speed made good in a straight
// line from P's time: the storm and the ship are two steady movers, and the time of CPA is
// found in closed form on the flat plane of nM east and north around P (the storm's place at
// P's time by rhumb line, both velocities in knots). Two movers already opening, or with no
// relative motion, are nearest at P's time. The outputs are StormCpa's: the storm's position at
// CPA with the time in RequiredTime, and the great-circle distance and bearing of the storm
// from the ship there.
[[nodiscard]] CPosition2 PresentCourseStormCpa(const Storm& storm, const PositionFix& start,
                                               double& distanceNm, double& bearingDegrees);

// The ship's position at the CPA to a warning position, found by stepping the ship along the
// route every stepHours (at the ground speed and on the leg course of the waypoint ahead)
// until the last waypoint's ETA; the CPA is only as fine as the distance run in one step.
// When P's time is not before that ETA the result is the warning position at P's time and
// distanceNm and bearingDegrees keep what the caller gave them. None as well when the step is
// not a positive finite number of hours, or P's time or the ETA has no value; at most
// kMaximumWarningSteps steps are taken.
[[nodiscard]] std::optional<CPosition2> WarningCpa(const CPosition2& warning, const Voyage& voyage,
                                                   const PositionFix& start, double stepHours,
                                                   double& distanceNm, double& bearingDegrees);

// The step the printouts use, hours.
inline constexpr double kWarningCpaStepHours = 10.0;
// The most steps WarningCpa takes, whatever the span of the voyage and the step.
inline constexpr int kMaximumWarningSteps = 100000;

}  // namespace keelmark
