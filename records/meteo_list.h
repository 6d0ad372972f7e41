// MeteoList: the average-weather grid points of "meteo.dat".
#pragma once

#include "records/meteo_observation.h"
#include "records/record_list.h"

namespace keelmark {

class MeteoList : public RecordList<MeteoObservation> {
 public:
  // The list shape: i32 count, then each point.
  void Serialize(Archive& archive) { SerializeRecords(archive); }
  // The same with each point's SerializeAsStored (files dumped and built byte for byte).
  void SerializeAsStored(Archive& archive) {
    SerializeRecordsWith(archive, MinimumRecordBytes(),
                         [](auto& record, Archive& a) { record.SerializeAsStored(a); });
  }

 protected:
  [[nodiscard]] std::size_t MinimumRecordBytes() const override {
    return MeteoObservation::kMinimumStoredBytes;
  }
};

}  // namespace keelmark
