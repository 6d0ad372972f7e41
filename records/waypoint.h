// Waypoint: one point of the route; it describes the leg that leads to it.
//
// ScheduledTime is the estimated arrival at constant speed through the water and RequiredTime
// the arrival at constant engine rpm; the first waypoint's Time is the departure.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "records/field_visitor.h"
#include "records/position.h"
#include "records/weather_conditions.h"

namespace keelmark {

class Waypoint : public CPosition2 {
 public:
  // The position fields, Weather, ManualSpeed, GreatCircle, GroundSpeed, Spare2, Spare1,
  // UseVoyageWeather. The computed leg values are not stored; a loaded waypoint keeps them at
  // their defaults until the voyage is calculated again.
  void Serialize(Archive& archive) override;
  // Both directions, weather blocks in the layout they were loaded in (StoreLayout::AsLoaded).
  void SerializeAsStored(Archive& archive);

  // Route lines of ship reports: "L/RL/120/4500N/00500E/New Position/061230Z//" and, with the
  // time group before the name, "L/GC/120/4500N/00500E/061230Z/New Position//".
  [[nodiscard]] std::string RouteLine() const;
  [[nodiscard]] std::string RouteLineWithTimeFirst() const;

  // Computed for the leg by the voyage calculation; never stored.
  double Revolutions = 0.0;        // propeller revolutions for the leg
  double StretchedDistance = 0.0;  // nM, corrected distance x (resistance x 0.1 + 1)
  std::int32_t Scratch = 0;        // working value of the calculation
  double LegDistance = 0.0;        // nM from the previous waypoint
  double LegCourse = 0.0;          // degrees true
  double GroundCourse = 0.0;       // degrees true
  double CorrectedDistance = 0.0;  // nM, leg distance x water speed / ground speed
  double Resistance = 0.0;         // the resistance figure X of the vessel model
  double Rpm = 0.0;                // engine rpm for the leg

  // Stored.
  WeatherConditions Weather;          // weather and current set by hand for the leg
  std::int32_t UseVoyageWeather = 1;  // 1: weather from the voyage's source, 0: from Weather
  std::int32_t Spare1 = 0;            // carried in the file
  double Spare2 = 1.0;                // carried in the file
  double GroundSpeed = 12.0;          // knots; set by hand on a manual leg, else computed
  std::int32_t ManualSpeed = 0;       // 1: the leg's speed is set by hand
  std::int32_t GreatCircle = 0;       // 1: great circle to this waypoint, 0: rhumb line

  // The fewest bytes a stored waypoint takes (empty name, older weather block).
  static constexpr std::size_t kMinimumStoredBytes =
      CPosition2::kMinimumStoredBytes + WeatherConditions::kMinimumStoredBytes + 4 * 4 + 2 * 8;

 private:
  void SerializeFields(Archive& archive, StoreLayout layout);
  [[nodiscard]] std::string LegHead() const;
};

// The stored fields: the position's, then the waypoint's own.
template <RecordOf<Waypoint> WaypointRecord, typename Visitor>
void VisitFields(WaypointRecord& w, Visitor&& visit) {
  VisitFields(FieldsOfBase<CPosition2>(w), visit);
  visit("Weather", w.Weather);
  visit("UseVoyageWeather", w.UseVoyageWeather);
  visit("Spare1", w.Spare1);
  visit("Spare2", w.Spare2);
  visit("GroundSpeed", w.GroundSpeed);
  visit("ManualSpeed", w.ManualSpeed);
  visit("GreatCircle", w.GreatCircle);
}

}  // namespace keelmark
