// Byte helpers for record layout tests: golden files, storing and loading through an archive.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>

#include "records/archive.h"
#include "tests/core/test_files.h"

namespace keelmark::test {

using Bytes = Archive::Bytes;

inline Bytes Stored(const std::function<void(Archive&)>& serialize) {
  Archive archive = Archive::ForStoring();
  serialize(archive);
  return archive.TakeBytes();
}

// Loads the bytes and insists that every one of them was read.
inline void LoadAll(const Bytes& bytes, const std::function<void(Archive&)>& serialize) {
  Archive archive = Archive::ForLoading(bytes);
  serialize(archive);
  EXPECT_TRUE(archive.AtEnd()) << archive.Remaining() << " bytes left";
}

// The position of the first occurrence of a length-prefixed text, or npos.
inline std::size_t FindText(const Bytes& bytes, const std::string& text) {
  Bytes needle{static_cast<std::uint8_t>(text.size())};
  needle.insert(needle.end(), text.begin(), text.end());
  const auto it = std::search(bytes.begin(), bytes.end(), needle.begin(), needle.end());
  return it == bytes.end() ? std::string::npos : static_cast<std::size_t>(it - bytes.begin());
}

// Equal, or both not a number.
inline bool SameValue(double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); }

inline void PutI32(Bytes& bytes, std::size_t at, std::int32_t value) {
  for (int k = 0; k < 4; ++k) {
    bytes.at(at + k) = static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> (8 * k));
  }
}

}  // namespace keelmark::test
