#include "records/content_digest.h"

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

// Each lane is a bijection of the word for a given state (xor or add, odd multiply, rotate),
// so a single changed word always changes both lanes; the lanes mix differently so that
// changes which cancel in one do not in the other.
void MixInto(std::uint64_t& first, std::uint64_t& second, std::uint64_t word) {
  first = std::rotl((first ^ word) * kFirstFactor, 31) * kSecondFactor;
  second = std::rotl(second + word * kSecondFactor, 27) * kFirstFactor + 0x52DCE729u;
}

}  // namespace

void ContentDigest::Mix(std::uint64_t word) { MixInto(first_, second_, word); }

void ContentDigest::Add(const std::uint8_t* data, std::size_t size) {
  size_ += size;
  while (size > 0 && pendingCount_ > 0) {
    pending_[pendingCount_++] = *data++;
    --size;
    if (pendingCount_ == sizeof pending_) {
      std::uint64_t word = 0;
      std::memcpy(&word, pending_, sizeof word);
      Mix(word);
      pendingCount_ = 0;
    }
  }
  for (; size >= 8; data += 8, size -= 8) {
    std::uint64_t word = 0;
    std::memcpy(&word, data, sizeof word);
    Mix(word);
  }
  std::memcpy(pending_ + pendingCount_, data, size);
  pendingCount_ += size;
}

ContentDigest::Value ContentDigest::Finished() const {
  std::uint64_t first = first_;
  std::uint64_t second = second_;
  if (pendingCount_ > 0) {
    std::uint64_t word = 0;
    std::memcpy(&word, pending_, pendingCount_);
    MixInto(first, second, word);
  }
  return {Avalanche(first ^ size_), Avalanche(second + size_ * kThirdFactor), size_};
}

bool ContentDigest::operator==(const ContentDigest& other) const {
  const Value a = Finished();
  const Value b = other.Finished();
  return a.first == b.first && a.second == b.second && a.size == b.size;
}

}  // namespace keelmark
