// Reading and writing whole archive files: a load reads every byte first, a store writes a
// temporary file beside the target and renames it over the target only when it is complete.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "records/archive.h"

namespace keelmark {

enum class LoadStatus { Loaded, CannotOpen, Damaged };

struct LoadResult {
  LoadStatus status = LoadStatus::Loaded;
  std::string detail;  // what was wrong, for CannotOpen and Damaged
  [[nodiscard]] bool Ok() const { return status == LoadStatus::Loaded; }
};

// The whole content of a file, or nothing when it cannot be opened or read.
[[nodiscard]] std::optional<Archive::Bytes> ReadWholeFile(const std::string& path);

// Writes the bytes to PATH.tmp and renames that over PATH once it is flushed and closed;
// on any failure the old file is untouched and error (when given) says why.
[[nodiscard]] bool WriteFileAtomically(const std::string& path, std::string_view bytes,
                                       std::string* error = nullptr);

// Loads a file through serialize. An archive error while loading reports Damaged; what
// serialize filled in by then is the caller's to discard.
[[nodiscard]] LoadResult LoadArchiveFile(const std::string& path,
                                         const std::function<void(Archive&)>& serialize);

// Stores through serialize into an archive, then writes it with WriteFileAtomically.
[[nodiscard]] bool StoreArchiveFile(const std::string& path,
                                    const std::function<void(Archive&)>& serialize,
                                    std::string* error = nullptr);

// Moves a damaged file aside as PATH.damaged-YYYYMMDD-HHMMSS (UTC time `now`), so that nothing
// stored at PATH later can destroy it. The new path, or nothing when it could not be moved.
[[nodiscard]] std::optional<std::string> KeepDamagedFile(const std::string& path, TimeValue now);

}  // namespace keelmark
