// Arbitrary bytes through every loader of the reference records: ports, charts, document
// references, warnings, reporting points, storms and forecast areas, single and in their lists.
//
// A load either raises ArchiveError or succeeds; after a success, what the record stores as read
// must load back to the same bytes, and what the program stores must load back whole.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "records/archive.h"
#include "records/chart_list.h"
#include "records/document_list.h"
#include "records/forecast_list.h"
#include "records/port_list.h"
#include "records/reporting_point_list.h"
#include "records/storm_list.h"
#include "records/warning_list.h"

namespace keelmark {
namespace {

using Bytes = Archive::Bytes;

template <typename Target>
using SerializeMember = void (Target::*)(Archive&);

// Loads with asStored and checks that storing the same way gives the consumed bytes back; then
// loads with the program's serialize and checks that what it stores reads back to the end.
template <typename Target>
void Exercise(const Bytes& bytes, SerializeMember<Target> asStored,
              SerializeMember<Target> program) {
  {
    Target target;
    Archive in = Archive::ForLoading(bytes);
    try {
      (target.*asStored)(in);
    } catch (const ArchiveError&) {
      return;  // a damaged file is refused; the program form refuses it as well
    }
    Archive out = Archive::ForStoring();
    (target.*asStored)(out);
    const Bytes written = out.TakeBytes();
    // The input may hold what no writer produces (a negative count, which reads as an empty list
    // and is written as 0; a text length in a longer prefix than it needs), so the written bytes
    // may differ from it; what was written must come back unchanged.
    Target reread;
    Archive again = Archive::ForLoading(written);
    (reread.*asStored)(again);
    Archive rewritten = Archive::ForStoring();
    (reread.*asStored)(rewritten);
    if (!again.AtEnd() || rewritten.StoredBytes() != written) std::abort();
  }
  Target target;
  Archive in = Archive::ForLoading(bytes);
  (target.*program)(in);
  Archive out = Archive::ForStoring();
  (target.*program)(out);
  Target again;
  Archive back = Archive::ForLoading(out.TakeBytes());
  (again.*program)(back);  // an ArchiveError here escapes and is reported as a crash
  if (!back.AtEnd()) std::abort();
}

}  // namespace
}  // namespace keelmark

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace keelmark;
  const Bytes bytes(data, data + size);
  Exercise<DocumentRef>(bytes, &DocumentRef::Serialize, &DocumentRef::Serialize);
  Exercise<DocumentList>(bytes, &DocumentList::Serialize, &DocumentList::Serialize);
  Exercise<DocumentList>(bytes, &DocumentList::SerializeFilePaths,
                         &DocumentList::SerializeFilePaths);
  Exercise<Chart>(bytes, &Chart::SerializeAsStored, &Chart::Serialize);
  Exercise<ChartList>(bytes, &ChartList::SerializeAsStored, &ChartList::Serialize);
  Exercise<Port>(bytes, &Port::SerializeAsStored, &Port::Serialize);
  Exercise<PortList>(bytes, &PortList::SerializeAsStored, &PortList::Serialize);
  Exercise<NavWarning>(bytes, &NavWarning::Serialize, &NavWarning::Serialize);
  Exercise<WarningList>(bytes, &WarningList::Serialize, &WarningList::Serialize);
  Exercise<ReportingPoint>(bytes, &ReportingPoint::Serialize, &ReportingPoint::Serialize);
  Exercise<ReportingPointList>(bytes, &ReportingPointList::Serialize,
                               &ReportingPointList::Serialize);
  Exercise<Storm>(bytes, &Storm::Serialize, &Storm::Serialize);
  Exercise<StormList>(bytes, &StormList::Serialize, &StormList::Serialize);
  Exercise<ForecastArea>(bytes, &ForecastArea::SerializeAsStored, &ForecastArea::Serialize);
  Exercise<ForecastList>(bytes, &ForecastList::SerializeAsStored, &ForecastList::Serialize);
  return 0;
}
