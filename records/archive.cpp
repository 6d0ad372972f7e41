#include "records/archive.h"

#include <bit>
#include <cstring>

#include "records/text_codec.h"

namespace keelmark {
namespace {

// The files are little-endian whatever the host.
template <typename T>
void ToLittleEndian(T value, std::uint8_t* out) {
  for (std::size_t i = 0; i < sizeof(T); ++i) {
    out[i] = static_cast<std::uint8_t>(value >> (8 * i));
  }
}

template <typename T>
T FromLittleEndian(const std::uint8_t* in) {
  T value = 0;
  for (std::size_t i = 0; i < sizeof(T); ++i) {
    value |= static_cast<T>(static_cast<T>(in[i]) << (8 * i));
  }
  return value;
}

constexpr std::uint8_t kLongTextMark = 0xFF;
constexpr std::uint16_t kVeryLongTextMark = 0xFFFF;
constexpr std::size_t kFirstVeryLongText = 0xFFFE;  // 65534 and more take the 32-bit length

}  // namespace

Archive Archive::ForStoring() { return Archive(false, {}); }

Archive Archive::ForLoading(Bytes bytes) { return Archive(true, std::move(bytes)); }

void Archive::Io(std::int32_t& value) {
  if (loading_) {
    value = ReadI32();
  } else {
    WriteI32(value);
  }
}

void Archive::Io(double& value) {
  if (loading_) {
    value = ReadF64();
  } else {
    WriteF64(value);
  }
}

void Archive::Io(std::string& utf8Text) {
  if (loading_) {
    utf8Text = ReadText();
  } else {
    WriteText(utf8Text);
  }
}

void Archive::IoFlag(bool& value) {
  if (loading_) {
    value = ReadFlag();
  } else {
    WriteFlag(value);
  }
}

void Archive::IoTime(TimeValue& value) {
  if (loading_) {
    value = ReadTime();
  } else {
    WriteTime(value);
  }
}

void Archive::Append(const std::uint8_t* data, std::size_t size) {
  bytes_.insert(bytes_.end(), data, data + size);
}

const std::uint8_t* Archive::Take(std::size_t size) {
  if (size > Remaining()) {
    throw ArchiveError("the file ends early, at byte " + std::to_string(bytes_.size()));
  }
  const std::uint8_t* start = bytes_.data() + position_;
  position_ += size;
  return start;
}

void Archive::WriteI32(std::int32_t value) {
  std::uint8_t buffer[4];
  ToLittleEndian(static_cast<std::uint32_t>(value), buffer);
  Append(buffer, sizeof buffer);
}

void Archive::WriteFlag(bool value) { WriteI32(value ? 1 : 0); }

void Archive::WriteF64(double value) {
  std::uint8_t buffer[8];
  ToLittleEndian(std::bit_cast<std::uint64_t>(value), buffer);
  Append(buffer, sizeof buffer);
}

void Archive::WriteTime(TimeValue value) {
  WriteI32(static_cast<std::int32_t>(static_cast<std::uint32_t>(value)));
}

void Archive::WriteText(const std::string& utf8Text) {
  const std::string bytes = Utf8ToCp1252(utf8Text);
  const std::size_t n = bytes.size();
  if (n < kLongTextMark) {
    const auto prefix = static_cast<std::uint8_t>(n);
    Append(&prefix, 1);
  } else if (n < kFirstVeryLongText) {
    std::uint8_t prefix[3] = {kLongTextMark};
    ToLittleEndian(static_cast<std::uint16_t>(n), prefix + 1);
    Append(prefix, sizeof prefix);
  } else {
    std::uint8_t prefix[7] = {kLongTextMark, 0xFF, 0xFF};
    ToLittleEndian(static_cast<std::uint32_t>(n), prefix + 3);
    Append(prefix, sizeof prefix);
  }
  Append(reinterpret_cast<const std::uint8_t*>(bytes.data()), n);
}

std::uint32_t Archive::ReadU32() { return FromLittleEndian<std::uint32_t>(Take(4)); }

std::uint16_t Archive::ReadU16() { return FromLittleEndian<std::uint16_t>(Take(2)); }

std::int32_t Archive::ReadI32() { return static_cast<std::int32_t>(ReadU32()); }

bool Archive::ReadFlag() { return ReadI32() != 0; }

double Archive::ReadF64() {
  return std::bit_cast<double>(FromLittleEndian<std::uint64_t>(Take(8)));
}

TimeValue Archive::ReadTime() { return static_cast<TimeValue>(ReadU32()); }

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

void Archive::ExpectEnd() const {
  if (!AtEnd())
    throw ArchiveError(std::to_string(Remaining()) + " bytes follow the end of the content");
}

}  // namespace keelmark
