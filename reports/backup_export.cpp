#include "reports/backup_export.h"

#include <filesystem>
#include <system_error>

#include "document/keelmark_document.h"
#include "navigation/calendar.h"
#include "records/archive_file.h"
#include "records/meteo_list.h"
#include "records/settings_keys.h"
#include "reports/category_table.h"
#include "reports/list_export.h"
#include "reports/meteo_exchange.h"

namespace keelmark {
namespace {

// The lists of the Backup page, in its order; the meteo data has no list of its own, charts
// and publications are two.
struct BackupList {
  std::int32_t Settings::*flag;
  const char* name;
  std::optional<Category> category;
};
const BackupList kBackupLists[] = {
    {&Settings::exportHistory, "history", Category::History},
    {&Settings::exportMeteo, "meteo", std::nullopt},
    {&Settings::exportForecast, "forecast", Category::Forecast},
    {&Settings::exportPublications, "charts", Category::Charts},
    {&Settings::exportPublications, "publications", Category::Publications},
    {&Settings::exportPorts, "ports", Category::Ports},
};

constexpr int kAllSeasons = 4;

std::string Day(TimeValue now) { return FormatUtc(now, "%Y-%m-%d"); }

}  // namespace

std::string BackupFolder(const CKeelmarkRouteXPDoc& doc) {
  const std::string& folder = doc.GetSettings().exportFolder;
  return doc.ResolvePath(folder.empty() ? std::string(".") : folder);
}

BackupResult WriteBackup(const CKeelmarkRouteXPDoc& doc, TimeValue now) {
  const Settings& settings = doc.GetSettings();
  BackupResult result;
  result.folder = BackupFolder(doc);
  bool folderMade = false;
  for (const BackupList& list : kBackupLists) {
    if (settings.*list.flag == 0) continue;
    const std::string path =
        (std::filesystem::path(result.folder) / (std::string(list.name) + "-" + Day(now) + ".csv"))
            .string();
    if (!folderMade) {
      std::error_code ignored;
      std::filesystem::create_directories(result.folder, ignored);
      folderMade = true;
    }
    std::string bytes;
    std::size_t lines = 0;
    if (list.category) {
      const Table table = FillCategory(doc, *list.category);
      bytes = ListFileBytes(table, settings.convChar);
      lines = table.rows.size();
    } else {
      bytes = MeteoExportBytes(doc.GetMeteo(), settings.convChar, kAllSeasons);
      lines = static_cast<std::size_t>(doc.GetMeteo().GetCount());
    }
    std::string error;
    if (WriteFileAtomically(path, bytes, &error)) {
      result.written.push_back({path, lines});
    } else {
      result.errors.push_back(path + ": " + error);
    }
  }
  return result;
}

std::string BackupSummary(const BackupResult& result) {
  if (!result.Chosen()) return kNothingToBackUp;
  std::string text;
  if (!result.written.empty()) {
    text = "Backup written to " + result.folder + ":";
    for (const BackupFile& file : result.written) {
      text += " " + std::filesystem::path(file.path).filename().string() + " (" +
              std::to_string(file.lines) + (file.lines == 1 ? " line)" : " lines)");
    }
  }
  for (const std::string& error : result.errors) {
    text += (text.empty() ? "" : "\n") + std::string("Backup not written: ") + error;
  }
  return text;
}

bool BackupDue(const Settings& settings, const std::string& lastBackup, TimeValue now) {
  return settings.runScheduler != 0 && settings.weekdayScheduler == UtcFields(now).weekday &&
         lastBackup != Day(now);
}

std::optional<BackupResult> RunScheduledBackup(CKeelmarkRouteXPDoc& doc, TimeValue now) {
  SettingsStore& store = doc.GetStore();
  if (!BackupDue(doc.GetSettings(), store.Read(setting::kLastBackup), now)) return std::nullopt;
  BackupResult result = WriteBackup(doc, now);
  // A backup that failed is tried again at the next start of the day.
  if (result.errors.empty()) {
    store.Write(setting::kLastBackup, Day(now));
    std::string ignored;
    (void)store.Sync(&ignored);
  }
  return result;
}

}  // namespace keelmark
