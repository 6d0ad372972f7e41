// ContentDigest: a 128-bit fingerprint of a file's bytes, fed in pieces of any size, by which
// the document tells whether what it would store is what it read. Not a guard against anyone
// crafting a collision: a file's own content is compared with its own earlier content.
#pragma once

#include <cstddef>
#include <cstdint>

namespace keelmark {

class ContentDigest {
 public:
  void Add(const std::uint8_t* data, std::size_t size);
  // The same bytes fed in any pieces give equal digests; different bytes (or lengths) differ.
  [[nodiscard]] bool operator==(const ContentDigest& other) const;

 private:
  struct Value {
    std::uint64_t first;
    std::uint64_t second;
    std::uint64_t size;
  };
  [[nodiscard]] Value Finished() const;
  void Mix(std::uint64_t word);

  std::uint64_t first_ = 0x9E3779B97F4A7C15u;
  std::uint64_t second_ = 0xC2B2AE3D27D4EB4Fu;
  std::uint64_t size_ = 0;
  std::uint8_t pending_[8] = {};
  std::size_t pendingCount_ = 0;
};

}  // namespace keelmark
