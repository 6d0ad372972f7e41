#include "records/nmea_sentence.h"

#include <array>
#include <cstdio>
#include <vector>

namespace keelmark {
namespace {

constexpr std::array<const char*, 3> kSentenceNames = {"GGA", "RMC", "GLL"};
constexpr std::int32_t kUnitsPerDegree = 60000;
constexpr std::int32_t kUnitsPerMinute = 1000;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsUpperOrDigit(char c) { return IsDigit(c) || (c >= 'A' && c <= 'Z'); }

bool AllDigits(std::string_view text) {
  for (const char c : text) {
    if (!IsDigit(c)) return false;
  }
  return true;
}

int HexValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// The whole number of a short run of digits (the caller has checked them).
int Number(std::string_view digits) {
  int value = 0;
  for (const char c : digits) value = value * 10 + (c - '0');
  return value;
}

std::vector<std::string_view> SplitFields(std::string_view body) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = body.find(',', start);
    if (comma == std::string_view::npos) {
      fields.push_back(body.substr(start));
      return fields;
    }
    fields.push_back(body.substr(start, comma - start));
    start = comma + 1;
  }
}

enum class FieldState { kEmpty, kBad, kRead };

// "ddmm.mmmm" (latitude) or "dddmm.mmmm" (longitude) and its hemisphere letter, in 1/60000
// degree rounded to the nearest thousandth of a minute. Leading zeros of the degrees may be
// left out; the minutes always have two digits.
FieldState ReadCoordinate(std::string_view value, std::string_view hemisphere, int maxDegrees,
                          char positive, char negative, std::int32_t& units) {
  if (value.empty() && hemisphere.empty()) return FieldState::kEmpty;
  if (value.empty() || hemisphere.size() != 1) return FieldState::kBad;
  const std::size_t dot = value.find('.');
  const std::string_view whole = value.substr(0, dot);
  const std::string_view fraction =
      dot == std::string_view::npos ? std::string_view() : value.substr(dot + 1);
  const std::size_t maxWhole = maxDegrees >= 100 ? 5 : 4;
  if (whole.size() < 3 || whole.size() > maxWhole || !AllDigits(whole) || !AllDigits(fraction)) {
    return FieldState::kBad;
  }
  const int wholeNumber = Number(whole);
  const int degrees = wholeNumber / 100;
  const int minutes = wholeNumber % 100;
  if (minutes >= 60) return FieldState::kBad;
  int thousandths = 0;
  for (std::size_t i = 0; i < 3; ++i) {
    thousandths = thousandths * 10 + (i < fraction.size() ? fraction[i] - '0' : 0);
  }
  if (fraction.size() > 3 && fraction[3] >= '5') ++thousandths;
  const std::int32_t magnitude =
      degrees * kUnitsPerDegree + minutes * kUnitsPerMinute + thousandths;
  if (magnitude > maxDegrees * kUnitsPerDegree) return FieldState::kBad;
  if (hemisphere[0] == positive) {
    units = magnitude;
  } else if (hemisphere[0] == negative) {
    units = -magnitude;
  } else {
    return FieldState::kBad;
  }
  return FieldState::kRead;
}

// "hhmmss[.sss]": nothing when empty or not a time of day.
std::optional<NmeaTime> ReadTime(std::string_view text) {
  if (text.size() < 6 || !AllDigits(text.substr(0, 6))) return std::nullopt;
  std::string_view fraction;
  if (text.size() > 6) {
    if (text[6] != '.' || !AllDigits(text.substr(7))) return std::nullopt;
    fraction = text.substr(7);
  }
  NmeaTime time;
  time.hour = Number(text.substr(0, 2));
  time.minute = Number(text.substr(2, 2));
  const int second = Number(text.substr(4, 2));
  if (time.hour > 23 || time.minute > 59 || second > 60) return std::nullopt;
  int millisecond = 0;
  for (std::size_t i = 0; i < 3; ++i) {
    millisecond = millisecond * 10 + (i < fraction.size() ? fraction[i] - '0' : 0);
  }
  time.millisecond = second * 1000 + millisecond;
  return time;
}

// RMC's "ddmmyy" into the time; false when it is no date.
bool ReadDate(std::string_view text, NmeaTime& time) {
  if (text.size() != 6 || !AllDigits(text)) return false;
  const int day = Number(text.substr(0, 2));
  const int month = Number(text.substr(2, 2));
  if (day < 1 || day > 31 || month < 1 || month > 12) return false;
  time.day = day;
  time.month = month;
  time.year = 2000 + Number(text.substr(4, 2));
  return true;
}

std::string_view FieldAt(const std::vector<std::string_view>& fields, std::size_t index) {
  return index < fields.size() ? fields[index] : std::string_view();
}

// The position fields at `first` (latitude, N/S, longitude, E/W) into the sentence.
NmeaOutcome ReadPosition(const std::vector<std::string_view>& fields, std::size_t first,
                         NmeaSentence& sentence) {
  const FieldState latitude =
      ReadCoordinate(fields[first], fields[first + 1], 90, 'N', 'S', sentence.latitude);
  const FieldState longitude =
      ReadCoordinate(fields[first + 2], fields[first + 3], 180, 'E', 'W', sentence.longitude);
  if (latitude == FieldState::kBad || longitude == FieldState::kBad) {
    return NmeaOutcome::kMalformed;
  }
  if (latitude == FieldState::kEmpty || longitude == FieldState::kEmpty) {
    return NmeaOutcome::kNoFix;
  }
  return NmeaOutcome::kPosition;
}

