#include "records/archive_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <utility>

#include "navigation/calendar.h"

namespace keelmark {
namespace {

void SetError(std::string* error, std::string text) {
  if (error) *error = std::move(text);
}

std::string Reason() { return std::strerror(errno); }

// The message of a read that failed part way or before it began.
std::string CannotRead(const std::string& path, const std::string& reason) {
  return "cannot read " + path + ": " + reason;
}

// A file descriptor closed when it goes out of scope.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  FileDescriptor(FileDescriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  FileDescriptor& operator=(FileDescriptor&&) = delete;
  [[nodiscard]] int Get() const { return fd_; }
  [[nodiscard]] bool Valid() const { return fd_ >= 0; }
  // Closes now; false (errno set) when the system reports a failure that a write left behind.
  [[nodiscard]] bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

FileStamp StampFrom(const struct stat& status) {
  return {static_cast<std::uintmax_t>(status.st_dev), static_cast<std::uintmax_t>(status.st_ino),
          static_cast<std::uintmax_t>(status.st_size),
          static_cast<std::int64_t>(status.st_mtim.tv_sec),
          static_cast<std::int64_t>(status.st_mtim.tv_nsec)};
}

}  // namespace

std::optional<FileStamp> StampOf(const std::string& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) return std::nullopt;
  return StampFrom(status);
}

namespace {

// A regular file open for reading, of at most the largest size its kind can have.
struct OpenedFile {
  FileDescriptor fd;
  std::size_t size;
};

std::optional<OpenedFile> OpenForReading(const std::string& path, std::uintmax_t maxBytes,
                                         std::string* error, FileStamp* stamp) {
  // Non-blocking, so that opening a pipe does not wait for a writer; regular files ignore it.
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
  if (!fd.Valid()) {
    SetError(error, "cannot open " + path + ": " + Reason());
    return std::nullopt;
  }
  struct stat status {};
  if (::fstat(fd.Get(), &status) != 0) {
    SetError(error, CannotRead(path, Reason()));
    return std::nullopt;
  }
  if (!S_ISREG(status.st_mode)) {
    SetError(error, path + " is not a regular file");
    return std::nullopt;
  }
  if (stamp) *stamp = StampFrom(status);
  const auto size = static_cast<std::uintmax_t>(status.st_size);
  if (size > maxBytes) {
    SetError(error, path + " is larger (" + std::to_string(size) +
                        " bytes) than any such file could be (" + std::to_string(maxBytes) + ")");
    return std::nullopt;
  }
  return OpenedFile{std::move(fd), static_cast<std::size_t>(size)};
}

// Raised by a load's source when the system cannot read on: the file is not damaged for it.
struct ReadFailure {
  std::string reason;
};

}  // namespace

std::optional<Archive::Bytes> ReadWholeFile(const std::string& path, std::uintmax_t maxBytes,
                                            std::string* error, FileStamp* stamp) {
  std::optional<OpenedFile> opened = OpenForReading(path, maxBytes, error, stamp);
  if (!opened) return std::nullopt;
  const FileDescriptor& fd = opened->fd;
  const std::size_t size = opened->size;
  Archive::Bytes bytes(static_cast<std::size_t>(size));
  std::size_t filled = 0;
  // Read to the end: the file may have grown since fstat, up to the limit. Once the buffer is
  // full, the end is found through a small probe, so that a file as long as it said is never
  // copied into a larger buffer.
  std::uint8_t probe[16384];
  while (true) {
    const bool full = filled == bytes.size();
    std::uint8_t* target = full ? probe : bytes.data() + filled;
    const std::size_t room = full ? sizeof probe : bytes.size() - filled;
    const ssize_t got = ::read(fd.Get(), target, room);
    if (got < 0) {
      if (errno == EINTR) continue;
      SetError(error, CannotRead(path, Reason()));
      return std::nullopt;
    }
    if (got == 0) break;
    if (full) bytes.insert(bytes.end(), probe, probe + got);
    filled += static_cast<std::size_t>(got);
    if (filled > maxBytes) break;
  }
  if (filled > maxBytes) {
    SetError(error, path + " is larger than any such file could be (" + std::to_string(maxBytes) +
                        " bytes)");
    return std::nullopt;
  }
  bytes.resize(filled);
  return bytes;
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string* error) {
  if (path.empty()) {
    SetError(error, "no file name");
    return false;
  }
  const std::string temporary = path + ".tmp";
  // The new file keeps the permission bits of the one it replaces (a private file stays so).
  struct stat old {};
  const bool replacing = ::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode);
  {
    FileDescriptor fd(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
    if (!fd.Valid()) {
      SetError(error, "cannot create " + temporary + ": " + Reason());
      return false;
    }
    const bool written = (!replacing || ::fchmod(fd.Get(), old.st_mode & 07777) == 0) &&
                         WriteAll(fd.Get(), bytes) && ::fsync(fd.Get()) == 0 && fd.Close();
    if (!written) {
      const std::string reason = Reason();
      std::remove(temporary.c_str());
      SetError(error, "cannot write " + temporary + ": " + reason);
      return false;
    }
  }
  if (std::rename(temporary.c_str(), path.c_str()) != 0) {
    const std::string reason = Reason();
    std::remove(temporary.c_str());
    SetError(error, "cannot replace " + path + ": " + reason);
    return false;
  }
  SyncFolderOf(path);
  return true;
}

