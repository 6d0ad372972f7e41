// ScheduleItem: one port call of the master schedule.
#pragma once

#include <cstddef>
#include <string>

#include "navigation/time_value.h"
#include "records/field_visitor.h"

namespace keelmark {

class Archive;

class ScheduleItem {
 public:
  // Distance, PortStay, ZoneHours, Eta, Name. The other fields are recomputed from the
  // previous call and start at their defaults after a load.
  void Serialize(Archive& archive);

  // Local time values of the arrival (Eta + ZoneHours / 24) and of the departure
  // (Etd + ZoneHours / 24); kNoTime when the day number has no time.
  [[nodiscard]] TimeValue ArrivalTime() const;
  [[nodiscard]] TimeValue DepartureTime() const;

  // Computed, not stored.
  double PassageHours = 0.0;  // hours from the previous departure to Eta
  double Etd = 1.0;           // day number of departure: Eta + PortStay / 24
  double CallFuel = 0.0;      // t on the leg to this call
  double CallRpm = 0.0;       // engine rpm for Speed
  double Speed = 0.0;         // knots on the leg to this call

  // Stored.
  double Eta = 0.0;         // day number of arrival (UTC)
  double PortStay = 24.0;   // hours in port
  double ZoneHours = 0.0;   // local time minus UTC, hours
  double Distance = 100.0;  // nM from the previous call
  std::string Name = "New Item";

  // The fewest bytes a stored item takes (empty name).
  static constexpr std::size_t kMinimumStoredBytes = 4 * 8 + 1;
};

// The stored fields.
template <RecordOf<ScheduleItem> Item, typename Visitor>
void VisitFields(Item& item, Visitor&& visit) {
  visit("Name", item.Name);
  visit("Distance", item.Distance);
  visit("PortStay", item.PortStay);
  visit("ZoneHours", item.ZoneHours);
  visit("Eta", item.Eta);
}

}  // namespace keelmark
