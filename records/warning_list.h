// WarningList: the navigational warnings of "warning.dat".
#pragma once

#include "records/nav_warning.h"
#include "records/record_list.h"

namespace keelmark {

class WarningList : public RecordList<NavWarning> {
 public:
  // The list shape: i32 count, then each warning.
  void Serialize(Archive& archive) { SerializeRecords(archive); }

 protected:
  [[nodiscard]] std::size_t MinimumRecordBytes() const override {
    return NavWarning::kMinimumStoredBytes;
  }
};

}  // namespace keelmark
