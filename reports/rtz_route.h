// RTZ routes, versions 1.0, 1.1 and 1.2: `routeInfo`, the waypoints with their legs (a
// waypoint's leg is the one that arrives there) and a calculated schedule.
#pragma once

#include <string>

#include <pugixml.hpp>

#include "reports/route_exchange.h"

namespace keelmark {

class CVessel2;

// The RTZ file of the route in the version of `format` (one of the RTZ formats): waypoint ids
// 1, 2, 3 ..., each leg's geometry from its great-circle flag, speedMin and speedMax for a leg
// whose speed is set by hand, and the calculated schedule (the departure as the first
// waypoint's etd, then each waypoint's ETA, ground speed and rpm).
[[nodiscard]] ExportedRoute RtzFromRoute(const Voyage& route, const CVessel2& vessel,
                                         RouteFormat format, const std::string& routeName);

// The route of an RTZ file of any version. Waypoints are matched to schedule elements by id;
// legs without their own geometry or speed take the default waypoint's. RouteFileError when it
// is not an RTZ route or a waypoint id is missing or given twice.
[[nodiscard]] ImportedRoute RouteFromRtz(const pugi::xml_document& document);

}  // namespace keelmark
