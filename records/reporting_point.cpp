#include "records/reporting_point.h"

#include "records/archive.h"

namespace keelmark {

void ReportingPoint::Serialize(Archive& archive) {
  CPosition2::Serialize(archive);
  archive.Io(ReportValue);
  archive.Io(ReportFlag);
  archive.Io(Action);
  archive.Io(Note);
  Documents.SerializeFilePaths(archive);
}

}  // namespace keelmark
