#include "records/content_digest.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace keelmark {
namespace {

constexpr std::uint64_t kFirstFactor = 0x87C37B91114253D5u;
constexpr std::uint64_t kSecondFactor = 0x4CF5AD432745937Fu;
constexpr std::uint64_t kThirdFactor = 0xFF51AFD7ED558CCDu;

// Spreads every input bit over the whole word.
std::uint64_t Avalanche(std::uint64_t h) {
  h ^= h >> 33;
  h *= kThirdFactor;
  h ^= h >> 33;
  h *= 0xC4CEB9FE1A85EC53u;
  h ^= h >> 33;
  return h;
}

// Each half is a bijection of the word for a given state (xor or add, odd multiply, rotate),
// so a single changed word always changes both; the halves mix differently so that changes
// which cancel in one do not in the other. One multiplication each: the multiplier is what
// bounds the digest's speed, and the finish spreads every bit anyway.
std::uint64_t WordAt(const std::uint8_t* at) {
  std::uint64_t word = 0;
  std::memcpy(&word, at, sizeof word);
  return word;
}

void MixInto(std::uint64_t& first, std::uint64_t& second, std::uint64_t word) {
  first = std::rotl((first ^ word) * kFirstFactor, 31);
  second = std::rotl(second + word, 27) * kSecondFactor;
}

}  // namespace

void ContentDigest::MixBlock(const std::uint8_t* block) {
  for (std::size_t i = 0; i < kLanes; ++i)
    MixInto(lanes_[i].first, lanes_[i].second, WordAt(block + 8 * i));
}

void ContentDigest::Add(const std::uint8_t* data, std::size_t size) {
  size_ += size;
  if (pendingCount_ > 0) {
    const std::size_t taken = std::min(size, kBlockBytes - pendingCount_);
    std::memcpy(pending_ + pendingCount_, data, taken);
    pendingCount_ += taken;
    data += taken;
    size -= taken;
    if (pendingCount_ < kBlockBytes) return;
    MixBlock(pending_);
    pendingCount_ = 0;
  }
  // The lanes stay in locals over the run of whole blocks: kept in the object, every word
  // waited for the last one's store.
  static_assert(kLanes == 4);
  auto [f0, s0] = lanes_[0];
  auto [f1, s1] = lanes_[1];
  auto [f2, s2] = lanes_[2];
  auto [f3, s3] = lanes_[3];
  for (; size >= kBlockBytes; data += kBlockBytes, size -= kBlockBytes) {
    MixInto(f0, s0, WordAt(data));
    MixInto(f1, s1, WordAt(data + 8));
    MixInto(f2, s2, WordAt(data + 16));
    MixInto(f3, s3, WordAt(data + 24));
  }
  lanes_ = {Lane{f0, s0}, Lane{f1, s1}, Lane{f2, s2}, Lane{f3, s3}};
  std::memcpy(pending_, data, size);
  pendingCount_ = size;
}

ContentDigest::Value ContentDigest::Finished() const {
  std::array<Lane, kLanes> lanes = lanes_;
  // The last part block's words, zero-filled, go to their lanes; the size tells the zeros from
  // bytes that were there.
  for (std::size_t i = 0; 8 * i < pendingCount_; ++i) {
    std::uint64_t word = 0;
    std::memcpy(&word, pending_ + 8 * i, std::min<std::size_t>(8, pendingCount_ - 8 * i));
    MixInto(lanes[i].first, lanes[i].second, word);
  }
  // The lanes in order, so that words that change places between lanes still change the sum.
  std::uint64_t first = 0x9E3779B97F4A7C15u;
  std::uint64_t second = 0xC2B2AE3D27D4EB4Fu;
  for (const Lane& lane : lanes) {
    MixInto(first, second, lane.first);
    MixInto(first, second, lane.second);
  }
  return {Avalanche(first ^ size_), Avalanche(second + size_ * kThirdFactor), size_};
}

bool ContentDigest::operator==(const ContentDigest& other) const {
  const Value a = Finished();
  const Value b = other.Finished();
  return a.first == b.first && a.second == b.second && a.size == b.size;
}

}  // namespace keelmark
