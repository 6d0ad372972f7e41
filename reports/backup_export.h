// Backup: the lists the options' Backup page chooses (history, meteo data, forecast areas,
// charts and publications, ports) written as separated-values files into the export folder,
// each named after its list and the day ("history-2026-12-07.csv"), each written whole or not
// at all. "Run Now" writes them at once; with the scheduler active, the first start on the
// chosen weekday writes them.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "navigation/time_value.h"

namespace keelmark {

class CKeelmarkRouteXPDoc;
struct Settings;

struct BackupFile {
  std::string path;
  std::size_t lines = 0;
};

struct BackupResult {
  std::string folder;
  std::vector<BackupFile> written;
  std::vector<std::string> errors;  // one per file that could not be written, with why
  [[nodiscard]] bool Chosen() const { return !written.empty() || !errors.empty(); }
};

// The export folder of the settings, taken from the data folder when relative.
[[nodiscard]] std::string BackupFolder(const CKeelmarkRouteXPDoc& doc);

// Writes every chosen list; the table lists as the main list shows them (as File > Export
// list writes them; the charts and publications are the route document's), the meteo data as meteo
// lines of all four seasons (File > Meteo data > Import reads them back), fields joined by the
// separator of the settings.
[[nodiscard]] BackupResult WriteBackup(const CKeelmarkRouteXPDoc& doc, TimeValue now);

// What the status bar and the messages say about a backup.
[[nodiscard]] std::string BackupSummary(const BackupResult& result);
inline constexpr const char* kNothingToBackUp =
    "No list is chosen for the backup (Backup page of Tools > Options).";

// The scheduler's rule: active, a weekday chosen (0 Sunday ... 6 Saturday, the UTC day), today
// that weekday and today not yet written (lastBackup "YYYY-MM-DD").
[[nodiscard]] bool BackupDue(const Settings& settings, const std::string& lastBackup,
                             TimeValue now);

// The scheduled backup at start-up: when due, writes it and, when every file was written,
// remembers the day in the settings store. Nothing when it was not due.
std::optional<BackupResult> RunScheduledBackup(CKeelmarkRouteXPDoc& doc, TimeValue now);

}  // namespace keelmark
