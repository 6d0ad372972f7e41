// Archive: the byte encoding of every data file and route document.
//
// A file is a flat stream of fields with no header: little-endian i32, flags as i32, IEEE f64,
// 32-bit time values and length-prefixed Windows-1252 text. One Serialize per record both writes
// and reads the same sequence; the archive says which direction it is going.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "navigation/time_value.h"

namespace keelmark {

// Raised when a read runs past the end of the bytes or finds a count or length that the
// remaining bytes cannot hold. The owner of the file catches it and reports the file damaged.
class ArchiveError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class Archive {
 public:
  using Bytes = std::vector<std::uint8_t>;

  // An archive that stores into an empty byte buffer.
  [[nodiscard]] static Archive ForStoring();
  // An archive that loads from these bytes, from the first one on.
  [[nodiscard]] static Archive ForLoading(Bytes bytes);

  [[nodiscard]] bool IsLoading() const { return loading_; }
  [[nodiscard]] bool IsStoring() const { return !loading_; }

  // Both directions: store the value, or load into it.
  void Io(std::int32_t& value);
  void Io(double& value);
  void Io(std::string& utf8Text);
  void IoFlag(bool& value);
  void IoTime(TimeValue& value);

  void WriteI32(std::int32_t value);
  void WriteFlag(bool value);
  void WriteF64(double value);
  // Written as its low 32 bits; times between 1970 and 2106 survive (HoldsTime).
  void WriteTime(TimeValue value);
  // The latest time a file can hold: 2106-02-07 06:28:15 UTC.
  static constexpr TimeValue kLatestTime = 4294967295;
  [[nodiscard]] static constexpr bool HoldsTime(TimeValue t) { return t >= 0 && t <= kLatestTime; }
  // Converted to Windows-1252 ('?' for what it cannot hold), then length-prefixed.
  void WriteText(const std::string& utf8Text);

  [[nodiscard]] std::int32_t ReadI32();
  [[nodiscard]] bool ReadFlag();
  [[nodiscard]] double ReadF64();
  [[nodiscard]] TimeValue ReadTime();
  [[nodiscard]] std::string ReadText();

  // Reads a list's record count. A count that the remaining bytes could not hold at
  // minimumRecordBytes each raises ArchiveError; a count of 0 or less reads as 0.
  [[nodiscard]] std::int32_t ReadCount(std::size_t minimumRecordBytes);

  [[nodiscard]] std::size_t Remaining() const { return bytes_.size() - position_; }
  [[nodiscard]] bool AtEnd() const { return Remaining() == 0; }
  // Raises ArchiveError when bytes follow what was read: a file holding more than its layout
  // is not what it seems, and storing it back would silently drop the rest.
  void ExpectEnd() const;
  [[nodiscard]] const Bytes& StoredBytes() const { return bytes_; }
  [[nodiscard]] Bytes TakeBytes() { return std::move(bytes_); }

 private:
  Archive(bool loading, Bytes bytes) : loading_(loading), bytes_(std::move(bytes)) {}

  void Append(const std::uint8_t* data, std::size_t size);
  const std::uint8_t* Take(std::size_t size);
  std::uint32_t ReadU32();
  std::uint16_t ReadU16();

  bool loading_;
  Bytes bytes_;
  std::size_t position_ = 0;
};

}  // namespace keelmark
