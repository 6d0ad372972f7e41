// Calendar fields of time values, always in UTC (timegm/gmtime semantics, never the machine's
// time zone), and strftime-like text in English whatever the user's locale.
#pragma once

#include <cstdint>
#include <string>

#include "navigation/time_value.h"

namespace keelmark {

// The broken-down time of the C library's struct tm: years since 1900, months 0-11.
struct CalendarFields {
  std::int64_t year = 100;  // years since 1900
  int month = 0;            // 0-11
  int day = 1;              // 1-31
  int hour = 0;
  int minute = 0;
  int second = 0;
  int weekday = 6;  // 0 = Sunday
};

// UTC calendar fields of a time value (any value but kNoTime).
[[nodiscard]] CalendarFields UtcFields(TimeValue t);

// The time value of UTC calendar fields; fields out of their ranges carry over (timegm).
[[nodiscard]] TimeValue TimeFromUtcFields(const CalendarFields& fields);

// strftime-like text of a time value in UTC, with English names: %d %m %Y %y %H %M %S %b %B
// %a %A %j %%. kNoTime gives "NA".
[[nodiscard]] std::string FormatUtc(TimeValue t, const std::string& format);

// FormatUtc of a time a list, an export or a printout shows: "" for kNeverSetTime.
[[nodiscard]] std::string FormatShownTime(TimeValue t, const std::string& format);

// Parses "YYYY-MM-DDTHH:MM[:SS][Z]" (a space may stand for the T); nothing on any other text.
[[nodiscard]] bool ParseIsoUtc(const std::string& text, TimeValue& out);

// The times a user may type or a command may be given: 2000-01-01 00:00:00 up to
// 2100-12-31 23:59:59 UTC, the span the records' day numbers are made for.
inline constexpr TimeValue kEarliestEnteredTime = 946684800;
inline constexpr TimeValue kLatestEnteredTime = 4133980799;
inline constexpr const char* kEnteredTimeSpan = "2000-01-01 .. 2100-12-31";
[[nodiscard]] constexpr bool IsEnterableTime(TimeValue t) {
  return t >= kEarliestEnteredTime && t <= kLatestEnteredTime;
}

// "YYYY-MM-DDTHH:MM:SSZ"; "NA" for kNoTime.
[[nodiscard]] std::string IsoUtc(TimeValue t);

}  // namespace keelmark
