// Arbitrary text as a meteo import: every line is merged or skipped, never a crash, a hang or
// a record the average-weather file cannot store and load again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "records/archive.h"
#include "records/meteo_list.h"
#include "reports/meteo_exchange.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  keelmark::MeteoList list;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const keelmark::MeteoImportResult result = keelmark::ImportMeteoText(list, text, ",");
  if (result.merged < 0 || result.skipped < 0) std::abort();
  keelmark::Archive stored = keelmark::Archive::ForStoring();
  list.SerializeAsStored(stored);
  keelmark::Archive loaded = keelmark::Archive::ForLoading(stored.TakeBytes());
  keelmark::MeteoList again;
  again.SerializeAsStored(loaded);  // an ArchiveError here escapes to the fuzzer: a finding
  if (!loaded.AtEnd() || again.GetCount() != list.GetCount()) std::abort();
  return 0;
}
