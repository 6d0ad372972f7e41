// GPX 1.1 routes: the route as `rte` with its `rtept`s, the planned speed and the departure in
// the extension attributes that chart plotters read, and a leg's great-circle type in an
// extension of our own (other readers ignore it and draw a rhumb line).
#pragma once

#include <string>

#include <pugixml.hpp>

#include "reports/route_exchange.h"

namespace keelmark {

// The GPX file of the route. The route's planned speed is the mean speed from the departure to
// the scheduled arrival, so that a reader gets the arrival back from the departure and it; a
// point's own planned speed is written only for a leg whose speed is set by hand.
[[nodiscard]] ExportedRoute GpxFromRoute(const Voyage& route, const std::string& routeName);

// The route named `routeName` (or the first one), else the waypoint list, else the first track
// (or the one named), thinned to the points that shape it. RouteFileError when there is none.
[[nodiscard]] ImportedRoute RouteFromGpx(const pugi::xml_document& document,
                                         const std::string& routeName);

// nM within which track points are dropped as lying on the line through their neighbours.
inline constexpr double kTrackThinningNm = 0.05;

}  // namespace keelmark
