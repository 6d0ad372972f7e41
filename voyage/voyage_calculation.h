// The voyage calculation: distances, courses, ground speeds, rpm and times of arrival of the
// route's legs from a start position to the scheduled arrival at the last waypoint.
//
// Each waypoint describes the leg that leads to it. Distances are nM, courses degrees true,
// speeds knots, times day numbers (UTC). The start position P is a PositionFix: its time is the
// start time and its course made good decides which waypoint lies ahead.
#pragma once

#include <vector>

#include "navigation/time_value.h"

namespace keelmark {

class CPosition2;
class CVessel2;
class PositionFix;
class Voyage;
class Waypoint;

// The waypoint nearest the position by great circle (the first on a tie); none when empty.
[[nodiscard]] Waypoint* NearestWaypoint(const Voyage& voyage, const CPosition2& position);

// nM within which a position counts as on a waypoint.
inline constexpr double kSamePlaceNm = 1e-6;

// The waypoint P is heading for: the nearest one, or the one after it when the nearest lies
// astern (the bearing from P to it 90 to 270 degrees off P's course made good) and is not the
// last. A P within kSamePlaceNm of the nearest waypoint heads for that waypoint.
[[nodiscard]] Waypoint* NextWaypoint(const Voyage& voyage, const PositionFix& position);

// nM from P along the route to the last waypoint; 0 for an empty route.
[[nodiscard]] double RemainingDistance(const Voyage& voyage, const PositionFix& position);

// Hours from P's time to the last waypoint's ETA; 0 for an empty route.
[[nodiscard]] double HoursRemaining(const Voyage& voyage, const CPosition2& position);

// nM from the first to the last waypoint.
[[nodiscard]] double TotalDistance(const Voyage& voyage);

// nM from the waypoint along the route to the last one, each leg by its own type (rhumb line
// or great circle); 0 for the last waypoint and for one that is not in the route.
[[nodiscard]] double DistanceToArrival(const Voyage& voyage, const Waypoint* from);

// DistanceToArrival of every waypoint, in route order, in one pass from the last waypoint back
// (a list of every waypoint's figure costs one leg each, not the whole rest of the route). The
// legs are added from the far end, so a figure may differ from DistanceToArrival's in the last
// bits of the double.
[[nodiscard]] std::vector<double> DistancesToArrival(const Voyage& voyage);

// The scheduled arrival (the last waypoint's ETA) as a local time value; now when empty.
[[nodiscard]] TimeValue ArrivalTime(const Voyage& voyage);

// Sets the scheduled arrival from a local time value; false (nothing changed) when empty.
bool SetArrivalTime(Voyage& voyage, TimeValue localTime);

// The start position for a calculation from the departure: the first waypoint's position,
// name, zone offset and departure time, with no course or speed made good.
[[nodiscard]] PositionFix DeparturePosition(const Voyage& voyage);

// Fills every leg's computed values and times of arrival from P. Impossible figures (P at or
// after the arrival, no automatic leg, a ground speed of 0) come out infinite or not-a-number
// and are shown as "NA"; nothing loops or casts on them. The document's voyage is calculated
// only through CKeelmarkRouteXPDoc::UpdateVoyage.
void CalculateVoyage(Voyage& voyage, const CVessel2& vessel, const PositionFix& start);

// CalculateVoyage from DeparturePosition.
void CalculateFromDeparture(Voyage& voyage, const CVessel2& vessel);

}  // namespace keelmark
