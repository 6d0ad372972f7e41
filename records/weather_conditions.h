// WeatherConditions: the weather-and-current block of waypoints, fixes, forecast areas and
// average-weather points.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include "records/field_visitor.h"

namespace keelmark {

class Archive;

// How a block is stored: always the full layout with the pressure mark (what the program
// writes), or in the layout it was loaded in (dump and build give files back byte for byte).
enum class StoreLayout { Current, AsLoaded };

class WeatherConditions {
 public:
  // Stored pressure + 9000.0, AirTemperature, CurrentSet, CurrentRate, AuxValue, SeaTemperature,
  // WindDirection, WindSpeed, ObservationCount, then SwellDirection, SwellHeight, Visibility,
  // WaveHeight, WeatherText. A stored pressure of 8000.0 or less marks the older block that ends
  // after ObservationCount; its last five fields load as the defaults and OlderLayout is set.
  // With AsLoaded, a block with OlderLayout is stored the older way: the bare pressure and the
  // first nine values only. A pressure of -1000 mb or less, which the mark cannot carry, is
  // stored the older way in both cases.
  void Serialize(Archive& archive, StoreLayout layout = StoreLayout::Current);

  // "NNE 12.0 kts", "S 1.5 kts", "W 2.0 mtr", "15.0 nM", "1.5 mtr"; "NA" for a number that is
  // not finite.
  [[nodiscard]] std::string WindText() const;
  [[nodiscard]] std::string CurrentText() const;
  [[nodiscard]] std::string SwellText() const;
  [[nodiscard]] std::string VisibilityText() const;
  [[nodiscard]] std::string WaveText() const;

  bool operator==(const WeatherConditions&) const = default;

  double WaveHeight = 0.0;       // m
  double SwellHeight = 0.0;      // m
  double SwellDirection = 0.0;   // degrees true
  std::string WeatherText;       // "GOOD", "RAIN", "FOG" ...
  double Visibility = 15.0;      // nM
  double SeaTemperature = 18.0;  // degrees
  double AirTemperature = 18.0;  // degrees
  double AirPressure = 1000.0;   // mb
  double AuxValue = 1.4;         // carried in the file, averaged with the temperatures
  double CurrentSet = 0.0;       // degrees true, the direction the current flows towards
  double CurrentRate = 0.0;      // knots
  double WindDirection = 0.0;    // degrees true
  double WindSpeed = 0.0;        // knots

  std::int32_t ObservationCount = 0;  // observations averaged into the block
  // Not stored: the block was loaded in the older layout. Next to the count, so that the two
  // share one word: a large grid holds five blocks for each of its points.
  bool OlderLayout = false;

  // The fewest bytes a stored block takes: the older layout, 8 doubles and one integer.
  static constexpr std::size_t kMinimumStoredBytes = 8 * 8 + 4;
  // Stored pressures (mb) of this or less mark the older layout.
  static constexpr double kOlderLayoutLimit = 8000.0;
  // Added to the pressure in the full layout.
  static constexpr double kPressureMark = 9000.0;

 private:
  [[nodiscard]] bool StoresOlderLayout(StoreLayout layout) const;
  // The values after the pressure that both layouts hold, and those only the full one holds.
  void SerializeCommonFields(Archive& archive);
  void SerializeLaterFields(Archive& archive);
};

// The observed values of a block as an officer enters them: name (in labels and messages),
// unit, and the values that can be true at sea (both ends included). Every editor and command
// that takes an observation checks it against this one table.
struct WeatherFieldInfo {
  const char* name;
  const char* unit;
  double WeatherConditions::*member;
  double minimum;
  double maximum;

  [[nodiscard]] bool Allows(double value) const { return value >= minimum && value <= maximum; }
};

inline constexpr double kNoLimit = std::numeric_limits<double>::infinity();
inline const std::array<WeatherFieldInfo, 11> kWeatherFields = {{
    {"Wind direction", "deg", &WeatherConditions::WindDirection, 0.0, 360.0},
    {"Wind speed", "kts", &WeatherConditions::WindSpeed, 0.0, 300.0},
    {"Direction of swell", "deg", &WeatherConditions::SwellDirection, 0.0, 360.0},
    {"Height of swell", "mtr", &WeatherConditions::SwellHeight, 0.0, 30.0},
    {"Wave height", "mtr", &WeatherConditions::WaveHeight, 0.0, 30.0},
    {"Air pressure", "mb", &WeatherConditions::AirPressure, 800.0, 1200.0},
    {"Air temperature", "deg", &WeatherConditions::AirTemperature, -50.0, 50.0},
    {"Sea temperature", "deg", &WeatherConditions::SeaTemperature, -4.0, 50.0},
    {"Visibility", "nM", &WeatherConditions::Visibility, 0.0, 100.0},
    {"Current direction", "deg", &WeatherConditions::CurrentSet, 0.0, 360.0},
    {"Current speed", "kts", &WeatherConditions::CurrentRate, -kNoLimit, kNoLimit},
}};

// The stored fields, and OlderLayout: the mark of a block loaded in the older layout.
template <RecordOf<WeatherConditions> Weather, typename Visitor>
void VisitFields(Weather& w, Visitor&& visit) {
  visit("WeatherText", w.WeatherText);
  visit("ObservationCount", w.ObservationCount);
  visit("WaveHeight", w.WaveHeight);
  visit("SwellHeight", w.SwellHeight);
  visit("SwellDirection", w.SwellDirection);
  visit("Visibility", w.Visibility);
  visit("SeaTemperature", w.SeaTemperature);
  visit("AirTemperature", w.AirTemperature);
  visit("AirPressure", w.AirPressure);
  visit("AuxValue", w.AuxValue);
  visit("CurrentSet", w.CurrentSet);
  visit("CurrentRate", w.CurrentRate);
  visit("WindDirection", w.WindDirection);
  visit("WindSpeed", w.WindSpeed);
  visit("OlderLayout", w.OlderLayout);
}

}  // namespace keelmark
