#include "reports/gpx_route.h"

#include <cmath>
#include <utility>
#include <vector>

#include "reports/exchange_xml.h"
#include "voyage/voyage_calculation.h"

namespace keelmark {
namespace {

constexpr const char* kGpxNamespace = "http://www.topografix.com/GPX/1/1";
constexpr const char* kPlotterNamespace = "http://www.opencpn.org";
constexpr const char* kOwnNamespace = "urn:keelmark-route:gpx-extensions:1";
constexpr const char* kOrthodrome = "Orthodrome";
// Planned speeds outside (0, kFastestPlannedSpeed] knots are not taken as speeds.
constexpr double kFastestPlannedSpeed = 60.0;

std::string NameOf(pugi::xml_node node) { return ChildNamed(node, "name").text().as_string(); }

std::optional<double> PlannedSpeed(const char* text) {
  const auto speed = ParseXmlNumber(text);
  if (!speed || *speed <= 0.0 || *speed > kFastestPlannedSpeed) return std::nullopt;
  return speed;
}

// The mean speed from the departure to the scheduled arrival, knots; nothing without both.
std::optional<double> MeanSpeed(const Voyage& route) {
  const double hours = (route.GetLast()->GetScheduledTime() - route.GetFirst()->GetTime()) * 24.0;
  const double speed = TotalDistance(route) / hours;
  if (!(hours > 0.0) || !std::isfinite(speed) || speed <= 0.0) return std::nullopt;
  return speed;
}

// Distance in nM of p from the line a-b, on a flat chart about a (short track segments).
double OffTrackNm(const Waypoint& a, const Waypoint& b, const Waypoint& p) {
  const double scale = std::cos(a.Latitude * M_PI / 180.0);
  auto x = [&](const Waypoint& w) {
    double d = w.Longitude - a.Longitude;
    if (d > 180.0) d -= 360.0;
    if (d < -180.0) d += 360.0;
    return d * 60.0 * scale;
  };
  auto y = [&](const Waypoint& w) { return (w.Latitude - a.Latitude) * 60.0; };
  const double bx = x(b), by = y(b), px = x(p), py = y(p);
  const double length2 = bx * bx + by * by;
  double t = length2 > 0.0 ? (px * bx + py * by) / length2 : 0.0;
  t = std::clamp(t, 0.0, 1.0);
  return std::hypot(px - t * bx, py - t * by);
}

// Douglas-Peucker over the points, without recursion (tracks hold many thousands of points).
std::vector<bool> PointsToKeep(const std::vector<const Waypoint*>& points) {
  std::vector<bool> keep(points.size(), false);
  if (points.empty()) return keep;
  keep.front() = keep.back() = true;
  std::vector<std::pair<std::size_t, std::size_t>> spans{{0, points.size() - 1}};
  while (!spans.empty()) {
    const auto [first, last] = spans.back();
    spans.pop_back();
    double farthest = 0.0;
    std::size_t at = first;
    for (std::size_t i = first + 1; i < last; ++i) {
      const double d = OffTrackNm(*points[first], *points[last], *points[i]);
      if (d > farthest) {
        farthest = d;
        at = i;
      }
    }
    if (farthest > kTrackThinningNm) {
      keep[at] = true;
      spans.emplace_back(first, at);
      spans.emplace_back(at, last);
    }
  }
  return keep;
}

// The track's points, thinned, as the route's waypoints.
void ReadTrack(pugi::xml_node track, ImportedRoute& imported) {
  Voyage all;
  for (pugi::xml_node segment : track.children()) {
    if (LocalName(segment.name()) != "trkseg") continue;
    for (pugi::xml_node point : segment.children()) {
      if (LocalName(point.name()) != "trkpt") continue;
      AddCheckedWaypoint(all, point.attribute("lat").as_string(nullptr),
                         point.attribute("lon").as_string(nullptr),
                         "track point " + std::to_string(all.GetCount() + 1));
    }
  }
  std::vector<const Waypoint*> points;
  for (const auto& w : all) points.push_back(w.get());
  const std::vector<bool> keep = PointsToKeep(points);
  for (std::size_t i = 0; i < points.size(); ++i) {
    if (!keep[i]) continue;
    auto waypoint = std::make_unique<Waypoint>(*points[i]);
    waypoint->SetName("Track " + std::to_string(i + 1));
    imported.route.Add(std::move(waypoint));
  }
  const std::string name = NameOf(track);
  imported.notes.push_back("Track" + (name.empty() ? "" : " '" + name + "'") + " of " +
                           std::to_string(points.size()) + " points taken as a route of " +
                           std::to_string(imported.route.GetCount()) + " waypoints.");
}

// Route points or waypoints with their names, planned speeds, departure and leg types.
void ReadPoints(pugi::xml_node parent, const char* pointName, std::optional<double> routeSpeed,
                ImportedRoute& imported) {
  Voyage& route = imported.route;
  std::optional<double> departure;
  Waypoint* previous = nullptr;
  double speedOnwards = 0.0;  // knots set for the leg that leaves `previous`, 0 for none
  for (pugi::xml_node point : parent.children(pointName)) {
    const std::string where = std::string(pointName) + " " + std::to_string(route.GetCount() + 1);
    Waypoint& waypoint = AddCheckedWaypoint(route, point.attribute("lat").as_string(nullptr),
                                            point.attribute("lon").as_string(nullptr), where);
    const std::string name = NameOf(point);
    waypoint.SetName(name.empty() ? "WP " + std::to_string(route.GetCount()) : name);
    if (previous && speedOnwards > 0.0) {
      waypoint.ManualSpeed = 1;
      waypoint.GroundSpeed = speedOnwards;
    }
    const pugi::xml_node extensions = ChildNamed(point, "extensions");
    const pugi::xml_node properties = ChildNamed(extensions, "rte_properties");
    const std::optional<double> pointSpeed =
        PlannedSpeed(AttributeNamed(properties, "planned_speed").as_string());
    // A point's speed equal to the route's is the route's own pace, not one set for the leg.
    const bool routePace = pointSpeed && routeSpeed && std::fabs(*pointSpeed - *routeSpeed) < 1e-9;
    speedOnwards = pointSpeed && !routePace ? *pointSpeed : 0.0;
    if (!previous) {
      departure = ParseXmlDateTime(AttributeNamed(properties, "etd").as_string());
    }
    const pugi::xml_node leg = ChildNamed(extensions, "leg");
    waypoint.GreatCircle =
        std::string_view(AttributeNamed(leg, "geometryType").as_string()) == kOrthodrome ? 1 : 0;
    previous = &waypoint;
    if (route.GetCount() > kMaxExchangedWaypoints) break;  // refused as a whole below
  }
  CheckWaypointCount(route, "The GPX route");
  if (!departure) {
    imported.notes.push_back(
        "The file gives no departure: set the departure and the arrival in the voyage.");
    return;
  }
  route.GetFirst()->SetTime(*departure);
  if (!routeSpeed) {
    imported.notes.push_back("The file gives no planned speed: set the arrival in the voyage.");
    return;
  }
  route.GetLast()->SetScheduledTime(*departure + TotalDistance(route) / *routeSpeed / 24.0);
}

pugi::xml_node FindNamed(pugi::xml_node gpx, const char* kind, const std::string& name) {
  for (pugi::xml_node node : gpx.children(kind)) {
    if (name.empty() || NameOf(node) == name) return node;
  }
  return {};
}

}  // namespace

ExportedRoute GpxFromRoute(const Voyage& route, const std::string& routeName) {
  pugi::xml_document document;
  pugi::xml_node gpx = document.append_child("gpx");
  gpx.append_attribute("version") = "1.1";
  gpx.append_attribute("creator") = "Keelmark Route";
  gpx.append_attribute("xmlns") = kGpxNamespace;
  gpx.append_attribute("xmlns:opencpn") = kPlotterNamespace;
  gpx.append_attribute("xmlns:keelmark") = kOwnNamespace;
  pugi::xml_node rte = gpx.append_child("rte");
  rte.append_child("name").text() = routeName.c_str();
  const std::optional<double> meanSpeed = route.GetCount() > 1 ? MeanSpeed(route) : std::nullopt;
  if (meanSpeed) {
    rte.append_child("extensions").append_child("opencpn:planned_speed").text() =
        ExactNumberText(*meanSpeed).c_str();
  }
  for (auto it = route.begin(); it != route.end(); ++it) {
    const Waypoint& w = **it;
    const auto next = std::next(it);
    pugi::xml_node point = rte.append_child("rtept");
    point.append_attribute("lat") = FixedNumberText(w.Latitude, 9).c_str();
    point.append_attribute("lon") = FixedNumberText(w.Longitude, 9).c_str();
    point.append_child("name").text() = w.GetName().c_str();
    const bool first = it == route.begin();
    const bool manualOnwards = next != route.end() && (*next)->ManualSpeed != 0;
    const std::string etd = first ? XmlDateTimeText(w.GetTime()) : std::string();
    const bool greatCircle = !first && w.GreatCircle != 0;
    if (etd.empty() && !manualOnwards && !greatCircle) continue;
    pugi::xml_node extensions = point.append_child("extensions");
    if (!etd.empty() || manualOnwards) {
      pugi::xml_node properties = extensions.append_child("opencpn:rte_properties");
      if (manualOnwards) {
        properties.append_attribute("planned_speed") =
            ExactNumberText((*next)->GroundSpeed).c_str();
      }
      if (!etd.empty()) properties.append_attribute("etd") = etd.c_str();
    }
    if (greatCircle) {
      extensions.append_child("keelmark:leg").append_attribute("geometryType") = kOrthodrome;
    }
  }
  return {XmlText(document), {}};
}

ImportedRoute RouteFromGpx(const pugi::xml_document& document, const std::string& routeName) {
  const pugi::xml_node gpx = document.document_element();
  if (LocalName(gpx.name()) != "gpx") {
    throw RouteFileError(std::string("not a GPX file: its root element is <") + gpx.name() + ">");
  }
  ImportedRoute imported;
  if (const pugi::xml_node rte = FindNamed(gpx, "rte", routeName)) {
    const pugi::xml_node speed = ChildNamed(ChildNamed(rte, "extensions"), "planned_speed");
    ReadPoints(rte, "rtept", PlannedSpeed(speed.text().as_string()), imported);
  } else if (const pugi::xml_node track = FindNamed(gpx, "trk", routeName)) {
    ReadTrack(track, imported);
    CheckWaypointCount(imported.route, "The track");
    imported.notes.push_back(
        "A track has no schedule: set the departure and the arrival in the voyage.");
  } else if (!routeName.empty()) {
    throw RouteFileError("the file holds no route or track named '" + routeName + "'");
  } else if (gpx.child("wpt")) {
    ReadPoints(gpx, "wpt", std::nullopt, imported);
  } else {
    throw RouteFileError("the file holds no route, waypoints or track");
  }
  return imported;
}

}  // namespace keelmark
