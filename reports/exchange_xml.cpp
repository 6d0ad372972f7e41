#include "reports/exchange_xml.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <sstream>

#include "navigation/calendar.h"
#include "navigation/navigation.h"
#include "navigation/text_format.h"
#include "records/voyage.h"
#include "reports/route_exchange.h"

namespace keelmark {
namespace {

std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t\r\n");
  return text.substr(first, last - first + 1);
}

// Digits at text[at, at + count) as a number; nothing when any is not a digit.
std::optional<int> DigitsAt(std::string_view text, std::size_t at, std::size_t count) {
  if (at + count > text.size()) return std::nullopt;
  int value = 0;
  for (std::size_t i = at; i < at + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

}  // namespace

std::string_view LocalName(const char* name) {
  const std::string_view whole(name);
  const auto colon = whole.rfind(':');
  return colon == std::string_view::npos ? whole : whole.substr(colon + 1);
}

pugi::xml_node ChildNamed(pugi::xml_node parent, std::string_view localName) {
  for (pugi::xml_node child : parent.children()) {
    if (child.type() == pugi::node_element && LocalName(child.name()) == localName) return child;
  }
  return {};
}

pugi::xml_attribute AttributeNamed(pugi::xml_node node, std::string_view localName) {
  for (pugi::xml_attribute attribute : node.attributes()) {
    if (LocalName(attribute.name()) == localName) return attribute;
  }
  return {};
}

std::optional<double> ParseXmlNumber(std::string_view text) {
  text = Trimmed(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  double value = 0.0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

std::string ExactNumberText(double value) {
  char buffer[64];
  const auto [end, ec] =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  if (ec != std::errc()) return FixedNumberText(value, 9);
  return std::string(buffer, end);
}

std::string FixedNumberText(double value, int decimals) { return Printf("%.*f", decimals, value); }

std::optional<double> ParseXmlDateTime(std::string_view text) {
  text = Trimmed(text);
  // YYYY-MM-DDTHH:MM:SS, then optional fraction and zone.
  const auto year = DigitsAt(text, 0, 4), month = DigitsAt(text, 5, 2), day = DigitsAt(text, 8, 2);
  const auto hour = DigitsAt(text, 11, 2), minute = DigitsAt(text, 14, 2),
             second = DigitsAt(text, 17, 2);
  if (!year || !month || !day || !hour || !minute || !second || text[4] != '-' || text[7] != '-' ||
      (text[10] != 'T' && text[10] != 't') || text[13] != ':' || text[16] != ':') {
    return std::nullopt;
  }
  if (*month < 1 || *month > 12 || *day < 1 || *day > 31 || *hour > 24 || *minute > 59 ||
      *second > 60 || *year < 1901 || *year > 2099) {
    return std::nullopt;
  }
  std::size_t at = 19;
  double fraction = 0.0;
  if (at < text.size() && text[at] == '.') {
    double scale = 0.1;
    for (++at; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at, scale /= 10.0) {
      fraction += (text[at] - '0') * scale;
    }
  }
  int zoneMinutes = 0;
  if (at < text.size()) {
    const char sign = text[at];
    if ((sign == 'Z' || sign == 'z') && at + 1 == text.size()) {
      ++at;
    } else if ((sign == '+' || sign == '-') && at + 6 == text.size() && text[at + 3] == ':') {
      const auto zoneHours = DigitsAt(text, at + 1, 2), zoneMins = DigitsAt(text, at + 4, 2);
      if (!zoneHours || !zoneMins || *zoneHours > 14 || *zoneMins > 59) return std::nullopt;
      zoneMinutes = (*zoneHours * 60 + *zoneMins) * (sign == '-' ? -1 : 1);
      at = text.size();
    } else {
      return std::nullopt;
    }
  }
  CalendarFields fields;
  fields.year = *year - 1900;
  fields.month = *month - 1;
  fields.day = *day;
  fields.hour = *hour;
  fields.minute = *minute - zoneMinutes;  // timegm carries minutes out of range over
  fields.second = *second;
  const CNavigation navigation;
  return navigation.LocalDayNumber(TimeFromUtcFields(fields)) + fraction / 86400.0;
}

std::string XmlDateTimeText(double dayNumber) {
  const TimeValue t = CNavigation().TimeFromDayNumber(dayNumber);
  return t == kNoTime ? std::string() : IsoUtc(t);
}

std::optional<double> ParseStaySeconds(std::string_view text) {
  text = Trimmed(text);
  if (text.size() >= 8 && text[2] == ':' && text[5] == ':') {
    const auto h = DigitsAt(text, 0, 2), m = DigitsAt(text, 3, 2), s = DigitsAt(text, 6, 2);
    if (!h || !m || !s) return std::nullopt;
    const auto fraction = text.size() > 8 ? ParseXmlNumber("0" + std::string(text.substr(8)))
                                          : std::optional<double>(0.0);
    if (!fraction) return std::nullopt;
    return *h * 3600.0 + *m * 60.0 + *s + *fraction;
  }
  // PnDTnHnMnS: each number is followed by its unit letter.
  if (text.empty() || text.front() != 'P') return std::nullopt;
  double seconds = 0.0;
  bool inTime = false;
  std::string number;
  for (std::size_t i = 1; i < text.size(); ++i) {
    const char c = text[i];
    if (c == 'T') {
      inTime = true;
    } else if ((c >= '0' && c <= '9') || c == '.') {
      number += c;
    } else {
      const auto value = ParseXmlNumber(number);
      if (!value) return std::nullopt;
      number.clear();
      if (c == 'D' && !inTime) {
        seconds += *value * 86400.0;
      } else if (c == 'H' && inTime) {
        seconds += *value * 3600.0;
      } else if (c == 'M' && inTime) {
        seconds += *value * 60.0;
      } else if (c == 'S' && inTime) {
        seconds += *value;
      } else {
        return std::nullopt;
      }
    }
  }
  if (!number.empty()) return std::nullopt;
  return seconds;
}

Waypoint& AddCheckedWaypoint(Voyage& route, const char* latitude, const char* longitude,
                             const std::string& where) {
  const auto lat = ParseXmlNumber(latitude ? latitude : "");
  const auto lon = ParseXmlNumber(longitude ? longitude : "");
  if (!lat || !lon) throw RouteFileError(where + " has no position");
  if (std::fabs(*lat) > 90.0) {
    throw RouteFileError(where + ": latitude " + latitude + " is beyond 90 degrees");
  }
  if (std::fabs(*lon) > 180.0) {
    throw RouteFileError(where + ": longitude " + longitude + " is beyond 180 degrees");
  }
  Waypoint* waypoint = route.Add(std::make_unique<Waypoint>());
  waypoint->Latitude = *lat;
  waypoint->Longitude = *lon;
  return *waypoint;
}

void CheckWaypointCount(const Voyage& route, const std::string& what) {
  if (route.GetCount() < 2) {
    throw RouteFileError(what + " has fewer than two waypoints");
  }
  if (route.GetCount() > kMaxExchangedWaypoints) {
    throw RouteFileError(what + " has " + std::to_string(route.GetCount()) +
                         " waypoints; a route holds at most " +
                         std::to_string(kMaxExchangedWaypoints));
  }
}

pugi::xml_document ParseRouteXml(std::string_view text) {
  pugi::xml_document document;
  const pugi::xml_parse_result parsed =
      document.load_buffer(text.data(), text.size(), pugi::parse_default, pugi::encoding_auto);
  if (!parsed) {
    throw RouteFileError(std::string("not an XML file: ") + parsed.description() + " at byte " +
                         std::to_string(parsed.offset));
  }
  return document;
}

std::string XmlText(const pugi::xml_document& document) {
  std::ostringstream out;
  out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  document.save(out, "  ", pugi::format_default | pugi::format_no_declaration, pugi::encoding_utf8);
  return out.str();
}

}  // namespace keelmark
