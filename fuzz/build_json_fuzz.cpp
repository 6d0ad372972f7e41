// Arbitrary text as the JSON input of `keelmark build`, for every file type: a clear refusal
// (exit 1 or 2) or a file, never a crash or a hang; a file built must dump without a fault.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>

#include "cli/cli.h"
#include "cli/file_types.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The first byte picks the type, the rest is the input.
  const auto& types = keelmark::cli::FileTypes();
  const std::string& type = types[data[0] % types.size()].name;
  std::istringstream in(std::string(reinterpret_cast<const char*>(data) + 1, size - 1));
  std::streambuf* const saved = std::cin.rdbuf(in.rdbuf());
  std::ostringstream out, err;
  const int status = keelmark::cli::Run({"build", "--type", type}, out, err);
  std::cin.rdbuf(saved);
  if (status != 0 && status != 1) std::abort();
  if (status == 1 && err.str().empty()) std::abort();  // a refusal always says why
  if (status == 0) {
    const std::string bytes = out.str();
    keelmark::Archive archive =
        keelmark::Archive::ForLoading(keelmark::Archive::Bytes(bytes.begin(), bytes.end()));
    for (const auto& t : types) {
      if (t.name == type) (void)t.dump(archive);  // an ArchiveError escapes: a finding
    }
  }
  return 0;
}
