// GpsReceiver: the ship's position receiver as the GPS monitor drives it: open the source,
// choose the sentence that moves the position, read the latest position, describe a failure,
// stop and close. Codes below zero are failures; reading gives a code above zero when a
// position is there, and zero when there is none and no failure to name.
#pragma once

#include <cstdint>
#include <string>

#include "records/nmea_sentence.h"

namespace keelmark {

namespace gps_code {
inline constexpr int kPosition = 1;
inline constexpr int kNoData = 0;
inline constexpr int kCannotOpen = -1;      // the source cannot be opened
inline constexpr int kConnectionLost = -2;  // it went away; the receiver tries again
inline constexpr int kSilent = -3;          // nothing has come for a while
inline constexpr int kNoSentence = -4;      // data comes, but not the chosen sentence
inline constexpr int kNoFix = -5;           // the receiver says it has no valid position
inline constexpr int kChecksumErrors = -6;  // most sentences arrive damaged
inline constexpr int kReadError = -7;       // the source failed while it was read
}  // namespace gps_code

struct GpsReading {
  int code = gps_code::kNoData;
  std::int32_t latitude = 0;   // 1/60000 degree, north positive; with a code above zero
  std::int32_t longitude = 0;  // 1/60000 degree, east positive
};

class GpsReceiver {
 public:
  virtual ~GpsReceiver() = default;
  // Starts reading the source; a code below zero when it cannot be opened.
  [[nodiscard]] virtual int Open() = 0;
  // The sentence whose positions Read gives.
  [[nodiscard]] virtual int ChooseSentence(NmeaSentenceType type) = 0;
  [[nodiscard]] virtual GpsReading Read() = 0;
  // What went wrong, in words, for a code this receiver gave.
  [[nodiscard]] virtual std::string Describe(int code) const = 0;
  // Stops reading; Close then lets the source go. Both may be called more than once.
  virtual void Stop() = 0;
  virtual void Close() = 0;
};

}  // namespace keelmark
