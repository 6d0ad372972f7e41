#include "reports/meteo_exchange.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <vector>

#include "navigation/text_format.h"
#include "records/archive_file.h"
#include "records/meteo_list.h"
#include "records/text_codec.h"
#include "voyage/average_weather.h"
#include "voyage/meteo_grid.h"

namespace keelmark {
namespace {

// The seven decimal values of a season in the order of the line, with their export formats;
// the number of observations follows them.
struct SeasonValue {
  double WeatherConditions::*field;
  const char* format;
};
constexpr std::array<SeasonValue, 7> kSeasonValues = {{
    {&WeatherConditions::AirPressure, "%#4.1f"},
    {&WeatherConditions::AirTemperature, "%#2.1f"},
    {&WeatherConditions::SeaTemperature, "%#2.1f"},
    {&WeatherConditions::CurrentSet, "%#3.1f"},
    {&WeatherConditions::CurrentRate, "%#2.1f"},
    {&WeatherConditions::WindDirection, "%#3.1f"},
    {&WeatherConditions::WindSpeed, "%#3.1f"},
}};

constexpr int kPositionFields = 7;
constexpr int kSeasonFields = 8;
constexpr int kMaxSeasons = 4;
// The month that selects each season of a line, in line order.
constexpr std::array<int, kMaxSeasons> kSeasonMonths = {1, 5, 7, 11};

// A zone offset beyond a whole day (days) is not a time zone.
constexpr double kLargestZoneOffset = 1.0;

std::vector<std::string_view> SplitFields(std::string_view line, std::string_view separator) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  for (;;) {
    const std::size_t at = line.find(separator, start);
    if (at == std::string_view::npos) break;
    fields.push_back(line.substr(start, at - start));
    start = at + separator.size();
  }
  fields.push_back(line.substr(start));
  return fields;
}

std::string_view Trimmed(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

// The field as a finite decimal number written whole ("12.5", "-3", "1e3"); nothing for any
// other text, hexadecimal, "nan" and "inf" included.
std::optional<double> DecimalNumber(std::string_view field) {
  const std::string text(Trimmed(field));
  if (text.empty() || text.find_first_not_of("0123456789+-.eE") != std::string::npos) {
    return std::nullopt;
  }
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  if (end != text.c_str() + text.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<std::int32_t> ObservationCount(std::string_view field) {
  const std::string text(Trimmed(field));
  if (text.empty() || text.find_first_not_of("0123456789+") != std::string::npos) {
    return std::nullopt;
  }
  errno = 0;
  char* end = nullptr;
  const long long value = std::strtoll(text.c_str(), &end, 10);
  if (errno != 0 || end != text.c_str() + text.size() || value < 0 ||
      value > std::numeric_limits<std::int32_t>::max()) {
    return std::nullopt;
  }
  return static_cast<std::int32_t>(value);
}

bool HasControlCharacters(std::string_view line) {
  for (const char c : line) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte < 0x20 && c != '\t') || byte == 0x7F) return true;
  }
  return false;
}

}  // namespace

std::string MeteoLine(const MeteoObservation& record, const std::string& separator, int seasons) {
  std::string line = record.ExportLine(separator);
  for (int season = 0; season < std::clamp(seasons, 1, kMaxSeasons); ++season) {
    const WeatherConditions& block =
        SeasonBlock(record, kSeasonMonths[static_cast<std::size_t>(season)]);
    for (const SeasonValue& value : kSeasonValues) {
      line += separator + FormatNumber(value.format, block.*value.field);
    }
    line += separator + Printf("%d", block.ObservationCount);
  }
  return line;
}

std::string MeteoExportBytes(const MeteoList& list, const std::string& separator, int seasons) {
  std::string text;
  for (const auto& record : list) text += MeteoLine(*record, separator, seasons) + "\r\n";
  return Utf8ToCp1252(text);
}

bool AppendMeteoExport(const MeteoList& list, const std::string& separator, const std::string& path,
                       std::string* error) {
  std::string content;
  std::error_code ignored;
  if (std::filesystem::exists(path, ignored)) {
    const std::optional<Archive::Bytes> old = ReadWholeFile(path, kLargestMeteoFile);
    if (!old) {
      if (error) *error = path + ": the file cannot be read, so nothing can be added to it";
      return false;
    }
    content.assign(old->begin(), old->end());
  }
  content += MeteoExportBytes(list, separator);
  return WriteFileAtomically(path, content, error);
}

