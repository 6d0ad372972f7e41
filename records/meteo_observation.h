// MeteoObservation: one point of the average-weather grid, with the observations averaged per
// season and the latest one.
#pragma once

#include <cstddef>
#include <string>

#include "records/field_visitor.h"
#include "records/position.h"
#include "records/weather_conditions.h"

namespace keelmark {

class MeteoObservation : public CPosition2 {
 public:
  // The position fields; JunAug, SepDec, JanFeb, MarMay, Latest; MeteoValue; MeteoText.
  void Serialize(Archive& archive) override;
  // Both directions, weather blocks in the layout they were loaded in (StoreLayout::AsLoaded).
  void SerializeAsStored(Archive& archive);

  double MeteoValue = 0.0;   // carried in the file; nothing sets or reads it
  std::string MeteoText;     // carried in the file; nothing sets or reads it
  WeatherConditions JunAug;  // June to August
  WeatherConditions JanFeb;  // January and February
  WeatherConditions MarMay;  // March to May
  WeatherConditions SepDec;  // September to December
  WeatherConditions Latest;  // the latest observation merged in

  // The fewest bytes a stored point takes (empty texts, older weather blocks).
  static constexpr std::size_t kMinimumStoredBytes =
      CPosition2::kMinimumStoredBytes + 5 * WeatherConditions::kMinimumStoredBytes + 8 + 1;

 private:
  void SerializeFields(Archive& archive, StoreLayout layout);
};

// The stored fields: the position's, then the point's own and its five weather blocks.
template <RecordOf<MeteoObservation> Observation, typename Visitor>
void VisitFields(Observation& m, Visitor&& visit) {
  VisitFields(FieldsOfBase<CPosition2>(m), visit);
  visit("MeteoValue", m.MeteoValue);
  visit("MeteoText", m.MeteoText);
  visit("JunAug", m.JunAug);
  visit("JanFeb", m.JanFeb);
  visit("MarMay", m.MarMay);
  visit("SepDec", m.SepDec);
  visit("Latest", m.Latest);
}

}  // namespace keelmark
