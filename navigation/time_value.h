// TimeValue: seconds since 1970-01-01 00:00 UTC, the time value of the files and of the editors.
#pragma once

#include <cstdint>
#include <limits>

namespace keelmark {

using TimeValue = std::int64_t;

// The time value of a day number that has none (infinite, not a number, or far out of range).
// Every text of such a time reads "NA".
inline constexpr TimeValue kNoTime = std::numeric_limits<TimeValue>::min();

// A time that was never set: a record's time slot holds day number 0 (1999-12-31 00:00 UTC)
// and a file's time value 0 (1970-01-01 00:00) until someone sets them; no entered time can be
// either. Lists, their exports and printouts show such a time as an empty text, so that an
// unsent report does not look done; the stored value stays as it is.
inline constexpr double kNeverSetDayNumber = 0.0;
inline constexpr TimeValue kNeverSetTime = 0;

}  // namespace keelmark