// The status letter of RMC and GLL: A valid, V (or nothing in the field) no fix.
std::optional<NmeaOutcome> StatusOutcome(std::string_view status) {
  if (status == "A") return std::nullopt;
  if (status.empty() || status == "V") return NmeaOutcome::kNoFix;
  return NmeaOutcome::kMalformed;
}

// The mode indicator of NMEA 2.3 and later: N says the position is not valid.
bool ModeSaysNoFix(std::string_view mode) { return mode == "N"; }

NmeaOutcome ReadGga(const std::vector<std::string_view>& fields, NmeaSentence& sentence) {
  if (fields.size() < 7) return NmeaOutcome::kMalformed;
  sentence.time = ReadTime(fields[1]);
  const std::string_view quality = fields[6];
  if (quality.size() > 1 || !AllDigits(quality)) return NmeaOutcome::kMalformed;
  if (quality.empty() || quality == "0") return NmeaOutcome::kNoFix;
  return ReadPosition(fields, 2, sentence);
}

NmeaOutcome ReadRmc(const std::vector<std::string_view>& fields, NmeaSentence& sentence) {
  if (fields.size() < 7) return NmeaOutcome::kMalformed;
  sentence.time = ReadTime(fields[1]);
  if (sentence.time && !ReadDate(FieldAt(fields, 9), *sentence.time)) sentence.time->year.reset();
  if (const auto status = StatusOutcome(fields[2])) return *status;
  if (ModeSaysNoFix(FieldAt(fields, 12))) return NmeaOutcome::kNoFix;
  return ReadPosition(fields, 3, sentence);
}

NmeaOutcome ReadGll(const std::vector<std::string_view>& fields, NmeaSentence& sentence) {
  if (fields.size() < 5) return NmeaOutcome::kMalformed;
  sentence.time = ReadTime(FieldAt(fields, 5));
  // Receivers of the first NMEA versions end GLL after the position or the time: no status.
  if (fields.size() > 6) {
    if (const auto status = StatusOutcome(fields[6])) return *status;
  }
  if (ModeSaysNoFix(FieldAt(fields, 7))) return NmeaOutcome::kNoFix;
  return ReadPosition(fields, 1, sentence);
}

}  // namespace

const char* NmeaSentenceName(NmeaSentenceType type) {
  return kSentenceNames[static_cast<std::size_t>(type)];
}

std::optional<NmeaSentenceType> NmeaSentenceFromName(std::string_view name) {
  for (std::size_t i = 0; i < kSentenceNames.size(); ++i) {
    if (name == kSentenceNames[i]) return static_cast<NmeaSentenceType>(i);
  }
  return std::nullopt;
}

std::string NmeaTime::Text() const {
  char text[40];
  const int second = millisecond / 1000;
  const int fraction = millisecond % 1000;
  if (year) {
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03dZ", *year, month, day, hour,
                  minute, second, fraction);
  } else {
    std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03dZ", hour, minute, second, fraction);
  }
  return text;
}

NmeaSentence ParseNmeaSentence(std::string_view text) {
  NmeaSentence sentence;
  if (text.empty() || text[0] != '$') {
    sentence.outcome = NmeaOutcome::kSkipped;
    return sentence;
  }
  std::string_view body = text.substr(1);
  const std::size_t star = body.find('*');
  if (star != std::string_view::npos) {
    const std::string_view given = body.substr(star + 1);
    body = body.substr(0, star);
    unsigned sum = 0;
    for (const char c : body) sum ^= static_cast<unsigned char>(c);
    if (given.size() != 2 || HexValue(given[0]) < 0 || HexValue(given[1]) < 0 ||
        static_cast<unsigned>(HexValue(given[0]) * 16 + HexValue(given[1])) != sum) {
      sentence.outcome = NmeaOutcome::kBadChecksum;
      return sentence;
    }
  }
  const std::vector<std::string_view> fields = SplitFields(body);
  const std::string_view address = fields[0];
  const bool known = address.size() == 5 && address[0] != 'P' && IsUpperOrDigit(address[0]) &&
                     IsUpperOrDigit(address[1]);
  sentence.type = known ? NmeaSentenceFromName(address.substr(2)) : std::nullopt;
  if (!sentence.type) {
    sentence.outcome = NmeaOutcome::kSkipped;
    return sentence;
  }
  sentence.talker = std::string(address.substr(0, 2));
  switch (*sentence.type) {
    case NmeaSentenceType::GGA:
      sentence.outcome = ReadGga(fields, sentence);
      break;
    case NmeaSentenceType::RMC:
      sentence.outcome = ReadRmc(fields, sentence);
      break;
    case NmeaSentenceType::GLL:
      sentence.outcome = ReadGll(fields, sentence);
      break;
  }
  if (sentence.outcome != NmeaOutcome::kPosition) sentence.latitude = sentence.longitude = 0;
  return sentence;
}

}  // namespace keelmark
