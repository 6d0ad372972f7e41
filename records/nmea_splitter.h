// NmeaSplitter: cuts a stream of bytes from a receiver into NMEA 0183 sentences.
//
// A sentence starts at '$' (or '!' for encapsulated ones such as AIS) and ends at CR or LF.
// Bytes before a start are noise. A start inside a sentence begins a new one (the receiver was
// interrupted); a sentence longer than 82 characters (start and CR LF included) or holding a
// byte outside printable ASCII (NUL, binary junk) is dropped, and the splitter waits for the
// next start. The bytes may arrive in any pieces: a sentence cut between two reads is joined.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace keelmark {

class NmeaSplitter {
 public:
  // The longest sentence the standard allows, from its start to its CR LF.
  static constexpr std::size_t kLongestSentence = 82;

  using SentenceHandler = std::function<void(std::string_view sentence)>;

  // Hands each complete sentence (start character included, line end excluded) to `handler`.
  void Feed(std::string_view bytes, const SentenceHandler& handler);
  // The end of the stream: a last sentence without its line end is handed over as well.
  void Finish(const SentenceHandler& handler);

  // Sentences dropped so far: too long, junk inside, or cut off by a new start.
  [[nodiscard]] std::size_t Dropped() const { return dropped_; }

 private:
  void Drop();

  std::string sentence_;
  bool inSentence_ = false;
  std::size_t dropped_ = 0;
};

}  // namespace keelmark
