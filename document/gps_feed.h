// GpsFeed: what every receiver does with the bytes its source delivers, whatever the source:
// the NMEA sentences cut out and decoded, the chosen sentence's latest position kept with the
// time it came, the counts, and the answer to a read: the position while it is fresh, else the
// failure that explains why there is none (the source's own error, silence, no sentence of the
// chosen kind, no fix, or damaged sentences).
#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "document/gps_receiver.h"
#include "navigation/time_value.h"
#include "records/nmea_sentence.h"
#include "records/nmea_splitter.h"

namespace keelmark {

class GpsFeed {
 public:
  // A position older than this is no longer the ship's (seconds); silence as long is reported.
  static constexpr TimeValue kFreshSeconds = 10;
  // The sentences whose checksums are judged together.
  static constexpr std::size_t kChecksumWindow = 20;

  struct Tally {
    std::size_t sentences = 0;    // handed over by the splitter
    std::size_t positions = 0;    // valid positions, of any of the three sentences
    std::size_t noFix = 0;        // position sentences without a valid position
    std::size_t badChecksum = 0;  // refused by their checksum
    std::size_t malformed = 0;    // position sentences whose fields cannot be read
    std::size_t skipped = 0;      // proprietary, encapsulated and other sentences
    std::size_t dropped = 0;      // too long or with junk inside, never a sentence
  };

  // `source` names the source in failure texts ("/dev/ttyUSB0", "tcp:bridge:10110" ...).
  explicit GpsFeed(std::string source);

  void Choose(NmeaSentenceType type) { chosen_ = type; }
  [[nodiscard]] NmeaSentenceType Chosen() const { return chosen_; }
  [[nodiscard]] const std::string& Source() const { return source_; }

  // The source was opened (or opened again): silence is counted from here, and an earlier
  // failure of the source is over.
  void Opened(TimeValue now);
  // Bytes from the source.
  void Feed(std::string_view bytes, TimeValue now);
  // The end of the source's stream: a last sentence without its line end counts too.
  void Finish(TimeValue now);
  // The source failed; Read gives `code` with `text` until the source is opened again or
  // delivers bytes.
  void Fail(int code, std::string text);

  // The latest position of the chosen sentence while it is fresh, else a failure code.
  [[nodiscard]] GpsReading Read(TimeValue now);
  // The text of the last failure Read gave, or the plain text of a code.
  [[nodiscard]] std::string Describe(int code) const;

  [[nodiscard]] const Tally& Counts() const { return tally_; }
  // Called with every decoded sentence (the command line prints the positions).
  std::function<void(const NmeaSentence&)> onSentence;

 private:
  void Take(std::string_view text, TimeValue now);
  [[nodiscard]] bool Fresh(std::optional<TimeValue> at, TimeValue now) const {
    return at && now - *at <= kFreshSeconds;
  }

  std::string source_;
  NmeaSentenceType chosen_ = NmeaSentenceType::GGA;
  NmeaSplitter splitter_;
  Tally tally_;
  std::optional<GpsReading> position_;
  std::optional<TimeValue> positionAt_;
  std::optional<TimeValue> noFixAt_;
  std::optional<TimeValue> bytesAt_;
  std::optional<TimeValue> openedAt_;
  std::deque<bool> checksumFailed_;  // the last kChecksumWindow sentences, newest last
  int failure_ = 0;                  // the source's own failure, 0 when none
  std::string failureText_;
  int lastCode_ = gps_code::kNoData;
  std::string lastText_;
};

}  // namespace keelmark
