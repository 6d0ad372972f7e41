// Reading and writing whole archive files: a load reads every byte first, a store writes a
// temporary file beside the target and renames it over the target only when it is complete and
// on the disk, so that neither a crash nor a power failure leaves a half file.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "records/archive.h"
#include "records/content_digest.h"

namespace keelmark {

enum class LoadStatus { Loaded, CannotOpen, Damaged };

// A file as it stands on the disk: which file, how long, when last changed. A file written
// anew (a store renames a new file over it) or changed in place has another stamp.
struct FileStamp {
  std::uintmax_t device = 0;
  std::uintmax_t inode = 0;
  std::uintmax_t size = 0;
  std::int64_t changedSeconds = 0;
  std::int64_t changedNanoseconds = 0;
  bool operator==(const FileStamp&) const = default;
};

// The stamp of the file at path; nothing when there is none.
[[nodiscard]] std::optional<FileStamp> StampOf(const std::string& path);

struct LoadResult {
  LoadStatus status = LoadStatus::Loaded;
  std::string detail;  // what was wrong, for CannotOpen and Damaged
  // Of a file read whole: its stamp as it was opened, and the digest of the bytes read.
  FileStamp stamp;
  ContentDigest digest;
  [[nodiscard]] bool Ok() const { return status == LoadStatus::Loaded; }
};

// The largest file a load reads, in bytes. No real file comes near these; anything larger is
// not one of ours (or is a device), and is refused before a byte of it is read.
// The average-weather grid: about 100 MB for a whole ocean at fine resolution.
inline constexpr std::uintmax_t kLargestMeteoFile = std::uintmax_t{1} << 30;
// Every other file: data files, route documents, record exchange files, settings, texts.
inline constexpr std::uintmax_t kLargestDataFile = std::uintmax_t{64} << 20;

// The whole content of a regular file of at most maxBytes, or nothing when it is not one or
// cannot be read (error, when given, says why). A folder, a device or a pipe is refused
// without being read.
// stamp, when given, receives the stamp of the file as it was opened.
[[nodiscard]] std::optional<Archive::Bytes> ReadWholeFile(
    const std::string& path, std::uintmax_t maxBytes = kLargestDataFile,
    std::string* error = nullptr, FileStamp* stamp = nullptr);

// Puts the entries of the folder holding path (a rename) on the disk. Some file systems cannot
// sync a folder; the file itself is on the disk by then, so this is done where it can be and
// not reported.
void SyncFolderOf(const std::string& path);

// Writes the bytes to PATH.tmp, gives it the permission bits of the file it replaces, puts it
// on the disk (fsync), renames it over PATH and puts the folder entry on the disk. On any
// failure the old file is untouched and error (when given) names the file and the reason.
[[nodiscard]] bool WriteFileAtomically(const std::string& path, std::string_view bytes,
                                       std::string* error = nullptr);

// Loads a file through serialize, reading it a window at a time. A file that cannot be opened or
// read on (see ReadWholeFile for the checks) reports CannotOpen; an archive error while
// loading, or bytes left after it, reports Damaged; what serialize filled in by then is the
// caller's to discard.
[[nodiscard]] LoadResult LoadArchiveFile(const std::string& path,
                                         const std::function<void(Archive&)>& serialize,
                                         std::uintmax_t maxBytes = kLargestDataFile);

// The digest of the bytes serialize would store.
[[nodiscard]] ContentDigest DigestOfStored(const std::function<void(Archive&)>& serialize);

// Stores through serialize into an archive, then writes it with WriteFileAtomically.
[[nodiscard]] bool StoreArchiveFile(const std::string& path,
                                    const std::function<void(Archive&)>& serialize,
                                    std::string* error = nullptr);

// Moves a damaged file aside as PATH.damaged-YYYYMMDD-HHMMSS (UTC time `now`), so that nothing
// stored at PATH later can destroy it; when that name is taken (set aside within the same
// second) a counter follows: PATH.damaged-YYYYMMDD-HHMMSS-2, -3 ... An earlier copy is never
// written over. The new path, or nothing when it could not be moved.
[[nodiscard]] std::optional<std::string> KeepDamagedFile(const std::string& path, TimeValue now);

}  // namespace keelmark
