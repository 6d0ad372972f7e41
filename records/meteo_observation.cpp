#include "records/meteo_observation.h"

#include "records/archive.h"

namespace keelmark {

void MeteoObservation::Serialize(Archive& archive) {
  SerializeFields(archive, StoreLayout::Current);
}

void MeteoObservation::SerializeAsStored(Archive& archive) {
  SerializeFields(archive, StoreLayout::AsLoaded);
}

void MeteoObservation::SerializeFields(Archive& archive, StoreLayout layout) {
  CPosition2::Serialize(archive);
  JunAug.Serialize(archive, layout);
  SepDec.Serialize(archive, layout);
  JanFeb.Serialize(archive, layout);
  MarMay.Serialize(archive, layout);
  Latest.Serialize(archive, layout);
  archive.Io(MeteoValue);
  archive.Io(MeteoText);
}

}  // namespace keelmark
