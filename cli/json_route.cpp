// JSON forms of the route records for keelmark dump and build.
#include "cli/file_types.h"

namespace keelmark::cli {

void AddRouteFileTypes(std::vector<FileType>& /*types*/) {}

}  // namespace keelmark::cli
