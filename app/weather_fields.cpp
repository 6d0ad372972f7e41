#include "app/weather_fields.h"

#include <QComboBox>
#include <QFormLayout>

namespace keelmark {

namespace {

// The core's table, in the order of WeatherField.
const WeatherFieldInfo& Info(WeatherField field) {
  return kWeatherFields[static_cast<std::size_t>(field)];
}

std::optional<NumberRange> RangeOf(const WeatherFieldInfo& info) {
  if (info.maximum == kNoLimit) return std::nullopt;
  return NumberRange{info.minimum, info.maximum};
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
  NumberEdit* edit = BindNumber(weather.*info.member, name, RangeOf(info));
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
