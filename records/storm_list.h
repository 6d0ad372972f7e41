// StormList: the tropical storms of "hurricane.dat".
#pragma once

#include "records/record_list.h"
#include "records/storm.h"

namespace keelmark {

class StormList : public RecordList<Storm> {
 public:
  // The list shape: i32 count, then each storm.
  void Serialize(Archive& archive) { SerializeRecords(archive); }

 protected:
  [[nodiscard]] std::size_t MinimumRecordBytes() const override {
    return Storm::kMinimumStoredBytes;
  }
};

}  // namespace keelmark
