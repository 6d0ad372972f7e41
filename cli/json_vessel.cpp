// JSON forms of the vessel records for keelmark dump and build.
#include "cli/file_types.h"

namespace keelmark::cli {

void AddVesselFileTypes(std::vector<FileType>& /*types*/) {}

}  // namespace keelmark::cli
