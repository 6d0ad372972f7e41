// Route exchange: the route written to and read from the files that chart plotters and ECDIS
// exchange: GPX 1.1 and RTZ 1.0, 1.1 and 1.2.
//
// What goes across: each waypoint's name and position (decimal degrees), the type of the leg
// that arrives there (rhumb line or great circle), a speed set by hand for that leg, the
// departure from the first waypoint and the scheduled arrival at the last. An export also
// carries the calculated schedule (ETAs, ground speeds, rpm) for the receiver to see. What a
// format cannot carry is listed in the notes of the result, never dropped without a word.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "records/voyage.h"

namespace keelmark {

class CVessel2;

enum class RouteFormat { Gpx, Rtz10, Rtz11, Rtz12 };

// The format words of the command line and the settings: "gpx", "rtz10", "rtz11", "rtz12".
[[nodiscard]] std::string_view RouteFormatWord(RouteFormat format);
[[nodiscard]] std::optional<RouteFormat> RouteFormatFromWord(std::string_view word);
// The format of a file name's extension (any letter case): ".gpx" GPX, ".rtz" the newest RTZ.
[[nodiscard]] std::optional<RouteFormat> RouteFormatFromPath(const std::string& path);
// "GPX 1.1", "RTZ 1.0" ...: how messages name a format.
[[nodiscard]] std::string RouteFormatTitle(RouteFormat format);
// The name an exported route takes: the file's name without folder and extension.
[[nodiscard]] std::string RouteNameOfPath(const std::string& path);

// The most waypoints a route file may give (after a track is thinned); more is refused.
inline constexpr int kMaxExchangedWaypoints = 1000;
// The largest route file read, in bytes.
inline constexpr std::size_t kMaxRouteFileBytes = 16u * 1024u * 1024u;

struct ExportedRoute {
  std::string text;                // the whole file, UTF-8 XML
  std::vector<std::string> notes;  // what the format could not carry
};

struct ImportedRoute {
  Voyage route;                    // waypoints with the leg values and times the file gave
  std::vector<std::string> notes;  // what was not taken over, and why
};

// The file's text for the route. The voyage should have been calculated: its ETAs, ground
// speeds and rpm are written as the calculated schedule.
[[nodiscard]] ExportedRoute RouteToText(const Voyage& route, const CVessel2& vessel,
                                        RouteFormat format, const std::string& routeName);

// Reads a route from a file's text. GPX: the route named `routeName`, or the first route;
// without routes the waypoint list, then the first track (thinned). RTZ: any of its versions,
// whichever RTZ format is asked for. Nothing and `error` set when the text is not a route file
// of that kind or holds impossible values (a position out of range, too many points).
[[nodiscard]] std::optional<ImportedRoute> RouteFromText(std::string_view text, RouteFormat format,
                                                         const std::string& routeName,
                                                         std::string* error);

// RouteToText written to the file, whole or not at all; false and `error` set on failure.
[[nodiscard]] bool ExportRouteFile(const Voyage& route, const CVessel2& vessel, RouteFormat format,
                                   const std::string& path, std::vector<std::string>* notes,
                                   std::string* error);
// RouteFromText of the file's content; a missing, unreadable or oversized file is an error.
[[nodiscard]] std::optional<ImportedRoute> ImportRouteFile(const std::string& path,
                                                           RouteFormat format,
                                                           const std::string& routeName,
                                                           std::string* error);

}  // namespace keelmark
