// Meteo exchange: the average-weather data exported to and imported from separated-values
// files.
//
// An exported line is the grid point's position (name, latitude, longitude, zone offset in
// days and its three times) followed by the eight January-February values: air pressure, air
// temperature, sea temperature, current set, current rate, wind direction, wind speed and the
// number of observations. An imported line may carry up to all four seasons, eight values each
// (January-February, March-May, June-August, September-December).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "document/prompter.h"
#include "records/meteo_observation.h"

namespace keelmark {

class MeteoList;

inline constexpr const char* kMeteoExportFailed = "Export failed";
inline constexpr const char* kMeteoImportFailed = "Import failed";
inline constexpr const char* kMeteoImportDone = "Import succesfully";

// The one meteo line of a grid point, fields joined by the separator, no line end: the
// January-February values, or all four seasons (a backup the import reads back whole).
[[nodiscard]] std::string MeteoLine(const MeteoObservation& record, const std::string& separator,
                                    int seasons = 1);

// The bytes an export adds to its file: every grid point's line in list order, each with CR LF,
// in Windows-1252.
[[nodiscard]] std::string MeteoExportBytes(const MeteoList& list, const std::string& separator,
                                           int seasons = 1);

// Adds the export to the end of the file (creating it), keeping what the file held; the file
// is replaced whole, so an export that fails leaves it as it was. False, and error (when given)
// says why, when the old content cannot be read or the file cannot be written.
[[nodiscard]] bool AppendMeteoExport(const MeteoList& list, const std::string& separator,
                                     const std::string& path, std::string* error = nullptr);

// A line read back into a new grid point and the number of seasons it carries (1-4).
struct MeteoLineContent {
  MeteoObservation record;
  int seasons = 0;
};

// The content of one meteo line (without its line end), or nothing when it is not one: a field
// count other than 7 + 8 per season, a number field that is not a finite decimal number (or a
// whole number of observations), a position off the globe, a zone offset beyond a day, or
// control characters (binary data).
[[nodiscard]] std::optional<MeteoLineContent> ParseMeteoLine(std::string_view line,
                                                             std::string_view separator);

struct MeteoImportResult {
  int merged = 0;   // lines merged into the average weather
  int skipped = 0;  // lines that were not meteo lines
};

// Merges every meteo line of the text (LF or CR LF line ends, Windows-1252) into the list; the
// other lines are counted and change nothing.
MeteoImportResult ImportMeteoText(MeteoList& list, std::string_view text,
                                  std::string_view separator);

// ImportMeteoText of a whole file; nothing, and the list unchanged, when it cannot be read
// (error says why).
std::optional<MeteoImportResult> ImportMeteoFile(MeteoList& list, const std::string& path,
                                                 std::string_view separator,
                                                 std::string* error = nullptr);

// The file choice of both commands: "csv" files, offered as "meteo".
[[nodiscard]] FileChoice MeteoFileChoice();

// The export command up to the written file: asks for the file (cancel: kMeteoExportFailed)
// and appends the export to it. The path written, for the offer to mail it.
std::optional<std::string> ExportMeteoData(const MeteoList& list, const std::string& separator,
                                           Prompter& prompter);

// The import command: asks for the file (cancel: kMeteoImportFailed), merges its meteo lines
// and tells the user: kMeteoImportDone when something was merged, otherwise kMeteoImportFailed,
// with the count of lines skipped; a file that cannot be read adds nothing.
std::optional<MeteoImportResult> ImportMeteoData(MeteoList& list, const std::string& separator,
                                                 Prompter& prompter);

}  // namespace keelmark
