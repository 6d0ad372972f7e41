// Route edits: the waypoint commands beyond insert, edit and delete (insert before, move up
// and down, reverse the route) and taking over an imported route. Each brings the voyage up to
// date afterwards, as every edit of the route does.
#pragma once

#include "records/voyage.h"

namespace keelmark {

class CKeelmarkRouteXPDoc;

// A new waypoint with its defaults before `before` (first when it is not in the route). The
// new waypoint, owned by the route.
Waypoint* InsertWaypointBefore(CKeelmarkRouteXPDoc& doc, const Waypoint* before);

// Swaps the waypoint with the one before (step -1) or after (step 1) it. A waypoint keeps its
// own leg values (the leg that now arrives at it takes them); the departure time stays with the
// first waypoint and the scheduled arrival with the last. False, nothing changed, at either end
// or when the waypoint is not in the route.
bool MoveWaypoint(CKeelmarkRouteXPDoc& doc, const Waypoint* waypoint, int step);

// Reverses the route: positions, names and zone offsets go with their waypoints, each leg's
// type, manual speed and weather go with the leg (which now arrives at its former start); the
// departure time stays with the first waypoint and the scheduled arrival with the last. False
// for fewer than two waypoints.
bool ReverseRoute(CKeelmarkRouteXPDoc& doc);
// The same on a route alone, without recalculating (for tests and the command line).
void ReverseWaypoints(Voyage& route);

// Replaces the route's waypoints with the imported ones; the voyage number is taken when the
// import has one, the voyage's other settings and notes stay.
void ReplaceRoute(CKeelmarkRouteXPDoc& doc, Voyage&& imported);

// The recalculation every route edit ends with.
void RecalculateAfterRouteEdit(CKeelmarkRouteXPDoc& doc);

}  // namespace keelmark
