#include "document/route_edits.h"

#include <memory>
#include <vector>

#include "document/keelmark_document.h"

namespace keelmark {
namespace {

// What a waypoint holds about the leg that arrives at it.
struct LegValues {
  WeatherConditions weather;
  std::int32_t useVoyageWeather;
  double groundSpeed;
  std::int32_t manualSpeed;
  std::int32_t greatCircle;

  static LegValues Of(const Waypoint& w) {
    return {w.Weather, w.UseVoyageWeather, w.GroundSpeed, w.ManualSpeed, w.GreatCircle};
  }
  void To(Waypoint& w) const {
    w.Weather = weather;
    w.UseVoyageWeather = useVoyageWeather;
    w.GroundSpeed = groundSpeed;
    w.ManualSpeed = manualSpeed;
    w.GreatCircle = greatCircle;
  }
};

// The departure (first waypoint's time) and the scheduled arrival (last waypoint's ETA), put
// back on whichever waypoints are first and last after the order changed.
class EndTimes {
 public:
  explicit EndTimes(const Voyage& route)
      : departure_(route.GetFirst()->GetTime()), arrival_(route.GetLast()->GetScheduledTime()) {}
  void Restore(Voyage& route) const {
    route.GetFirst()->SetTime(departure_);
    route.GetLast()->SetScheduledTime(arrival_);
  }

 private:
  double departure_;
  double arrival_;
};

}  // namespace

void RecalculateAfterRouteEdit(CKeelmarkRouteXPDoc& doc) {
  // From the departure first, so that the legs already sailed show the route as it now is
  // (a calculation from the present position leaves them alone); then from the present
  // position once the voyage is under way.
  doc.UpdateVoyage(VoyageStart::Departure);
  doc.UpdateVoyage(VoyageStart::UnderWayFlag);
}

Waypoint* InsertWaypointBefore(CKeelmarkRouteXPDoc& doc, const Waypoint* before) {
  Waypoint* created = doc.GetRoute().InsertBefore(before, std::make_unique<Waypoint>());
  RecalculateAfterRouteEdit(doc);
  return created;
}

bool MoveWaypoint(CKeelmarkRouteXPDoc& doc, const Waypoint* waypoint, int step) {
  Voyage& route = doc.GetRoute();
  if (route.IndexOf(waypoint) < 0) return false;
  const EndTimes times(route);
  if (!route.MoveBy(waypoint, step)) return false;
  times.Restore(route);
  RecalculateAfterRouteEdit(doc);
  return true;
}

void ReverseWaypoints(Voyage& route) {
  if (route.GetCount() < 2) return;
  const EndTimes times(route);
  std::vector<Waypoint*> points;
  std::vector<LegValues> legs;
  for (const auto& w : route) {
    points.push_back(w.get());
    legs.push_back(LegValues::Of(*w));
  }
  // The leg into point i+1 becomes the leg into point i; the first point's (unused) leg values
  // go to the former last point, the new departure.
  for (std::size_t i = 0; i + 1 < points.size(); ++i) legs[i + 1].To(*points[i]);
  legs.front().To(*points.back());
  route.Reverse();
  times.Restore(route);
}

bool ReverseRoute(CKeelmarkRouteXPDoc& doc) {
  if (doc.GetRoute().GetCount() < 2) return false;
  ReverseWaypoints(doc.GetRoute());
  RecalculateAfterRouteEdit(doc);
  return true;
}

void ReplaceRoute(CKeelmarkRouteXPDoc& doc, Voyage&& imported) {
  Voyage& route = doc.GetRoute();
  route.RemoveAll();
  route.AppendAllOf(imported);
  if (!imported.VoyageNumber.empty()) route.VoyageNumber = imported.VoyageNumber;
  doc.selectedRow = -1;
  RecalculateAfterRouteEdit(doc);
}

}  // namespace keelmark
