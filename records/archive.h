// Archive: the byte encoding of every data file and route document.
//
// A file is a flat stream of fields with no header: little-endian i32, flags as i32, IEEE f64,
// 32-bit time values and length-prefixed Windows-1252 text. One Serialize per record both writes
// and reads the same sequence; the archive says which direction it is going.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "navigation/time_value.h"
#include "records/content_digest.h"

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
  // An archive that stores into a digest only: the bytes pass through a small buffer, so
  // telling whether a large file would change costs no memory of its size.
  [[nodiscard]] static Archive ForDigest();
  // What a ForDigest archive was given, whole.
  [[nodiscard]] ContentDigest Digest();
  // An archive that loads from these bytes, from the first one on.
  [[nodiscard]] static Archive ForLoading(Bytes bytes);
  // Fills up to `room` bytes at `into` and gives how many it did, 0 at the end of the file.
  using Source = std::function<std::size_t(std::uint8_t* into, std::size_t room)>;
  // An archive that loads `size` bytes from a source, a window at a time: a large file is
  // never held whole, so loading it costs the memory of its records only. Bytes the source
  // still has after `size` make ExpectEnd fail.
  [[nodiscard]] static Archive ForLoadingFrom(Source source, std::size_t size);

  [[nodiscard]] bool IsLoading() const { return loading_; }
  [[nodiscard]] bool IsStoring() const { return !loading_; }

  // Both directions: store the value, or load into it. The fixed-size fields are inline: a
  // large file holds millions of them, and a call per field was most of a load's time.
  void Io(std::int32_t& value) { loading_ ? void(value = ReadI32()) : WriteI32(value); }
  void Io(double& value) { loading_ ? void(value = ReadF64()) : WriteF64(value); }
  void Io(std::string& utf8Text);
  void IoFlag(bool& value) { loading_ ? void(value = ReadFlag()) : WriteFlag(value); }
  void IoTime(TimeValue& value) { loading_ ? void(value = ReadTime()) : WriteTime(value); }

  void WriteI32(std::int32_t value) { AppendLittleEndian(static_cast<std::uint32_t>(value)); }
  void WriteFlag(bool value) { WriteI32(value ? 1 : 0); }
  void WriteF64(double value) { AppendLittleEndian(std::bit_cast<std::uint64_t>(value)); }
  // Written as its low 32 bits; times between 1970 and 2106 survive (HoldsTime).
  void WriteTime(TimeValue value) {
    WriteI32(static_cast<std::int32_t>(static_cast<std::uint32_t>(value)));
  }
  // The latest time a file can hold: 2106-02-07 06:28:15 UTC.
  static constexpr TimeValue kLatestTime = 4294967295;
  [[nodiscard]] static constexpr bool HoldsTime(TimeValue t) { return t >= 0 && t <= kLatestTime; }
  // Converted to Windows-1252 ('?' for what it cannot hold), then length-prefixed.
  void WriteText(const std::string& utf8Text);

  [[nodiscard]] std::int32_t ReadI32() { return static_cast<std::int32_t>(ReadU32()); }
  [[nodiscard]] bool ReadFlag() { return ReadI32() != 0; }
  [[nodiscard]] double ReadF64() {
    return std::bit_cast<double>(TakeLittleEndian<std::uint64_t>());
  }
  [[nodiscard]] TimeValue ReadTime() { return static_cast<TimeValue>(ReadU32()); }
  [[nodiscard]] std::string ReadText();

  // Reads a list's record count. A count that the remaining bytes could not hold at
  // minimumRecordBytes each raises ArchiveError; a count of 0 or less reads as 0.
  [[nodiscard]] std::int32_t ReadCount(std::size_t minimumRecordBytes);

  // Bytes left to load.
  [[nodiscard]] std::size_t Remaining() const { return total_ - windowStart_ - position_; }
  [[nodiscard]] bool AtEnd() const { return Remaining() == 0; }
  // Raises ArchiveError when bytes follow what was read: a file holding more than its layout
  // is not what it seems, and storing it back would silently drop the rest.
  void ExpectEnd();
  [[nodiscard]] const Bytes& StoredBytes() const {
    bytes_.resize(stored_);
    return bytes_;
  }
  [[nodiscard]] Bytes TakeBytes() {
    bytes_.resize(stored_);
    stored_ = 0;
    return std::move(bytes_);
  }

 private:
  Archive(bool loading, Bytes bytes)
      : loading_(loading), bytes_(std::move(bytes)), stored_(bytes_.size()), total_(stored_) {}

  // Storing writes into room that grows by doubling, so a field costs a bounds check and a
  // copy; the bytes past stored_ are that room and never part of the content.
  std::uint8_t* Room(std::size_t size) {
    if (bytes_.size() - stored_ < size) Grow(size);
    std::uint8_t* out = bytes_.data() + stored_;
    stored_ += size;
    return out;
  }
  void Grow(std::size_t size);
  void Append(const std::uint8_t* data, std::size_t size) {
    if (size > 0) std::memcpy(Room(size), data, size);
  }
  // The files are little-endian whatever the host.
  // On a little-endian host a field is one copy: the compiler does not see through the loop.
  template <typename T>
  void AppendLittleEndian(T value) {
    std::uint8_t* out = Room(sizeof(T));
    if constexpr (std::endian::native == std::endian::little) {
      std::memcpy(out, &value, sizeof(T));
    } else {
      for (std::size_t i = 0; i < sizeof(T); ++i)
        out[i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
  }
  const std::uint8_t* Take(std::size_t size) {
    if (size > stored_ - position_) Fill(size);
    const std::uint8_t* start = bytes_.data() + position_;
    position_ += size;
    return start;
  }
  template <typename T>
  T TakeLittleEndian() {
    const std::uint8_t* in = Take(sizeof(T));
    T value = 0;
    if constexpr (std::endian::native == std::endian::little) {
      std::memcpy(&value, in, sizeof(T));
    } else {
      for (std::size_t i = 0; i < sizeof(T); ++i)
        value |= static_cast<T>(static_cast<T>(in[i]) << (8 * i));
    }
    return value;
  }
  std::uint32_t ReadU32() { return TakeLittleEndian<std::uint32_t>(); }
  std::uint16_t ReadU16() { return TakeLittleEndian<std::uint16_t>(); }
  // Makes the next `size` bytes one piece of the window, reading on from the source.
  void Fill(std::size_t size);
  [[noreturn]] static void ThrowEndsEarly(std::size_t at);

  bool loading_;
  // Trimmed to the content when it is handed out.
  mutable Bytes bytes_;
  std::size_t stored_ = 0;               // bytes of content (of the window when loading)
  std::optional<ContentDigest> digest_;  // set: the content goes here, a buffer at a time
  std::size_t position_ = 0;             // loading: the next byte's place in the window
  // Loading: the bytes in all, the place of the window's first byte among them, and where
  // the bytes past the window come from (none when they were all given at once).
  std::size_t total_ = 0;
  std::size_t windowStart_ = 0;
  Source source_;
};

}  // namespace keelmark
