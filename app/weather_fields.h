// WeatherPage: a page that shows fields of a weather-and-current block, each with its name,
// unit and range, the same in every editor.
#pragma once

#include <span>

#include "app/property_sheet.h"
#include "records/weather_conditions.h"

namespace keelmark {

enum class WeatherField {
  WindDirection,
  WindSpeed,
  SwellDirection,
  SwellHeight,
  WaveHeight,
  AirPressure,
  AirTemperature,
  SeaTemperature,
  Visibility,
  CurrentSet,
  CurrentRate,
};

// Copies the fields from one block into another, the others left as they are.
void CopyWeatherFields(std::span<const WeatherField> fields, const WeatherConditions& from,
                       WeatherConditions& to);

class WeatherPage : public PropertyPage {
  Q_OBJECT

 public:
  using PropertyPage::PropertyPage;

 protected:
  // A row for the field of the block, labelled with the field's own name or with `label`.
  NumberEdit* BindWeather(WeatherConditions& weather, WeatherField field, QFormLayout* form,
                          const QString& label = QString());
  // The weather texts a fix editor offers.
  QComboBox* BindWeatherText(WeatherConditions& weather, QFormLayout* form, const QString& label);
};

}  // namespace keelmark
