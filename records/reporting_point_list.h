// ReportingPointList: the reporting points of the route document.
#pragma once

#include "records/record_list.h"
#include "records/reporting_point.h"

namespace keelmark {

class ReportingPointList : public RecordList<ReportingPoint> {
 public:
  // The list shape with each reporting point's Serialize.
  void Serialize(Archive& archive);

  // A new reporting point (named "Reporting Point") inserted after the given one, or appended
  // when none is given or it is not in this list.
  ReportingPoint* AddNew(const ReportingPoint* after = nullptr);

 protected:
  [[nodiscard]] std::size_t MinimumRecordBytes() const override {
    return ReportingPoint::kMinimumStoredBytes;
  }
};

}  // namespace keelmark
