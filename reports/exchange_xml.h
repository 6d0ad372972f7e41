// The pieces GPX and RTZ route files share: numbers and times in XML's own forms, element
// names without their namespace prefix, and the checks every imported waypoint passes.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include <pugixml.hpp>

namespace keelmark {

class Voyage;
class Waypoint;

// One clear message about a route file that cannot be imported.
class RouteFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// An element's or attribute's name without its namespace prefix ("opencpn:etd" -> "etd").
[[nodiscard]] std::string_view LocalName(const char* name);
// The first child element with this local name; an empty node when there is none.
[[nodiscard]] pugi::xml_node ChildNamed(pugi::xml_node parent, std::string_view localName);
// The first attribute with this local name; an empty attribute when there is none.
[[nodiscard]] pugi::xml_attribute AttributeNamed(pugi::xml_node node, std::string_view localName);

// A decimal number as XML writes it ("12.5", "-0.25", surrounding blanks and a leading '+'
// allowed); nothing for any other text, an empty one, or a value that is not finite.
[[nodiscard]] std::optional<double> ParseXmlNumber(std::string_view text);
// The shortest decimal text that reads back as exactly this value (no exponent).
[[nodiscard]] std::string ExactNumberText(double value);
// A value with `decimals` decimals ("%.*f").
[[nodiscard]] std::string FixedNumberText(double value, int decimals);

// xsd:dateTime "YYYY-MM-DDTHH:MM:SS[.fff][Z|+hh:mm|-hh:mm]" as a day number (UTC); a time
// without a zone is taken as UTC. Nothing for any other text.
[[nodiscard]] std::optional<double> ParseXmlDateTime(std::string_view text);
// A day number as "YYYY-MM-DDTHH:MM:SSZ"; the empty text when it has no time (NA).
[[nodiscard]] std::string XmlDateTimeText(double dayNumber);
// Seconds of an xsd:time "HH:MM:SS[.fff]" or an xsd:duration "PnDTnHnMnS"; nothing otherwise.
[[nodiscard]] std::optional<double> ParseStaySeconds(std::string_view text);

// A waypoint at the position, or RouteFileError naming `where` when a coordinate is missing,
// not a number, or out of range (latitude beyond 90, longitude beyond 180 degrees).
Waypoint& AddCheckedWaypoint(Voyage& route, const char* latitude, const char* longitude,
                             const std::string& where);
// RouteFileError when the route has fewer than two or more than the allowed waypoints.
void CheckWaypointCount(const Voyage& route, const std::string& what);

// Parses the text; RouteFileError ("not an XML file: ...") when it is not well-formed.
[[nodiscard]] pugi::xml_document ParseRouteXml(std::string_view text);
// The whole document as UTF-8 text with its XML declaration, indented by two blanks.
[[nodiscard]] std::string XmlText(const pugi::xml_document& document);

}  // namespace keelmark
