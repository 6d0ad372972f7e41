#include "records/archive_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "navigation/calendar.h"

namespace keelmark {
namespace {

void SetError(std::string* error, std::string text) {
  if (error) *error = std::move(text);
}

}  // namespace

std::optional<Archive::Bytes> ReadWholeFile(const std::string& path) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  Archive::Bytes bytes;
  // Read in blocks rather than by character: the average-weather file can be 100 MB.
  constexpr std::size_t kBlock = 1 << 20;
  std::size_t filled = 0;
  while (in) {
    bytes.resize(filled + kBlock);
    in.read(reinterpret_cast<char*>(bytes.data() + filled), kBlock);
    filled += static_cast<std::size_t>(in.gcount());
  }
  if (in.bad()) return std::nullopt;
  bytes.resize(filled);
  return bytes;
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string* error) {
  if (path.empty()) {
    SetError(error, "no file name");
    return false;
  }
  const std::string temporary = path + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) {
      SetError(error, "cannot create " + temporary + ": " + std::strerror(errno));
      return false;
    }
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) {
      out.close();
      std::remove(temporary.c_str());
      SetError(error, "cannot write " + temporary);
      return false;
    }
  }
  std::error_code ec;
  std::filesystem::rename(temporary, path, ec);
  if (ec) {
    std::remove(temporary.c_str());
    SetError(error, "cannot replace " + path + ": " + ec.message());
    return false;
  }
  return true;
}

std::optional<std::string> KeepDamagedFile(const std::string& path, TimeValue now) {
  const std::string kept = path + ".damaged-" + FormatUtc(now, "%Y%m%d-%H%M%S");
  std::error_code ec;
  std::filesystem::rename(path, kept, ec);
  if (ec) return std::nullopt;
  return kept;
}

LoadResult LoadArchiveFile(const std::string& path,
                           const std::function<void(Archive&)>& serialize) {
  auto bytes = ReadWholeFile(path);
  if (!bytes) return {LoadStatus::CannotOpen, "cannot open " + path};
  Archive archive = Archive::ForLoading(std::move(*bytes));
  try {
    serialize(archive);
  } catch (const ArchiveError& e) {
    return {LoadStatus::Damaged, e.what()};
  }
  return {};
}

bool StoreArchiveFile(const std::string& path, const std::function<void(Archive&)>& serialize,
                      std::string* error) {
  Archive archive = Archive::ForStoring();
  serialize(archive);
  const auto& stored = archive.StoredBytes();
  return WriteFileAtomically(
      path, std::string_view(reinterpret_cast<const char*>(stored.data()), stored.size()), error);
}

}  // namespace keelmark
