// Storm: a tropical storm's observed position with its movement and size.
#pragma once

#include <cstddef>
#include <cstdint>

#include "records/field_visitor.h"
#include "records/position.h"

namespace keelmark {

// Name is the "Name / ID:", Time the time of the position.
class Storm : public CPosition2 {
 public:
  // The position, Course, Speed, MaxWind, CentralPressure, EyeDiameter, FieldRadius,
  // PressureTendency.
  void Serialize(Archive& archive) override;

  std::int32_t PressureTendency = 0;   // 0 "Increasing", 1 "Constant", 2 "Decreasing"
  std::int32_t FieldRadius = 300;      // "Radius of storm field:", nM
  std::int32_t EyeDiameter = 75;       // "Diameter of eye:", nM
  std::int32_t CentralPressure = 900;  // "Air pressure:", mb
  std::int32_t MaxWind = 60;           // "Max. windspeed:", knots
  double Course = 0.0;                 // present movement, degrees true
  double Speed = 0.0;                  // present movement, knots

  // The position with an empty name, two doubles and five integers.
  static constexpr std::size_t kMinimumStoredBytes =
      CPosition2::kMinimumStoredBytes + 2 * 8 + 5 * 4;
};

// The stored fields: the position's, then the storm's own.
template <RecordOf<Storm> StormRecord, typename Visitor>
void VisitFields(StormRecord& s, Visitor&& visit) {
  VisitFields(FieldsOfBase<CPosition2>(s), visit);
  visit("Course", s.Course);
  visit("Speed", s.Speed);
  visit("MaxWind", s.MaxWind);
  visit("CentralPressure", s.CentralPressure);
  visit("EyeDiameter", s.EyeDiameter);
  visit("FieldRadius", s.FieldRadius);
  visit("PressureTendency", s.PressureTendency);
}

}  // namespace keelmark
