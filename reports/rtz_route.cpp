#include "reports/rtz_route.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

#include "records/vessel.h"
#include "reports/exchange_xml.h"

namespace keelmark {
namespace {

struct RtzVersion {
  RouteFormat format;
  const char* number;           // the version attribute
  const char* ns;               // the schema's namespace
  const char* scheduleElement;  // 1.0's schema spells it without the c
};

constexpr RtzVersion kVersions[] = {
    {RouteFormat::Rtz10, "1.0", "http://www.cirm.org/RTZ/1/0", "sheduleElement"},
    {RouteFormat::Rtz11, "1.1", "http://www.cirm.org/RTZ/1/1", "scheduleElement"},
    {RouteFormat::Rtz12, "1.2", "http://www.cirm.org/RTZ/1/2", "scheduleElement"},
};

constexpr const char* kOrthodrome = "Orthodrome";
constexpr const char* kLoxodrome = "Loxodrome";
// Leg speeds outside (0, kFastestLegSpeed] knots are not taken as speeds.
constexpr double kFastestLegSpeed = 60.0;

const RtzVersion& VersionOf(RouteFormat format) {
  for (const RtzVersion& version : kVersions) {
    if (version.format == format) return version;
  }
  return kVersions[2];
}

bool AllDigits(const std::string& text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

void SetIfKnown(pugi::xml_node node, const char* name, const std::string& value) {
  if (!value.empty()) node.append_attribute(name) = value.c_str();
}

// The leg's attributes as written, or as the default waypoint gives them.
struct LegText {
  std::string geometry;
  std::optional<double> speedMin, speedMax;
};

std::optional<double> SpeedAttribute(pugi::xml_node leg, const char* name, const char* other) {
  pugi::xml_attribute attribute = AttributeNamed(leg, name);
  if (!attribute) attribute = AttributeNamed(leg, other);
  if (!attribute) return std::nullopt;
  return ParseXmlNumber(attribute.as_string());
}

LegText ReadLeg(pugi::xml_node leg, const LegText& fallback) {
  LegText text = fallback;
  if (const auto geometry = AttributeNamed(leg, "geometryType"))
    text.geometry = geometry.as_string();
  if (const auto speed = SpeedAttribute(leg, "speedMin", "planSpeedMin")) text.speedMin = speed;
  if (const auto speed = SpeedAttribute(leg, "speedMax", "planSpeedMax")) text.speedMax = speed;
  return text;
}

bool IsLegSpeed(const std::optional<double>& speed) {
  return speed && *speed > 0.0 && *speed <= kFastestLegSpeed;
}

// Geometry and a speed set by hand onto the waypoint, with a note for what cannot be taken.
void ApplyLeg(const LegText& leg, Waypoint& waypoint, std::vector<std::string>& notes) {
  if (leg.geometry == kOrthodrome) {
    waypoint.GreatCircle = 1;
  } else if (!leg.geometry.empty() && leg.geometry != kLoxodrome) {
    notes.push_back("Leg to " + waypoint.GetName() + ": geometry '" + leg.geometry +
                    "' read as a rhumb line.");
  }
  std::optional<double> speed;
  if (leg.speedMin && leg.speedMax && *leg.speedMin != *leg.speedMax) {
    notes.push_back("Leg to " + waypoint.GetName() + ": the speed range " +
                    FixedNumberText(*leg.speedMin, 1) + " to " + FixedNumberText(*leg.speedMax, 1) +
                    " kn is not one set speed; the leg is calculated.");
    return;
  }
  speed = leg.speedMax ? leg.speedMax : leg.speedMin;
  if (!speed) return;
  if (!IsLegSpeed(speed)) {
    notes.push_back("Leg to " + waypoint.GetName() + ": speed " + FixedNumberText(*speed, 1) +
                    " kn is not a ship's speed; the leg is calculated.");
    return;
  }
  waypoint.ManualSpeed = 1;
  waypoint.GroundSpeed = *speed;
}

// The schedule elements of the first schedule that has calculated ones (else manual ones), by
// waypoint id.
std::map<long long, pugi::xml_node> ScheduleElements(pugi::xml_node root) {
  std::map<long long, pugi::xml_node> elements;
  const pugi::xml_node schedules = ChildNamed(root, "schedules");
  for (const char* kind : {"calculated", "manual"}) {
    for (pugi::xml_node schedule : schedules.children()) {
      if (LocalName(schedule.name()) != "schedule") continue;
      const pugi::xml_node list = ChildNamed(schedule, kind);
      for (pugi::xml_node element : list.children()) {
        const std::string_view name = LocalName(element.name());
        if (name != "scheduleElement" && name != "sheduleElement") continue;
        const auto id = ParseXmlNumber(AttributeNamed(element, "waypointId").as_string());
        if (id) elements.emplace(static_cast<long long>(*id), element);
      }
      if (!elements.empty()) return elements;
    }
  }
  return elements;
}

std::optional<double> TimeAttribute(pugi::xml_node element, const char* first, const char* other) {
  if (auto time = ParseXmlDateTime(AttributeNamed(element, first).as_string())) return time;
  return ParseXmlDateTime(AttributeNamed(element, other).as_string());
}

}  // namespace

ExportedRoute RtzFromRoute(const Voyage& route, const CVessel2& vessel, RouteFormat format,
                           const std::string& routeName) {
  const RtzVersion& version = VersionOf(format);
  pugi::xml_document document;
  pugi::xml_node root = document.append_child("route");
  root.append_attribute("version") = version.number;
  root.append_attribute("xmlns") = version.ns;
  pugi::xml_node info = root.append_child("routeInfo");
  info.append_attribute("routeName") = routeName.c_str();
  SetIfKnown(info, "vesselName", vessel.name);
  if (AllDigits(vessel.imoNumber)) info.append_attribute("vesselIMO") = vessel.imoNumber.c_str();
  SetIfKnown(info, "vesselVoyage", route.VoyageNumber);
  if (std::isfinite(vessel.displacement) && vessel.displacement > 0.0) {
    info.append_attribute("vesselDisplacement") = FixedNumberText(vessel.displacement, 0).c_str();
  }

  pugi::xml_node waypoints = root.append_child("waypoints");
  pugi::xml_node calculated = root.append_child("schedules").append_child("schedule");
  calculated.append_attribute("id") = 1;
  calculated.append_attribute("name") = "Keelmark Route calculation";
  calculated = calculated.append_child("calculated");
  int id = 0;
  for (const auto& owned : route) {
    const Waypoint& w = *owned;
    const bool first = ++id == 1;
    pugi::xml_node waypoint = waypoints.append_child("waypoint");
    waypoint.append_attribute("id") = id;
    waypoint.append_attribute("revision") = 0;
    waypoint.append_attribute("name") = w.GetName().c_str();
    pugi::xml_node position = waypoint.append_child("position");
    position.append_attribute("lat") = FixedNumberText(w.Latitude, 9).c_str();
    position.append_attribute("lon") = FixedNumberText(w.Longitude, 9).c_str();
    pugi::xml_node element = calculated.append_child(version.scheduleElement);
    element.append_attribute("waypointId") = id;
    if (first) {
      SetIfKnown(element, "etd", XmlDateTimeText(w.GetTime()));
      continue;
    }
    pugi::xml_node leg = waypoint.append_child("leg");
    leg.append_attribute("geometryType") = w.GreatCircle ? kOrthodrome : kLoxodrome;
    if (w.ManualSpeed) {
      leg.append_attribute("speedMin") = ExactNumberText(w.GroundSpeed).c_str();
      leg.append_attribute("speedMax") = ExactNumberText(w.GroundSpeed).c_str();
    }
    SetIfKnown(element, "eta", XmlDateTimeText(w.GetScheduledTime()));
    if (std::isfinite(w.GroundSpeed)) {
      element.append_attribute("speed") = FixedNumberText(w.GroundSpeed, 2).c_str();
    }
    if (std::isfinite(w.Rpm)) element.append_attribute("rpm") = FixedNumberText(w.Rpm, 1).c_str();
  }
  return {XmlText(document), {}};
}

ImportedRoute RouteFromRtz(const pugi::xml_document& document) {
  const pugi::xml_node root = document.document_element();
  if (LocalName(root.name()) != "route") {
    throw RouteFileError(std::string("not an RTZ route file: its root element is <") + root.name() +
                         ">");
  }
  const pugi::xml_node waypoints = ChildNamed(root, "waypoints");
  if (!waypoints) throw RouteFileError("the RTZ file holds no waypoints");
  ImportedRoute imported;
  Voyage& route = imported.route;
  route.VoyageNumber = AttributeNamed(ChildNamed(root, "routeInfo"), "vesselVoyage").as_string();
  const LegText defaults = ReadLeg(ChildNamed(ChildNamed(waypoints, "defaultWaypoint"), "leg"), {});

  std::vector<long long> ids;
  for (pugi::xml_node node : waypoints.children()) {
    if (LocalName(node.name()) != "waypoint") continue;
    const std::string where = "waypoint " + std::to_string(route.GetCount() + 1);
    const auto id = ParseXmlNumber(AttributeNamed(node, "id").as_string());
    if (!id || *id < 0 || *id != std::floor(*id)) throw RouteFileError(where + " has no id");
    if (std::find(ids.begin(), ids.end(), static_cast<long long>(*id)) != ids.end()) {
      throw RouteFileError("waypoint id " + FixedNumberText(*id, 0) + " is given twice");
    }
    ids.push_back(static_cast<long long>(*id));
    const pugi::xml_node position = ChildNamed(node, "position");
    Waypoint& waypoint =
        AddCheckedWaypoint(route, AttributeNamed(position, "lat").as_string(nullptr),
                           AttributeNamed(position, "lon").as_string(nullptr), where);
    const std::string name = AttributeNamed(node, "name").as_string();
    waypoint.SetName(name.empty() ? "WP " + FixedNumberText(*id, 0) : name);
    if (route.GetCount() > 1) {
      ApplyLeg(ReadLeg(ChildNamed(node, "leg"), defaults), waypoint, imported.notes);
    }
    if (route.GetCount() > kMaxExchangedWaypoints) break;  // refused as a whole below
  }
  CheckWaypointCount(route, "The RTZ route");

  const std::map<long long, pugi::xml_node> schedule = ScheduleElements(root);
  const auto departure = schedule.count(ids.front())
                             ? TimeAttribute(schedule.at(ids.front()), "etd", "eta")
                             : std::nullopt;
  const auto arrival = schedule.count(ids.back())
                           ? TimeAttribute(schedule.at(ids.back()), "eta", "etd")
                           : std::nullopt;
  if (departure) route.GetFirst()->SetTime(*departure);
  if (arrival) route.GetLast()->SetScheduledTime(*arrival);
  if (!departure || !arrival) {
    imported.notes.push_back("The file gives no departure or no arrival: set them in the voyage.");
  }
  for (const auto& [id, element] : schedule) {
    const auto stay = ParseStaySeconds(AttributeNamed(element, "stay").as_string());
    if (stay && *stay > 0.0 && id != ids.front() && id != ids.back()) {
      imported.notes.push_back("A stay at waypoint id " + std::to_string(id) +
                               " is not kept: the route has no stops on the way.");
    }
  }
  return imported;
}

}  // namespace keelmark
