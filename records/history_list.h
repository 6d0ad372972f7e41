// HistoryList: the voyage history, position fixes oldest first; the last is the latest fix.
#pragma once

#include "records/position_fix.h"
#include "records/record_list.h"

namespace keelmark {

class HistoryList : public RecordList<PositionFix> {
 public:
  // The list shape: i32 count, then each fix.
  void Serialize(Archive& archive) { SerializeRecords(archive); }
  // The same with each fix's SerializeAsStored (files dumped and built byte for byte).
  void SerializeAsStored(Archive& archive) {
    SerializeRecordsWith(archive, MinimumRecordBytes(),
                         [](auto& record, Archive& a) { record.SerializeAsStored(a); });
  }

 protected:
  [[nodiscard]] std::size_t MinimumRecordBytes() const override {
    return PositionFix::kMinimumStoredBytes;
  }
};

}  // namespace keelmark
