#include "voyage/voyage_calculation.h"

#include <cmath>
#include <vector>

#include "navigation/navigation.h"
#include "records/position_fix.h"
#include "records/vessel.h"
#include "records/voyage.h"
#include "voyage/vessel_model.h"

namespace keelmark {
namespace {

// The waypoints in route order, for index arithmetic the linked list does not offer.
std::vector<Waypoint*> RoutePoints(const Voyage& voyage) {
  std::vector<Waypoint*> points;
  points.reserve(static_cast<std::size_t>(voyage.GetCount()));
  for (const auto& waypoint : voyage) points.push_back(waypoint.get());
  return points;
}

std::size_t IndexIn(const std::vector<Waypoint*>& points, const Waypoint* waypoint) {
  for (std::size_t i = 0; i < points.size(); ++i) {
    if (points[i] == waypoint) return i;
  }
  return points.size();
}

// A leg ends at `destination` and starts at `start` (the previous waypoint, or P).
struct Leg {
  const CPosition2* start;
  Waypoint* destination;
};

// The legs still to sail: P to the next waypoint, then on to the last.
std::vector<Leg> LegsToSail(const Voyage& voyage, const std::vector<Waypoint*>& points,
                            const PositionFix& start) {
  std::vector<Leg> legs;
  Waypoint* next = NextWaypoint(voyage, start);
  std::size_t index = IndexIn(points, next);
  if (index == points.size()) return legs;
  legs.push_back({&start, next});
  for (++index; index < points.size(); ++index) legs.push_back({points[index - 1], points[index]});
  return legs;
}

// Every leg of the route, from the first waypoint to the last, whatever P is.
std::vector<Leg> RouteLegs(const std::vector<Waypoint*>& points) {
  std::vector<Leg> legs;
  for (std::size_t i = 1; i < points.size(); ++i) legs.push_back({points[i - 1], points[i]});
  return legs;
}

bool IsManual(const Waypoint& waypoint) { return waypoint.ManualSpeed != 0; }

// Leg distance and course, the ground course under the leg's current for a water speed of v
// knots, and the corrected distance v / ground speed x leg distance.
void MeasureLeg(const CNavigation& navigation, const Leg& leg, double v) {
  Waypoint& w = *leg.destination;
  const bool greatCircle = w.GreatCircle != 0;
  w.LegDistance = navigation.Distance(*leg.start, w, greatCircle);
  w.LegCourse = navigation.Course(*leg.start, w, greatCircle);
  // The water vector minus the current's reverse is the water vector plus the current.
  double groundCourse = w.LegCourse;
  double groundSpeed = v;
  navigation.SubtractVectors(groundCourse, groundSpeed, w.Weather.CurrentSet + 180.0,
                             w.Weather.CurrentRate);
  w.GroundCourse = groundCourse;
  w.CorrectedDistance = v / groundSpeed * w.LegDistance;
}

// Spreads P's remaining hours over the legs to sail in proportion to each leg's share of
// `Waypoint::*share` and writes the accumulated arrival times into `Waypoint::*slot`.
void SpreadArrivalTimes(const std::vector<Leg>& legs, double Waypoint::*share,
                        double CPosition2::*slot, double startTime, double hours) {
  double total = 0.0;
  for (const Leg& leg : legs) total += leg.destination->*share;
  double time = startTime;
  for (const Leg& leg : legs) {
    time += (leg.destination->*share / total * hours) / 24.0;
    leg.destination->*slot = time;
  }
}

}  // namespace

Waypoint* NearestWaypoint(const Voyage& voyage, const CPosition2& position) {
  return voyage.Nearest(position);
}

Waypoint* NextWaypoint(const Voyage& voyage, const PositionFix& position) {
  Waypoint* nearest = NearestWaypoint(voyage, position);
  if (!nearest) return nullptr;
  // W lies astern when the bearing from P to it is 90 degrees or more off P's course made good.
  // W's own leg course cannot tell: just past W on a leg that runs on in much the same
  // direction, that course still points ahead. A P on W (a start built from the departure) has
  // W ahead.
  const CNavigation navigation;
  if (navigation.Distance(position, *nearest, true) < kSamePlaceNm) return nearest;
  const double bearing = navigation.Course(position, *nearest, nearest->GreatCircle != 0);
  const double difference = std::fabs(bearing - position.CourseMadeGood);
  const bool astern = difference >= 90.0 && difference <= 270.0;
  if (astern && nearest != voyage.GetLast()) return voyage.GetNext(nearest);
  return nearest;
}

double RemainingDistance(const Voyage& voyage, const PositionFix& position) {
  const CNavigation navigation;
  const std::vector<Waypoint*> points = RoutePoints(voyage);
  double total = 0.0;
  for (const Leg& leg : LegsToSail(voyage, points, position)) {
    total += navigation.Distance(*leg.start, *leg.destination, leg.destination->GreatCircle != 0);
  }
  return total;
}

double HoursRemaining(const Voyage& voyage, const CPosition2& position) {
  const Waypoint* last = voyage.GetLast();
  if (!last) return 0.0;
  return (last->GetScheduledTime() - position.GetTime()) * 24.0;
}

double TotalDistance(const Voyage& voyage) { return DistanceToArrival(voyage, voyage.GetFirst()); }

double DistanceToArrival(const Voyage& voyage, const Waypoint* from) {
  const CNavigation navigation;
  double total = 0.0;
  bool counting = false;
  for (const Leg& leg : RouteLegs(RoutePoints(voyage))) {
    counting = counting || leg.start == from;
    if (!counting) continue;
    total += navigation.Distance(*leg.start, *leg.destination, leg.destination->GreatCircle != 0);
  }
  return total;
}

std::vector<double> DistancesToArrival(const Voyage& voyage) {
  const CNavigation navigation;
  const std::vector<Waypoint*> points = RoutePoints(voyage);
  std::vector<double> toGo(points.size(), 0.0);
  for (std::size_t i = points.size(); i-- > 1;) {
    const Waypoint& destination = *points[i];
    toGo[i - 1] =
        navigation.Distance(*points[i - 1], destination, destination.GreatCircle != 0) + toGo[i];
  }
  return toGo;
}

TimeValue ArrivalTime(const Voyage& voyage) {
  const Waypoint* last = voyage.GetLast();
  if (!last) return ProcessClock().Now();
  return last->GetLocalScheduledTime();
}

bool SetArrivalTime(Voyage& voyage, TimeValue localTime) {
  Waypoint* last = voyage.GetLast();
  if (!last) return false;
  last->SetLocalScheduledTime(localTime);
  return true;
}

PositionFix DeparturePosition(const Voyage& voyage) {
  PositionFix start;
  if (const Waypoint* first = voyage.GetFirst()) {
    start.SetLatitude(first->GetLatitude());
    start.SetLongitude(first->GetLongitude());
    start.SetName(first->GetName());
    start.SetZoneOffset(first->GetZoneOffset());
    start.SetTime(first->GetTime());
  }
  return start;
}

void CalculateVoyage(Voyage& voyage, const CVessel2& vessel, const PositionFix& start) {
  const CNavigation navigation;
  const std::vector<Waypoint*> points = RoutePoints(voyage);
  if (points.empty()) return;
  const VesselModel model(vessel);

  // The required mean speed through the water and its rpm.
  const double distance = RemainingDistance(voyage, start);
  const double hours = HoursRemaining(voyage, start);
  // A start at or after the scheduled arrival leaves no time to sail in: no speed meets it,
  // and a negative time would otherwise give plausible-looking but meaningless figures.
  const double meanSpeed = hours > 0.0 ? distance / hours : std::nan("");
  const double meanRpm = model.TheoreticalRpm(meanSpeed);

  // First pass: the legs to sail under the expected current.
  for (const Leg& leg : LegsToSail(voyage, points, start)) MeasureLeg(navigation, leg, meanSpeed);

  // Resistance on every leg of the route, at the rpm each leg is expected to need.
  for (const Leg& leg : RouteLegs(points)) {
    Waypoint& w = *leg.destination;
    w.Rpm = IsManual(w) ? model.TheoreticalRpm(w.GroundSpeed) : meanRpm;
    const double heading = navigation.Course(*leg.start, w, w.GreatCircle != 0);
    w.Resistance =
        model.WaveResistance(w.Weather.SwellHeight, w.Rpm) +
        model.AirResistance(w.Rpm, heading, w.Weather.WindDirection, w.Weather.WindSpeed) +
        model.HullResistanceAt(w.Rpm);
  }

  // Second pass: the legs to sail again (the first pass moved their courses, so the next
  // waypoint is looked up afresh), now with the revolutions each needs.
  const std::vector<Leg> legs = LegsToSail(voyage, points, start);
  for (const Leg& leg : legs) {
    Waypoint& w = *leg.destination;
    MeasureLeg(navigation, leg, meanSpeed);
    w.StretchedDistance = (w.Resistance * 0.1 + 1.0) * w.CorrectedDistance;
    w.Revolutions = model.LegRevolutions(w.CorrectedDistance, w.Resistance);
  }

  // The time, distance and revolutions left for the legs whose speed is not set by hand.
  double autoHours = hours;
  double autoDistance = 0.0;
  double autoRevolutions = 0.0;
  for (const Leg& leg : legs) {
    const Waypoint& w = *leg.destination;
    if (IsManual(w)) {
      autoHours -= w.LegDistance / w.GroundSpeed;
    } else {
      autoDistance += w.LegDistance;
      autoRevolutions += w.Revolutions;
    }
  }
  const double autoRpm = autoRevolutions / (autoHours * 60.0);

  // The manoeuvring allowances are always taken off.
  const double netHours = autoHours - model.ManoeuvringTime(autoRpm) / 60.0;
  const double netRevolutions = autoRevolutions - model.ManoeuvringRevolutions(autoRpm);
  const double netDistance = autoDistance - model.ManoeuvringDistance(autoRpm, 0.0);

  if (voyage.ConstantRpm != 0) {
    const double rpm = netRevolutions / (netHours * 60.0);
    for (Waypoint* w : points) {
      if (!IsManual(*w)) w->Rpm = rpm;
    }
    for (Waypoint* w : points) {
      if (!IsManual(*w)) {
        double course = w->LegCourse;
        double speed = model.LogSpeed(w->Rpm, w->Resistance);
        navigation.AddVectors(course, speed, w->Weather.CurrentSet, w->Weather.CurrentRate);
        w->GroundSpeed = speed;
      } else {
        double course = w->LegCourse;
        double waterSpeed = w->GroundSpeed;
        navigation.SubtractVectors(course, waterSpeed, w->Weather.CurrentSet,
                                   w->Weather.CurrentRate);
        w->Rpm = model.RpmForLogSpeed(waterSpeed, w->Resistance);
      }
    }
  } else {
    const double groundSpeed = netDistance / netHours;
    for (Waypoint* w : points) {
      if (!IsManual(*w)) w->GroundSpeed = groundSpeed;
    }
    for (Waypoint* w : points) {
      double course = w->LegCourse;
      double waterSpeed = w->GroundSpeed;
      navigation.SubtractVectors(course, waterSpeed, w->Weather.CurrentSet, w->Weather.CurrentRate);
      w->Rpm = model.RpmForLogSpeed(waterSpeed, w->Resistance);
    }
  }

  // Times of arrival at constant speed through the water. A start past the scheduled arrival
  // first takes the arrival at constant rpm of the previous calculation as the schedule.
  Waypoint& last = *points.back();
  double arrival = last.GetScheduledTime();
  // The schedule is the officer's own figure: it never takes a value that is not finite.
  if (start.GetTime() > arrival && std::isfinite(last.GetRequiredTime())) {
    last.SetScheduledTime(last.GetRequiredTime());
    arrival = last.GetScheduledTime();
  }
  const std::vector<Leg> remaining = LegsToSail(voyage, points, start);
  SpreadArrivalTimes(remaining, &Waypoint::CorrectedDistance, &CPosition2::ScheduledTime,
                     start.GetTime(), HoursRemaining(voyage, start));
  last.SetScheduledTime(arrival);

  // Times of arrival at constant rpm, spread by the stretched distances.
  const double hoursLeft = HoursRemaining(voyage, start);
  SpreadArrivalTimes(remaining, &Waypoint::StretchedDistance, &CPosition2::RequiredTime,
                     start.GetTime(), hoursLeft);
  // The spread ends at start + hours left; written so, it stays true when a leg's figures are
  // not finite.
  last.SetRequiredTime(start.GetTime() + hoursLeft / 24.0);
}

void CalculateFromDeparture(Voyage& voyage, const CVessel2& vessel) {
  CalculateVoyage(voyage, vessel, DeparturePosition(voyage));
}

}  // namespace keelmark
