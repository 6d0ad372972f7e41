// TimeValue: seconds since 1970-01-01 00:00 UTC, the time value of the files and of the editors.
#pragma once

#include <cstdint>
#include <limits>

namespace keelmark {

using TimeValue = std::int64_t;

// The time value of a day number that has none (infinite, not a number, or far out of range).
// Every text of such a time reads "NA".
inline constexpr TimeValue kNoTime = std::numeric_limits<TimeValue>::min();

}  // namespace keelmark
