// JSON forms of the reference records for keelmark dump and build.
#include "cli/file_types.h"

namespace keelmark::cli {

void AddReferenceFileTypes(std::vector<FileType>& /*types*/) {}

}  // namespace keelmark::cli
