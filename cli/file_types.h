// The binary file types that `keelmark dump` and `keelmark build` know, each as a pair of
// functions between an archive and its JSON form.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "cli/json_fields.h"
#include "records/archive.h"

namespace keelmark::cli {

struct FileType {
  std::string name;  // the --type word: "route", "history", "record:waypoint" ...
  // Loads the whole file content from the archive and returns it as JSON.
  std::function<Json(Archive&)> dump;
  // Builds the content from JSON (absent fields take their defaults) and stores it.
  std::function<void(const Json&, Archive&)> build;
};

// Every known type.
[[nodiscard]] const std::vector<FileType>& FileTypes();

}  // namespace keelmark::cli
