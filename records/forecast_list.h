// ForecastList: the weather forecast areas of "forecast.dat".
#pragma once

#include "records/forecast_area.h"
#include "records/record_list.h"

namespace keelmark {

class ForecastList : public RecordList<ForecastArea> {
 public:
  // The list shape: i32 count, then each area.
  void Serialize(Archive& archive) { SerializeRecords(archive); }
  // The same with each area's SerializeAsStored (files dumped and built byte for byte).
  void SerializeAsStored(Archive& archive) {
    SerializeRecordsWith(archive, MinimumRecordBytes(),
                         [](ForecastArea& area, Archive& a) { area.SerializeAsStored(a); });
  }

 protected:
  [[nodiscard]] std::size_t MinimumRecordBytes() const override {
    return ForecastArea::kMinimumStoredBytes;
  }
};

}  // namespace keelmark
