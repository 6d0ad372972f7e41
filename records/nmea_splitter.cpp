#include "records/nmea_splitter.h"

namespace keelmark {
namespace {

bool IsStart(char c) { return c == '$' || c == '!'; }
bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }
bool IsPrintable(char c) { return c >= 0x20 && c <= 0x7e; }

}  // namespace

void NmeaSplitter::Drop() {
  ++dropped_;
  sentence_.clear();
  inSentence_ = false;
}

void NmeaSplitter::Feed(std::string_view bytes, const SentenceHandler& handler) {
  // The CR LF of a sentence counts towards its length but is not kept.
  constexpr std::size_t kLongestBody = kLongestSentence - 2;
  for (const char c : bytes) {
    if (IsStart(c)) {
      if (inSentence_) Drop();
      inSentence_ = true;
      sentence_.assign(1, c);
      continue;
    }
    if (!inSentence_) continue;
    if (IsLineEnd(c)) {
      handler(sentence_);
      sentence_.clear();
      inSentence_ = false;
    } else if (!IsPrintable(c) || sentence_.size() >= kLongestBody) {
      Drop();
    } else {
      sentence_.push_back(c);
    }
  }
}

void NmeaSplitter::Finish(const SentenceHandler& handler) {
  if (inSentence_) handler(sentence_);
  sentence_.clear();
  inSentence_ = false;
}

}  // namespace keelmark