std::optional<std::string> KeepDamagedFile(const std::string& path, TimeValue now) {
  const std::string stem = path + ".damaged-" + FormatUtc(now, "%Y%m%d-%H%M%S");
  for (int counter = 1; counter < 1000; ++counter) {
    const std::string kept = counter == 1 ? stem : stem + "-" + std::to_string(counter);
    std::error_code ec;
    if (std::filesystem::symlink_status(kept, ec).type() != std::filesystem::file_type::not_found) {
      continue;
    }
    if (std::rename(path.c_str(), kept.c_str()) != 0) return std::nullopt;
    return kept;
  }
  return std::nullopt;
}

LoadResult LoadArchiveFile(const std::string& path, const std::function<void(Archive&)>& serialize,
                           std::uintmax_t maxBytes) {
  LoadResult result;
  std::optional<OpenedFile> opened = OpenForReading(path, maxBytes, &result.detail, &result.stamp);
  if (!opened) {
    result.status = LoadStatus::CannotOpen;
    return result;
  }
  const int fd = opened->fd.Get();
  ContentDigest& digest = result.digest;
  Archive archive = Archive::ForLoadingFrom(
      [fd, &digest](std::uint8_t* into, std::size_t room) -> std::size_t {
        while (true) {
          const ssize_t got = ::read(fd, into, room);
          if (got >= 0) {
            digest.Add(into, static_cast<std::size_t>(got));
            return static_cast<std::size_t>(got);
          }
          if (errno != EINTR) throw ReadFailure{Reason()};
        }
      },
      opened->size);
  try {
    serialize(archive);
    archive.ExpectEnd();
  } catch (const ArchiveError& e) {
    result.status = LoadStatus::Damaged;
    result.detail = e.what();
  } catch (const ReadFailure& failure) {
    result.status = LoadStatus::CannotOpen;
    result.detail = CannotRead(path, failure.reason);
  }
  return result;
}

ContentDigest DigestOfStored(const std::function<void(Archive&)>& serialize) {
  Archive archive = Archive::ForDigest();
  serialize(archive);
  return archive.Digest();
}

bool StoreArchiveFile(const std::string& path, const std::function<void(Archive&)>& serialize,
                      std::string* error) {
  Archive archive = Archive::ForStoring();
  serialize(archive);
  const auto& stored = archive.StoredBytes();
  return WriteFileAtomically(
      path, std::string_view(reinterpret_cast<const char*>(stored.data()), stored.size()), error);
}

void SyncFolderOf(const std::string& path) {
  std::filesystem::path folder = std::filesystem::path(path).parent_path();
  if (folder.empty()) folder = ".";
  const FileDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.Valid()) (void)::fsync(fd.Get());
}

}  // namespace keelmark
