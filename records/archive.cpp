#include "records/archive.h"

#include <algorithm>

#include "records/text_codec.h"

namespace keelmark {
namespace {

constexpr std::uint8_t kLongTextMark = 0xFF;
constexpr std::uint16_t kVeryLongTextMark = 0xFFFF;
constexpr std::size_t kFirstVeryLongText = 0xFFFE;  // 65534 and more take the 32-bit length
constexpr std::size_t kDigestBufferBytes = 64 * 1024;
constexpr std::size_t kLoadWindowBytes = 1024 * 1024;

}  // namespace

Archive Archive::ForStoring() { return Archive(false, {}); }

Archive Archive::ForLoading(Bytes bytes) { return Archive(true, std::move(bytes)); }

Archive Archive::ForLoadingFrom(Source source, std::size_t size) {
  Archive archive(true, {});
  archive.total_ = size;
  archive.source_ = std::move(source);
  return archive;
}

void Archive::Fill(std::size_t size) {
  if (size > Remaining() || !source_) ThrowEndsEarly(total_);
  // What is left of the window moves to its front, and the source fills the rest.
  const std::size_t kept = stored_ - position_;
  std::memmove(bytes_.data(), bytes_.data() + position_, kept);
  windowStart_ += position_;
  position_ = 0;
  stored_ = kept;
  // Never larger than what is left: most files are small.
  if (bytes_.size() < size) bytes_.resize(std::max(size, std::min(kLoadWindowBytes, Remaining())));
  while (stored_ < size) {
    const std::size_t wanted = std::min(bytes_.size(), total_ - windowStart_) - stored_;
    const std::size_t got = source_(bytes_.data() + stored_, wanted);
    if (got == 0) ThrowEndsEarly(windowStart_ + stored_);
    stored_ += got;
  }
}

void Archive::Io(std::string& utf8Text) {
  if (loading_) {
    utf8Text = ReadText();
  } else {
    WriteText(utf8Text);
  }
}

Archive Archive::ForDigest() {
  Archive archive(false, Bytes(kDigestBufferBytes));
  archive.stored_ = 0;
  archive.digest_.emplace();
  return archive;
}

ContentDigest Archive::Digest() {
  if (!digest_) return {};
  digest_->Add(bytes_.data(), stored_);
  stored_ = 0;
  return *digest_;
}

void Archive::Grow(std::size_t size) {
  if (digest_) {
    digest_->Add(bytes_.data(), stored_);
    stored_ = 0;
    if (bytes_.size() >= size) return;
  }
  bytes_.resize(std::max(bytes_.size() * 2, stored_ + size + 4096));
}

void Archive::ThrowEndsEarly(std::size_t at) {
  throw ArchiveError("the file ends early, at byte " + std::to_string(at));
}

void Archive::WriteText(const std::string& utf8Text) {
  const std::string bytes = Utf8ToCp1252(utf8Text);
  const std::size_t n = bytes.size();
  if (n < kLongTextMark) {
    const auto prefix = static_cast<std::uint8_t>(n);
    Append(&prefix, 1);
  } else if (n < kFirstVeryLongText) {
    Append(&kLongTextMark, 1);
    AppendLittleEndian(static_cast<std::uint16_t>(n));
  } else {
    Append(&kLongTextMark, 1);
    AppendLittleEndian(kVeryLongTextMark);
    AppendLittleEndian(static_cast<std::uint32_t>(n));
  }
  Append(reinterpret_cast<const std::uint8_t*>(bytes.data()), n);
}

std::string Archive::ReadText() {
  std::size_t n = *Take(1);
  if (n == kLongTextMark) {
    n = ReadU16();
    if (n == kVeryLongTextMark) n = ReadU32();
  }
  if (n > Remaining()) {
    throw ArchiveError("a text of " + std::to_string(n) +
                       " characters runs past the end of the file");
  }
  const auto* start = reinterpret_cast<const char*>(Take(n));
  return Cp1252ToUtf8(std::string_view(start, n));
}

std::int32_t Archive::ReadCount(std::size_t minimumRecordBytes) {
  const std::int32_t count = ReadI32();
  if (count <= 0) return 0;
  const std::size_t perRecord = minimumRecordBytes == 0 ? 1 : minimumRecordBytes;
  if (static_cast<std::size_t>(count) > Remaining() / perRecord) {
    throw ArchiveError("a list of " + std::to_string(count) +
                       " records is larger than the rest of the file can hold");
  }
  return count;
}

void Archive::ExpectEnd() {
  if (!AtEnd())
    throw ArchiveError(std::to_string(Remaining()) + " bytes follow the end of the content");
  // A file that grew while it was read.
  std::uint8_t probe = 0;
  if (source_ && source_(&probe, 1) > 0)
    throw ArchiveError("bytes follow the end of the content, added while it was read");
}

}  // namespace keelmark
