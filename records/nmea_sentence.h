// NMEA 0183 sentences: the three position sentences (GGA, RMC, GLL) of any talker decoded from
// one sentence's text, a pure function of its characters.
//
// Positions come out in 1/60000 degree (thousandths of a minute), north and east positive, the
// unit the GPS monitor reads. A sentence is refused when its checksum is wrong, skipped when it
// is proprietary ("$P..."), encapsulated ("!AIVDM" ...) or of another type, and reports "no fix"
// when the receiver says its position is not valid (RMC and GLL status V, GGA fix quality 0,
// mode indicator N) or leaves the position empty.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace keelmark {

// The position sentences, in the order of the "GPSString" setting (0 GGA, 1 RMC, 2 GLL).
enum class NmeaSentenceType { GGA = 0, RMC = 1, GLL = 2 };

// The sentence's name ("GGA") and the type of a name; nothing for another name.
[[nodiscard]] const char* NmeaSentenceName(NmeaSentenceType type);
[[nodiscard]] std::optional<NmeaSentenceType> NmeaSentenceFromName(std::string_view name);

enum class NmeaOutcome {
  kPosition,     // a valid position
  kNoFix,        // a position sentence whose receiver has no valid position
  kBadChecksum,  // the checksum does not match, or is not two hexadecimal digits
  kMalformed,    // a position sentence whose fields cannot be read
  kSkipped,      // proprietary, encapsulated or another sentence type
};

// The UTC time of a fix as the sentence carries it: time of day, and the date for RMC.
struct NmeaTime {
  int hour = 0;
  int minute = 0;
  int millisecond = 0;      // of the minute, 0-60999 (a leap second is 60)
  std::optional<int> year;  // four digits; RMC's two-digit year taken as 20yy
  int month = 0;
  int day = 0;

  // "HH:MM:SS.sssZ", or "YYYY-MM-DDTHH:MM:SS.sssZ" when the date is known.
  [[nodiscard]] std::string Text() const;
};

struct NmeaSentence {
  NmeaOutcome outcome = NmeaOutcome::kSkipped;
  std::string talker;                    // "GP", "GN", "II" ...; empty when not read
  std::optional<NmeaSentenceType> type;  // one of the three, when it is one
  std::int32_t latitude = 0;             // 1/60000 degree, north positive
  std::int32_t longitude = 0;            // 1/60000 degree, east positive
  std::optional<NmeaTime> time;          // when the sentence carries a readable one
};

// One sentence from its start character up to its end, without CR LF.
[[nodiscard]] NmeaSentence ParseNmeaSentence(std::string_view text);

// Degrees of a 1/60000-degree value.
inline constexpr double kDegreesPerNmeaUnit = 1.6666666666666667e-05;

}  // namespace keelmark
