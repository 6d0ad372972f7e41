// Arbitrary bytes as a receiver's stream: the splitter must give only short printable
// sentences, the same ones whatever pieces the bytes arrive in, and the parser must give
// positions inside their ranges, whatever it is handed.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "records/nmea_sentence.h"
#include "records/nmea_splitter.h"

namespace {

void Check(std::string_view text) {
  const keelmark::NmeaSentence s = keelmark::ParseNmeaSentence(text);
  if (s.outcome != keelmark::NmeaOutcome::kPosition) return;
  if (s.latitude < -5400000 || s.latitude > 5400000) std::abort();
  if (s.longitude < -10800000 || s.longitude > 10800000) std::abort();
  if (s.talker.size() != 2 || !s.type) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  Check(bytes);

  keelmark::NmeaSplitter whole;
  std::vector<std::string> sentences;
  whole.Feed(bytes, [&](std::string_view s) {
    if (s.size() > keelmark::NmeaSplitter::kLongestSentence - 2) std::abort();
    for (const char c : s) {
      if (c < 0x20 || c > 0x7e) std::abort();
    }
    Check(s);
    sentences.emplace_back(s);
  });

  // Cut into pieces at the places the first byte names.
  keelmark::NmeaSplitter pieces;
  std::vector<std::string> again;
  const std::size_t step = size > 0 ? 1 + data[0] % 7 : 1;
  for (std::size_t at = 0; at < size; at += step) {
    pieces.Feed(bytes.substr(at, step), [&](std::string_view s) { again.emplace_back(s); });
  }
  if (again != sentences || pieces.Dropped() != whole.Dropped()) std::abort();
  return 0;
}
