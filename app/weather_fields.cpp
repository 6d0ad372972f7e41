#include "app/weather_fields.h"

#include <QComboBox>
#include <QFormLayout>

namespace keelmark {

namespace {

struct WeatherFieldInfo {
  const char* name;  // in labels and messages
  const char* unit;
  double WeatherConditions::*member;
  std::optional<NumberRange> range;
};

const WeatherFieldInfo& Info(WeatherField field) {
  static const WeatherFieldInfo kFields[] = {
      {"Wind direction", "deg", &WeatherConditions::WindDirection, NumberRange{0.0, 360.0}},
      {"Wind speed", "kts", &WeatherConditions::WindSpeed, NumberRange{0.0, 300.0}},
      {"Direction of swell", "deg", &WeatherConditions::SwellDirection,
       NumberRange{0.0, 360.0}},
      {"Height of swell", "mtr", &WeatherConditions::SwellHeight, NumberRange{0.0, 30.0}},
      {"Wave height", "mtr", &WeatherConditions::WaveHeight, NumberRange{0.0, 30.0}},
      {"Air pressure", "mb", &WeatherConditions::AirPressure, NumberRange{800.0, 1200.0}},
      {"Air temperature", "deg", &WeatherConditions::AirTemperature, NumberRange{-50.0, 50.0}},
      {"Sea temperature", "deg", &WeatherConditions::SeaTemperature, NumberRange{-4.0, 50.0}},
      {"Visibility", "nM", &WeatherConditions::Visibility, NumberRange{0.0, 100.0}},
      {"Current direction", "deg", &WeatherConditions::CurrentSet, NumberRange{0.0, 360.0}},
      {"Current speed", "kts", &WeatherConditions::CurrentRate, std::nullopt},
  };
  return kFields[static_cast<int>(field)];
}

// The weather texts a fix editor offers; any other text can be typed.
const QStringList& WeatherTexts() {
  static const QStringList kTexts = {"GOOD",  "RAIN",     "STORM",  "FOG",
                                     "ROUGH", "OVERCAST", "CYCLONE"};
  return kTexts;
}

}  // namespace

void CopyWeatherFields(std::span<const WeatherField> fields, const WeatherConditions& from,
                       WeatherConditions& to) {
  for (const WeatherField field : fields) {
    const auto member = Info(field).member;
    to.*member = from.*member;
  }
}

NumberEdit* WeatherPage::BindWeather(WeatherConditions& weather, WeatherField field,
                                     QFormLayout* form, const QString& label) {
  const WeatherFieldInfo& info = Info(field);
  const QString name = QString::fromLatin1(info.name);
  NumberEdit* edit = BindNumber(weather.*info.member, name, info.range);
  AddRow(form, label.isEmpty() ? name + QLatin1Char(':') : label, edit,
         QString::fromLatin1(info.unit));
  return edit;
}

QComboBox* WeatherPage::BindWeatherText(WeatherConditions& weather, QFormLayout* form,
                                        const QString& label) {
  QComboBox* box = BindComboText(weather.WeatherText, WeatherTexts(), FieldName(label), true);
  AddRow(form, label, box);
  return box;
}

}  // namespace keelmark
