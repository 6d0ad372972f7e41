#include "cli/file_types.h"

namespace keelmark::cli {

const std::vector<FileType>& FileTypes() {
  static const std::vector<FileType> types = [] {
    std::vector<FileType> all;
    AddRouteFileTypes(all);
    AddReferenceFileTypes(all);
    AddVesselFileTypes(all);
    return all;
  }();
  return types;
}

}  // namespace keelmark::cli
