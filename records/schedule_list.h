// ScheduleList: the port calls of the master schedule, as stored in "schedule.dat".
#pragma once

#include "records/record_list.h"
#include "records/schedule_item.h"

namespace keelmark {

class ScheduleList : public RecordList<ScheduleItem> {
 public:
  // The list shape: i32 count, then each port call.
  void Serialize(Archive& archive) { SerializeRecords(archive); }

 protected:
  [[nodiscard]] std::size_t MinimumRecordBytes() const override {
    return ScheduleItem::kMinimumStoredBytes;
  }
};

}  // namespace keelmark
