// PositionFix: one fix of the voyage history, with the weather observed and the current
// estimated at it.
#pragma once

#include <cstddef>
#include <string>

#include "records/field_visitor.h"
#include "records/position.h"
#include "records/weather_conditions.h"

namespace keelmark {

class PositionFix : public CPosition2 {
 public:
  // The position fields, Weather, CourseMadeGood, SpeedMadeGood, SteeredCourse, LogSpeed,
  // FixSpare, EngineRpm, DraftAft.
  void Serialize(Archive& archive) override;
  // Both directions, weather blocks in the layout they were loaded in (StoreLayout::AsLoaded).
  void SerializeAsStored(Archive& archive);

  // Ship-report groups: course made good "045/", speed made good in tenths "123/", and the day,
  // hour and minute of Time "061230Z/".
  [[nodiscard]] std::string ReportCourse() const;
  [[nodiscard]] std::string ReportSpeed() const;
  [[nodiscard]] std::string ReportTime() const;

  WeatherConditions Weather;    // observed weather and estimated current
  double DraftAft = 4.0;        // m
  double EngineRpm = 0.0;       // engine setting, rpm
  double LogSpeed = 0.0;        // knots through the water
  double SteeredCourse = 0.0;   // degrees true
  double FixSpare = 0.0;        // carried in the file
  double CourseMadeGood = 0.0;  // degrees true, from the previous fix
  double SpeedMadeGood = 0.0;   // knots, from the previous fix

  // The fewest bytes a stored fix takes (empty name, older weather block).
  static constexpr std::size_t kMinimumStoredBytes =
      CPosition2::kMinimumStoredBytes + WeatherConditions::kMinimumStoredBytes + 7 * 8;

 private:
  void SerializeFields(Archive& archive, StoreLayout layout);
};

// The stored fields: the position's, then the fix's own.
template <RecordOf<PositionFix> Fix, typename Visitor>
void VisitFields(Fix& f, Visitor&& visit) {
  VisitFields(FieldsOfBase<CPosition2>(f), visit);
  visit("Weather", f.Weather);
  visit("DraftAft", f.DraftAft);
  visit("EngineRpm", f.EngineRpm);
  visit("LogSpeed", f.LogSpeed);
  visit("SteeredCourse", f.SteeredCourse);
  visit("FixSpare", f.FixSpare);
  visit("CourseMadeGood", f.CourseMadeGood);
  visit("SpeedMadeGood", f.SpeedMadeGood);
}

}  // namespace keelmark
