#include "reports/route_exchange.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "records/archive_file.h"
#include "reports/exchange_xml.h"
#include "reports/gpx_route.h"
#include "reports/rtz_route.h"

namespace keelmark {
namespace {

struct FormatName {
  RouteFormat format;
  const char* word;
  const char* title;
};

constexpr FormatName kFormatNames[] = {
    {RouteFormat::Gpx, "gpx", "GPX 1.1"},
    {RouteFormat::Rtz10, "rtz10", "RTZ 1.0"},
    {RouteFormat::Rtz11, "rtz11", "RTZ 1.1"},
    {RouteFormat::Rtz12, "rtz12", "RTZ 1.2"},
};

const FormatName& NameOf(RouteFormat format) {
  for (const FormatName& name : kFormatNames) {
    if (name.format == format) return name;
  }
  return kFormatNames[0];
}

std::string Lowered(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// What no exchange format carries, said for the route at hand.
void NoteWhatIsNotCarried(const Voyage& route, const std::string& title,
                          std::vector<std::string>& notes) {
  const bool zones = std::any_of(route.begin(), route.end(),
                                 [](const auto& w) { return w->GetZoneOffset() != 0.0; });
  const bool weather = std::any_of(route.begin(), route.end(),
                                   [](const auto& w) { return w->UseVoyageWeather == 0; });
  if (zones) notes.push_back(title + " carries no zone times: the times are written in UTC.");
  if (weather) notes.push_back(title + " carries no weather set by hand on a leg.");
  if (!route.Note.empty()) notes.push_back(title + " carries no voyage notes.");
  if (title.rfind("GPX", 0) == 0 && !route.VoyageNumber.empty()) {
    notes.push_back(title + " carries no voyage number.");
  }
}

}  // namespace

std::string_view RouteFormatWord(RouteFormat format) { return NameOf(format).word; }

std::optional<RouteFormat> RouteFormatFromWord(std::string_view word) {
  for (const FormatName& name : kFormatNames) {
    if (word == name.word) return name.format;
  }
  return std::nullopt;
}

std::optional<RouteFormat> RouteFormatFromPath(const std::string& path) {
  const std::string lowered = Lowered(path);
  auto endsWith = [&](const char* tail) {
    const std::string_view t(tail);
    return lowered.size() > t.size() &&
           lowered.compare(lowered.size() - t.size(), t.size(), t) == 0;
  };
  if (endsWith(".gpx")) return RouteFormat::Gpx;
  if (endsWith(".rtz")) return RouteFormat::Rtz12;
  return std::nullopt;
}

std::string RouteFormatTitle(RouteFormat format) { return NameOf(format).title; }

std::string RouteNameOfPath(const std::string& path) {
  const auto slash = path.find_last_of('/');
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  const auto dot = name.find_last_of('.');
  if (dot != std::string::npos && dot > 0) name.erase(dot);
  return name;
}

ExportedRoute RouteToText(const Voyage& route, const CVessel2& vessel, RouteFormat format,
                          const std::string& routeName) {
  ExportedRoute exported = format == RouteFormat::Gpx
                               ? GpxFromRoute(route, routeName)
                               : RtzFromRoute(route, vessel, format, routeName);
  NoteWhatIsNotCarried(route, RouteFormatTitle(format), exported.notes);
  return exported;
}

std::optional<ImportedRoute> RouteFromText(std::string_view text, RouteFormat format,
                                           const std::string& routeName, std::string* error) {
  try {
    const pugi::xml_document document = ParseRouteXml(text);
    if (format == RouteFormat::Gpx) return RouteFromGpx(document, routeName);
    return RouteFromRtz(document);
  } catch (const RouteFileError& e) {
    if (error) *error = e.what();
    return std::nullopt;
  }
}

bool ExportRouteFile(const Voyage& route, const CVessel2& vessel, RouteFormat format,
                     const std::string& path, std::vector<std::string>* notes, std::string* error) {
  if (route.GetCount() < 2) {
    if (error) *error = "the route has fewer than two waypoints";
    return false;
  }
  ExportedRoute exported = RouteToText(route, vessel, format, RouteNameOfPath(path));
  if (!WriteFileAtomically(path, exported.text, error)) return false;
  if (notes) *notes = std::move(exported.notes);
  return true;
}

std::optional<ImportedRoute> ImportRouteFile(const std::string& path, RouteFormat format,
                                             const std::string& routeName, std::string* error) {
  std::error_code sizeError;
  const auto size = std::filesystem::file_size(path, sizeError);
  if (!sizeError && size > kMaxRouteFileBytes) {
    if (error) *error = "the file is larger than a route file can be";
    return std::nullopt;
  }
  const auto bytes = ReadWholeFile(path);
  if (!bytes) {
    if (error) *error = "cannot open the file";
    return std::nullopt;
  }
  const std::string_view text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
  return RouteFromText(text, format, routeName, error);
}

}  // namespace keelmark
