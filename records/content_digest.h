// ContentDigest: a 128-bit fingerprint of a file's bytes, fed in pieces of any size, by which
// the document tells whether what it would store is what it read. Not a guard against anyone
// crafting a collision: a file's own content is compared with its own earlier content.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace keelmark {

class ContentDigest {
 public:
  void Add(const std::uint8_t* data, std::size_t size);
  // The same bytes fed in any pieces give equal digests; different bytes (or lengths) differ.
  [[nodiscard]] bool operator==(const ContentDigest& other) const;

 private:
  // Four lanes take the words of a 32-byte block in turn, so that the multiplications of one
  // word need not wait for those of the last: a large file's digest then costs little next to
  // reading it.
  static constexpr std::size_t kLanes = 4;
  static constexpr std::size_t kBlockBytes = kLanes * 8;
  struct Lane {
    std::uint64_t first;
    std::uint64_t second;
  };
  struct Value {
    std::uint64_t first;
    std::uint64_t second;
    std::uint64_t size;
  };
  [[nodiscard]] Value Finished() const;
  void MixBlock(const std::uint8_t* block);

  std::array<Lane, kLanes> lanes_ = {Lane{0x9E3779B97F4A7C15u, 0xC2B2AE3D27D4EB4Fu},
                                     Lane{0x165667B19E3779F9u, 0x27D4EB2F165667C5u},
                                     Lane{0x85EBCA77C2B2AE63u, 0x9E3779B185EBCA87u},
                                     Lane{0xD6E8FEB86659FD93u, 0xFF51AFD7ED558CCDu}};
  std::uint64_t size_ = 0;
  std::uint8_t pending_[kBlockBytes] = {};
  std::size_t pendingCount_ = 0;
};

}  // namespace keelmark
