// JSON forms of the route records that other records embed (a port's trajects are voyages).
#pragma once

#include "cli/json_fields.h"

namespace keelmark {
class Voyage;
class PositionFix;
class Waypoint;
}

namespace keelmark::cli {

// Version, VoyageNumber, ConstantRpm, Note and the Waypoints array.
[[nodiscard]] Json VoyageToJson(const Voyage& voyage);
// Every stored field of one waypoint.
[[nodiscard]] Json WaypointToJson(const Waypoint& waypoint);
// Every stored field of one position fix.
[[nodiscard]] Json FixToJson(const PositionFix& fix);
// Sets the members the object names and replaces the waypoints by those of Waypoints.
void VoyageFromJson(const Json& object, Voyage& voyage);

}  // namespace keelmark::cli
