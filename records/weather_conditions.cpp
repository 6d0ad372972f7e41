#include "records/weather_conditions.h"

#include <cmath>

#include "navigation/navigation.h"
#include "navigation/text_format.h"
#include "records/archive.h"

namespace keelmark {
namespace {

std::string DirectionAndAmount(double direction, double amount, const char* unit) {
  return CNavigation::CompassPoint(direction) + " " + FormatNumber("%#2.1f", amount) + unit;
}

}  // namespace

void WeatherConditions::Serialize(Archive& archive, StoreLayout layout) {
  // The stored pressure carries the mark so that a loader can tell the full block from the
  // older one, whose first value is the bare pressure.
  if (archive.IsStoring()) {
    const bool older = StoresOlderLayout(layout);
    archive.WriteF64(older ? AirPressure : AirPressure + kPressureMark);
    SerializeCommonFields(archive);
    if (!older) SerializeLaterFields(archive);
    return;
  }
  AirPressure = archive.ReadF64();
  SerializeCommonFields(archive);
  // A pressure that is not a number can only come from a writer that added the mark (and then
  // wrote the whole block), so it reads as the full block rather than misreading the rest.
  OlderLayout = !(AirPressure > kOlderLayoutLimit || std::isnan(AirPressure));
  if (OlderLayout) {
    const WeatherConditions defaults;
    SwellDirection = defaults.SwellDirection;
    SwellHeight = defaults.SwellHeight;
    Visibility = defaults.Visibility;
    WaveHeight = defaults.WaveHeight;
    WeatherText = defaults.WeatherText;
    return;
  }
  AirPressure -= kPressureMark;
  SerializeLaterFields(archive);
}

bool WeatherConditions::StoresOlderLayout(StoreLayout layout) const {
  const double marked = AirPressure + kPressureMark;
  const bool markedReadsBack = marked > kOlderLayoutLimit || std::isnan(marked);
  const bool bareReadsBack = AirPressure <= kOlderLayoutLimit;
  if (layout == StoreLayout::AsLoaded && OlderLayout && bareReadsBack) return true;
  // A pressure of -1000 mb or less would read back as the older layout and shift every field
  // after it, so such a block is written the older way, which keeps the file readable.
  return !markedReadsBack;
}

void WeatherConditions::SerializeCommonFields(Archive& archive) {
  archive.Io(AirTemperature);
  archive.Io(CurrentSet);
  archive.Io(CurrentRate);
  archive.Io(AuxValue);
  archive.Io(SeaTemperature);
  archive.Io(WindDirection);
  archive.Io(WindSpeed);
  archive.Io(ObservationCount);
}

void WeatherConditions::SerializeLaterFields(Archive& archive) {
  archive.Io(SwellDirection);
  archive.Io(SwellHeight);
  archive.Io(Visibility);
  archive.Io(WaveHeight);
  archive.Io(WeatherText);
}

std::string WeatherConditions::WindText() const {
  return DirectionAndAmount(WindDirection, WindSpeed, " kts");
}

std::string WeatherConditions::CurrentText() const {
  return DirectionAndAmount(CurrentSet, CurrentRate, " kts");
}

std::string WeatherConditions::SwellText() const {
  return DirectionAndAmount(SwellDirection, SwellHeight, " mtr");
}

std::string WeatherConditions::VisibilityText() const {
  return FormatNumber("%#2.1f", Visibility) + " nM";
}

std::string WeatherConditions::WaveText() const {
  return FormatNumber("%#2.1f", WaveHeight) + " mtr";
}

}  // namespace keelmark
