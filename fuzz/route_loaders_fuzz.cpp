// Arbitrary bytes into every loader of the route records: each must either load or raise
// ArchiveError, never crash, hang or allocate beyond what the bytes could describe. Whatever
// loads must store and load again to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <functional>

#include "records/archive.h"
#include "records/chart_list.h"
#include "records/history_list.h"
#include "records/meteo_list.h"
#include "records/reporting_point_list.h"
#include "records/route_document.h"
#include "records/schedule_list.h"
#include "records/voyage.h"

namespace {

using keelmark::Archive;

Archive::Bytes Stored(const std::function<void(Archive&)>& serialize) {
  Archive archive = Archive::ForStoring();
  serialize(archive);
  return archive.TakeBytes();
}

// Loads into target, stores it, and checks that the stored bytes load and store unchanged.
template <typename Target, typename Serialize>
void LoadStoreLoad(const Archive::Bytes& bytes, Serialize serialize) {
  Target target;
  Archive in = Archive::ForLoading(bytes);
  try {
    serialize(target, in);
  } catch (const keelmark::ArchiveError&) {
    return;
  }
  const Archive::Bytes once = Stored([&](Archive& a) { serialize(target, a); });
  Target again;
  Archive reread = Archive::ForLoading(once);
  serialize(again, reread);  // an ArchiveError here is a finding: escapes to the fuzzer
  const Archive::Bytes twice = Stored([&](Archive& a) { serialize(again, a); });
  if (once != twice || !reread.AtEnd()) std::abort();
}

struct RouteParts {
  keelmark::Voyage voyage;
  keelmark::ChartList charts;
  keelmark::ReportingPointList points;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const Archive::Bytes bytes(data, data + size);
  auto asStored = [](auto& target, Archive& a) { target.SerializeAsStored(a); };
  auto plain = [](auto& target, Archive& a) { target.Serialize(a); };
  LoadStoreLoad<keelmark::Voyage>(bytes, asStored);
  LoadStoreLoad<keelmark::HistoryList>(bytes, plain);
  LoadStoreLoad<keelmark::HistoryList>(bytes, asStored);
  LoadStoreLoad<keelmark::MeteoList>(bytes, asStored);
  LoadStoreLoad<keelmark::ScheduleList>(bytes, plain);
  LoadStoreLoad<keelmark::Waypoint>(bytes, plain);
  LoadStoreLoad<keelmark::Waypoint>(bytes, asStored);
  LoadStoreLoad<keelmark::PositionFix>(bytes, asStored);
  LoadStoreLoad<keelmark::MeteoObservation>(bytes, plain);
  LoadStoreLoad<keelmark::ScheduleItem>(bytes, plain);
  LoadStoreLoad<RouteParts>(bytes, [](RouteParts& r, Archive& a) {
    keelmark::SerializeRouteDocument(a, r.voyage, r.charts, r.points);
  });
  LoadStoreLoad<RouteParts>(bytes, [](RouteParts& r, Archive& a) {
    keelmark::SerializeRouteDocumentAsStored(a, r.voyage, r.charts, r.points);
  });
  return 0;
}
