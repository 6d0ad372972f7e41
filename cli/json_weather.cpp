#include "cli/json_weather.h"

#include "cli/command_line.h"
#include "records/weather_conditions.h"

namespace keelmark::cli {
namespace {

// The double fields of the block by name; ObservationCount and WeatherText are handled apart.
template <typename Weather, typename Visit>
void ForEachNumber(Weather& w, Visit visit) {
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
}

}  // namespace

Json WeatherToJson(const WeatherConditions& weather) {
  Json object{{"WeatherText", weather.WeatherText},
              {"ObservationCount", weather.ObservationCount}};
  ForEachNumber(weather, [&object](const char* key, double value) {
    object[key] = JsonNumber(value);
  });
  if (weather.OlderLayout) object["OlderLayout"] = true;
  return object;
}

void WeatherFromJson(const Json& object, WeatherConditions& weather) {
  ReadMember(object, "WeatherText", weather.WeatherText);
  ReadMember(object, "ObservationCount", weather.ObservationCount);
  ForEachNumber(weather, [&object](const char* key, double& field) {
    ReadMember(object, key, field);
  });
  ReadMember(object, "OlderLayout", weather.OlderLayout);
  // The stored pressure alone tells the two layouts apart; one that would read back as the
  // other layout would shift every field after it.
  const double limit = WeatherConditions::kOlderLayoutLimit;
  if (weather.OlderLayout && !(weather.AirPressure <= limit)) {
    throw CommandError("an older-layout weather block needs an AirPressure of at most 8000");
  }
  if (!weather.OlderLayout && weather.AirPressure + WeatherConditions::kPressureMark <= limit) {
    throw CommandError("AirPressure must be above -1000, or the block reads back as the older layout");
  }
}

}  // namespace keelmark::cli
