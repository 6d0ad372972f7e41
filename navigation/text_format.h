// printf-style text in the "C" locale conventions, and the "NA" of numbers that have no value.
#pragma once

#include <string>

namespace keelmark {

// Formats that several displays share: a speed in knots, and a local date and time.
inline constexpr const char* kKnotsFormat = "%#3.1f kts";
inline constexpr const char* kLocalDateTimeFormat = "%d %b %H:%M LT";

// The text shown for a number that is infinite or not a number.
inline constexpr const char* kNotAvailable = "NA";

// printf into a std::string. The program keeps LC_NUMERIC at "C" (the desktop program resets
// it after Qt starts), so the decimal mark is always '.'.
[[nodiscard]] std::string Printf(const char* format, ...) __attribute__((format(printf, 1, 2)));

// One double through a printf conversion such as "%#2.1f"; "NA" when it is not finite.
[[nodiscard]] std::string FormatNumber(const char* format, double value);

// The longest numeric prefix of the text as a double (strtod rules); 0.0 when there is none.
[[nodiscard]] double LeadingNumber(const std::string& text);

// An integer with "%d", prefixed with "0" until it has at least the given number of digits
// (the way coordinates and times are written in ship reports).
[[nodiscard]] std::string ZeroPadded(int value, int digits);

}  // namespace keelmark
