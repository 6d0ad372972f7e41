// Arbitrary text as a settings file: the reader must take any bytes without crashing, and what
// it reads must be written and read back to the same values.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "records/ini_settings_store.h"
#include "records/settings_keys.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  keelmark::IniSettingsStore store("");
  store.Parse(std::string_view(reinterpret_cast<const char*>(data), size));
  const std::string once = store.Format();
  keelmark::IniSettingsStore again("");
  again.Parse(once);
  if (again.Format() != once) std::abort();
  for (const keelmark::SettingInfo& info : keelmark::kSettingTable) {
    if (store.Lookup(info.section, info.key) != again.Lookup(info.section, info.key)) std::abort();
    (void)store.ReadInt(info.section, info.key, info.intDefault);
  }
  return 0;
}