std::optional<MeteoLineContent> ParseMeteoLine(std::string_view line, std::string_view separator) {
  if (separator.empty() || HasControlCharacters(line)) return std::nullopt;
  const std::vector<std::string_view> fields = SplitFields(line, separator);
  const int count = static_cast<int>(fields.size());
  const int seasons = (count - kPositionFields) / kSeasonFields;
  if (seasons < 1 || seasons > kMaxSeasons || count != kPositionFields + seasons * kSeasonFields) {
    return std::nullopt;
  }

  MeteoLineContent content;
  content.seasons = seasons;
  MeteoObservation& record = content.record;
  record.ImportField(Cp1252ToUtf8(fields[0]), 0);
  for (int column = 1; column < kPositionFields; ++column) {
    const std::optional<double> number = DecimalNumber(fields[static_cast<std::size_t>(column)]);
    if (!number) return std::nullopt;
    // The position fields take the number's own text, as the columns of any export line do.
    record.ImportField(std::string(Trimmed(fields[static_cast<std::size_t>(column)])), column);
  }
  if (std::fabs(record.GetLatitude()) > 90.0 || std::fabs(record.GetLongitude()) > 180.0 ||
      std::fabs(record.GetZoneOffset()) > kLargestZoneOffset) {
    return std::nullopt;
  }

  for (int season = 0; season < seasons; ++season) {
    WeatherConditions& block = SeasonBlock(record, kSeasonMonths[static_cast<std::size_t>(season)]);
    const std::size_t first = static_cast<std::size_t>(kPositionFields + season * kSeasonFields);
    for (std::size_t i = 0; i < kSeasonValues.size(); ++i) {
      const std::optional<double> number = DecimalNumber(fields[first + i]);
      if (!number) return std::nullopt;
      block.*kSeasonValues[i].field = *number;
    }
    const std::optional<std::int32_t> observations =
        ObservationCount(fields[first + kSeasonValues.size()]);
    if (!observations) return std::nullopt;
    block.ObservationCount = *observations;
  }
  return content;
}

MeteoImportResult ImportMeteoText(MeteoList& list, std::string_view text,
                                  std::string_view separator) {
  MeteoImportResult result;
  MeteoGrid grid(list);
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::optional<MeteoLineContent> content = ParseMeteoLine(line, separator);
    if (content && MergeRecord(grid, content->record, content->seasons)) {
      ++result.merged;
    } else {
      ++result.skipped;
    }
  }
  return result;
}

std::optional<MeteoImportResult> ImportMeteoFile(MeteoList& list, const std::string& path,
                                                 std::string_view separator, std::string* error) {
  std::string reason;
  const std::optional<Archive::Bytes> bytes = ReadWholeFile(path, kLargestMeteoFile, &reason);
  if (!bytes) {
    if (error) *error = reason;
    return std::nullopt;
  }
  const std::string text(bytes->begin(), bytes->end());
  return ImportMeteoText(list, text, separator);
}

FileChoice MeteoFileChoice() {
  return {"Comma Separated File (*.csv)|*.csv|All Files (*.*)|*.*||", "csv", "meteo"};
}

std::optional<std::string> ExportMeteoData(const MeteoList& list, const std::string& separator,
                                           Prompter& prompter) {
  const std::optional<std::string> path = prompter.ChooseSaveFile(MeteoFileChoice());
  if (!path) {
    prompter.Message(kMeteoExportFailed, MessageIcon::Exclamation);
    return std::nullopt;
  }
  std::string error;
  if (!AppendMeteoExport(list, separator, *path, &error)) {
    prompter.Message(std::string(kMeteoExportFailed) + "\n" + error, MessageIcon::Exclamation);
    return std::nullopt;
  }
  return path;
}

std::optional<MeteoImportResult> ImportMeteoData(MeteoList& list, const std::string& separator,
                                                 Prompter& prompter) {
  const std::optional<std::string> path = prompter.ChooseOpenFile(MeteoFileChoice());
  if (!path) {
    prompter.Message(kMeteoImportFailed, MessageIcon::Exclamation);
    return std::nullopt;
  }
  std::string error;
  const std::optional<MeteoImportResult> result = ImportMeteoFile(list, *path, separator, &error);
  if (!result) {
    prompter.Message(std::string(kMeteoImportFailed) + "\n" + error, MessageIcon::Exclamation);
    return std::nullopt;
  }
  // Success is claimed only for a file that added something.
  const bool added = result->merged > 0;
  std::string text = added ? kMeteoImportDone : kMeteoImportFailed;
  if (result->skipped > 0 || !added) {
    text += Printf("\nLines skipped (no meteo data): %d", result->skipped);
  }
  prompter.Message(text, added ? MessageIcon::None : MessageIcon::Exclamation);
  return result;
}

}  // namespace keelmark
