#include "records/voyage.h"

namespace keelmark {

void Voyage::Serialize(Archive& archive) {
  SerializeFields(archive, CarriesVersion(), StoreLayout::Current);
}

void Voyage::SerializeAsStored(Archive& archive) {
  SerializeFields(archive, true, StoreLayout::AsLoaded);
}

void Voyage::SerializeFields(Archive& archive, bool versionField, StoreLayout layout) {
  if (archive.IsLoading()) RemoveAll();
  if (versionField) archive.Io(Version);
  archive.Io(VoyageNumber);
  archive.Io(ConstantRpm);
  SerializeRecordsWith(archive, MinimumRecordBytes(), [layout](Waypoint& waypoint, Archive& a) {
    if (layout == StoreLayout::AsLoaded) {
      waypoint.SerializeAsStored(a);
    } else {
      waypoint.Serialize(a);
    }
  });
  if (CarriesVersion()) archive.Io(Note);
}

}  // namespace keelmark
