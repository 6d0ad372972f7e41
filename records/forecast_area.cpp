#include "records/forecast_area.h"

#include "navigation/clock.h"
#include "records/archive.h"

namespace keelmark {

ForecastArea::ForecastArea() : ForecastTime(ProcessClock().Now()) {}

void ForecastArea::Serialize(Archive& archive) { SerializeFields(archive, StoreLayout::Current); }

void ForecastArea::SerializeAsStored(Archive& archive) {
  SerializeFields(archive, StoreLayout::AsLoaded);
}

void ForecastArea::SerializeFields(Archive& archive, StoreLayout layout) {
  NorthWest.Serialize(archive);
  SouthEast.Serialize(archive);
  archive.Io(Name);
  archive.Io(AreaText);
  archive.Io(AreaValue);
  archive.IoTime(ForecastTime);
  Weather.Serialize(archive, layout);
  archive.Io(UseAverageCurrent);
}

bool ForecastArea::Contains(const CPosition2& position) const {
  const double latitude = position.GetLatitude();
  const double longitude = position.GetLongitude();
  return SouthEast.GetLatitude() < latitude && latitude < NorthWest.GetLatitude() &&
         NorthWest.GetLongitude() < longitude && longitude < SouthEast.GetLongitude();
}

}  // namespace keelmark
