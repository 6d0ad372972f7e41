#include "navigation/calendar.h"

#include <array>
#include <cstdio>

#include "navigation/text_format.h"

namespace keelmark {
namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

constexpr std::array<const char*, 12> kMonthShort = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                     "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr std::array<const char*, 12> kMonthLong = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};
constexpr std::array<const char*, 7> kDayShort = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr std::array<const char*, 7> kDayLong = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                 "Thursday", "Friday", "Saturday"};

// Days since 1970-01-01 of a proleptic Gregorian date (month 1-12).
std::int64_t DaysFromCivil(std::int64_t y, int m, int d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yoe = y - era * 400;
  const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(std::int64_t z, std::int64_t& y, int& m, int& d) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = yoe + era * 400 + (m <= 2);
}

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

}  // namespace

CalendarFields UtcFields(TimeValue t) {
  const std::int64_t days = FloorDiv(t, kSecondsPerDay);
  const std::int64_t secondOfDay = t - days * kSecondsPerDay;
  CalendarFields f;
  std::int64_t year = 0;
  int month = 1;
  CivilFromDays(days, year, month, f.day);
  f.year = year - 1900;
  f.month = month - 1;
  f.hour = static_cast<int>(secondOfDay / 3600);
  f.minute = static_cast<int>(secondOfDay % 3600 / 60);
  f.second = static_cast<int>(secondOfDay % 60);
  f.weekday = static_cast<int>((days + 4) - FloorDiv(days + 4, 7) * 7);  // 1970-01-01: Thursday
  return f;
}

TimeValue TimeFromUtcFields(const CalendarFields& f) {
  const std::int64_t monthIndex = f.year * 12 + f.month;
  const std::int64_t year = FloorDiv(monthIndex, 12) + 1900;
  const int month = static_cast<int>(monthIndex - FloorDiv(monthIndex, 12) * 12) + 1;
  const std::int64_t days = DaysFromCivil(year, month, 1) + (f.day - 1);
  return days * kSecondsPerDay + std::int64_t{f.hour} * 3600 + std::int64_t{f.minute} * 60 +
         f.second;
}

std::string FormatUtc(TimeValue t, const std::string& format) {
  if (t == kNoTime) return kNotAvailable;
  const CalendarFields f = UtcFields(t);
  const std::int64_t year = f.year + 1900;
  std::string out;
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%' || i + 1 == format.size()) {
      out.push_back(format[i]);
      continue;
    }
    switch (format[++i]) {
      case 'd':
        out += Printf("%02d", f.day);
        break;
      case 'm':
        out += Printf("%02d", f.month + 1);
        break;
      case 'Y':
        out += Printf("%lld", static_cast<long long>(year));
        break;
      case 'y':
        out += Printf("%02lld", static_cast<long long>(((year % 100) + 100) % 100));
        break;
      case 'H':
        out += Printf("%02d", f.hour);
        break;
      case 'M':
        out += Printf("%02d", f.minute);
        break;
      case 'S':
        out += Printf("%02d", f.second);
        break;
      case 'b':
        out += kMonthShort[f.month];
        break;
      case 'B':
        out += kMonthLong[f.month];
        break;
      case 'a':
        out += kDayShort[f.weekday];
        break;
      case 'A':
        out += kDayLong[f.weekday];
        break;
      case 'j': {
        const TimeValue startOfYear = TimeFromUtcFields({f.year, 0, 1, 0, 0, 0, 0});
        out += Printf("%03lld", static_cast<long long>((t - startOfYear) / kSecondsPerDay + 1));
        break;
      }
      case '%':
        out.push_back('%');
        break;
      default:
        out.push_back('%');
        out.push_back(format[i]);
    }
  }
  return out;
}

bool ParseIsoUtc(const std::string& text, TimeValue& out) {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  char separator = 0;
  int consumed = 0;
  const int fields = std::sscanf(text.c_str(), "%4d-%2d-%2d%c%2d:%2d%n", &year, &month, &day,
                                 &separator, &hour, &minute, &consumed);
  if (fields < 6 || (separator != 'T' && separator != ' ')) return false;
  std::size_t rest = static_cast<std::size_t>(consumed);
  if (rest < text.size() && text[rest] == ':') {
    int secondConsumed = 0;
    if (std::sscanf(text.c_str() + rest, ":%2d%n", &second, &secondConsumed) != 1) return false;
    rest += static_cast<std::size_t>(secondConsumed);
  }
  if (rest < text.size() && text[rest] == 'Z') ++rest;
  if (rest != text.size()) return false;
  if (month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 || minute > 59 || second > 60 ||
      hour < 0 || minute < 0 || second < 0) {
    return false;
  }
  const TimeValue t = TimeFromUtcFields({year - 1900, month - 1, day, hour, minute, second, 0});
  if (UtcFields(t).day != day && second != 60) return false;  // 31 April and the like
  out = t;
  return true;
}

std::string FormatShownTime(TimeValue t, const std::string& format) {
  return t == kNeverSetTime ? std::string() : FormatUtc(t, format);
}

std::string IsoUtc(TimeValue t) { return FormatUtc(t, "%Y-%m-%dT%H:%M:%SZ"); }

}  // namespace keelmark
