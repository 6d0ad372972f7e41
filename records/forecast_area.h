// ForecastArea: a weather forecast for the area between two corner positions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "navigation/time_value.h"
#include "records/field_visitor.h"
#include "records/position.h"
#include "records/weather_conditions.h"

namespace keelmark {

class Archive;

class ForecastArea {
 public:
  // The forecast time starts at the creation time, read from the process clock.
  ForecastArea();
  virtual ~ForecastArea() = default;
  ForecastArea(const ForecastArea&) = default;
  ForecastArea& operator=(const ForecastArea&) = default;

  // NorthWest, SouthEast (each a position's fields), Name, AreaText, AreaValue, ForecastTime,
  // Weather, UseAverageCurrent.
  virtual void Serialize(Archive& archive);
  // The same with the weather block in the layout it was loaded in (files dumped and built byte
  // for byte).
  void SerializeAsStored(Archive& archive);

  // True strictly inside: SouthEast latitude < latitude < NorthWest latitude and NorthWest
  // longitude < longitude < SouthEast longitude. A position on a border is outside; longitudes
  // are compared as plain numbers, so an area across 180 degrees contains nothing.
  [[nodiscard]] bool Contains(const CPosition2& position) const;

  [[nodiscard]] std::string GetName() const { return Name; }
  void SetName(const std::string& name) { Name = name; }
  [[nodiscard]] const CPosition2& GetNorthWest() const { return NorthWest; }
  [[nodiscard]] const CPosition2& GetSouthEast() const { return SouthEast; }
  [[nodiscard]] CPosition2& GetNorthWest() { return NorthWest; }
  [[nodiscard]] CPosition2& GetSouthEast() { return SouthEast; }

  double AreaValue = 7623.0;           // carried in the file
  TimeValue ForecastTime;              // "Date and time:" of the forecast
  std::string AreaText = "Earth";      // carried in the file
  std::string Name;                    // "Name:"
  CPosition2 SouthEast;                // the southern latitude and the eastern longitude
  CPosition2 NorthWest;                // the northern latitude and the western longitude
  std::int32_t UseAverageCurrent = 1;  // 1: average current for the season; 0: the forecast's
  WeatherConditions Weather;           // forecast wind, waves, swell, visibility and current

  // Two positions with empty names, two empty texts, a double, a time, an older-layout weather
  // block and an integer.
  static constexpr std::size_t kMinimumStoredBytes =
      2 * CPosition2::kMinimumStoredBytes + 2 + 8 + 4 + WeatherConditions::kMinimumStoredBytes + 4;

 private:
  void SerializeFields(Archive& archive, StoreLayout layout);
};

// The stored fields: the area's own, its corners and its forecast weather.
template <RecordOf<ForecastArea> Area, typename Visitor>
void VisitFields(Area& a, Visitor&& visit) {
  visit("Name", a.Name);
  visit("AreaText", a.AreaText);
  visit("AreaValue", a.AreaValue);
  visit("ForecastTime", a.ForecastTime);
  visit("UseAverageCurrent", a.UseAverageCurrent);
  visit("NorthWest", a.NorthWest);
  visit("SouthEast", a.SouthEast);
  visit("Weather", a.Weather);
}

}  // namespace keelmark
