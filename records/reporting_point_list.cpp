#include "records/reporting_point_list.h"

namespace keelmark {

void ReportingPointList::Serialize(Archive& archive) { SerializeRecords(archive); }

ReportingPoint* ReportingPointList::AddNew(const ReportingPoint* after) {
  return InsertAfter(after, std::make_unique<ReportingPoint>());
}

}  // namespace keelmark
