#include "reports/ship_report.h"

#include <cctype>
#include <filesystem>

#include "records/archive_file.h"
#include "records/settings_store.h"
#include "records/text_codec.h"
#include "records/voyage.h"
#include "reports/ship_report_messages.h"
#include "reports/text_file_choice.h"

namespace keelmark {
namespace {

// The report file's name when the configured one cannot be used here.
constexpr const char* kFallbackReportFile = "Report.txt";

// "c:/..." or "C:\...": a path of the system the settings may have come from.
bool IsDrivePath(const std::string& path) {
  return path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':';
}

}  // namespace

std::optional<std::string> ShipReportFileName(ReportSystem system, ReportKind kind) {
  const ShipReportMessage* message = FindShipReportMessage(ShipReportCode(system, kind));
  if (!message) return std::nullopt;
  return message->fileName;
}

ShipReport BuildShipReport(ReportSystem system, ReportKind kind, const ShipReportSources& sources) {
  if (sources.voyage.GetCount() < 2) return {"", kNoActiveVoyage};
  const ShipReportMessage* message = FindShipReportMessage(ShipReportCode(system, kind));
  if (!message) return {"", kSpecialFormRequired};
  return {message->write(sources), std::nullopt};
}

std::string ShipReportFileBytes(const std::string& text) { return Utf8ToCp1252(text); }

ShipReportWrite WriteShipReport(ReportSystem system, ReportKind kind,
                                const ShipReportSources& sources, const std::string& path) {
  const ShipReport report = BuildShipReport(system, kind, sources);
  ShipReportWrite result;
  if (report.refusal) {
    result.refusal = report.refusal;
    return result;
  }
  result.written = WriteFileAtomically(path, ShipReportFileBytes(report.text), &result.error);
  return result;
}

bool SaveShipReport(ReportSystem system, ReportKind kind, const ShipReportSources& sources,
                    Prompter& prompter) {
  const ShipReport report = BuildShipReport(system, kind, sources);
  if (report.refusal) {
    prompter.Message(report.refusal->text, report.refusal->icon);
    return false;
  }
  const std::optional<std::string> path =
      prompter.ChooseSaveFile(TextFileChoice(ShipReportFileName(system, kind).value_or("")));
  if (!path || path->empty()) return false;
  return WriteFileAtomically(*path, ShipReportFileBytes(report.text));
}

std::optional<std::string> ReadShipReportForMail(const std::string& path) {
  const auto bytes = ReadWholeFile(path);
  if (!bytes) return std::nullopt;
  // Read as text: CR LF becomes a plain line break.
  std::string text;
  text.reserve(bytes->size());
  for (std::size_t i = 0; i < bytes->size(); ++i) {
    const char c = static_cast<char>((*bytes)[i]);
    if (c == '\r' && i + 1 < bytes->size() && (*bytes)[i + 1] == '\n') continue;
    text += c;
  }
  return Cp1252ToUtf8(text);
}

std::string ReportFilePath(const SettingsStore& store, const std::string& dataFolder) {
  namespace fs = std::filesystem;
  const fs::path folder(dataFolder);
  const fs::path fallback = folder / kFallbackReportFile;
  const std::string configured = store.Read(setting::kReportFile);
  if (configured.empty() || IsDrivePath(configured)) return fallback.string();
  fs::path path(configured);
  if (path.is_relative()) path = folder / path;
  const fs::path parent = path.parent_path();
  std::error_code ec;
  if (!parent.empty() && !fs::is_directory(parent, ec)) return fallback.string();
  return path.string();
}

}  // namespace keelmark
