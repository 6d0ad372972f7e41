// CKeelmarkRouteXPDoc: the one document. It owns every collection, loads the shared data files
// when it is created and stores them when it is closed, and reads and writes route documents
// (".q3v": the route, the charts and the reporting points).
//
// Data files are found through the settings' "Path" keys; a relative path is resolved against
// the data folder (the current folder unless one is given). A data file that cannot be read is
// located through the Prompter; one that exists but is damaged is first kept beside itself as
// NAME.damaged-YYYYMMDD-HHMMSS, so that storing an empty list later never destroys it.
//
// Opened for reading only, the document asks nothing and changes no file: a data file that
// cannot be read is named in one message and left where it is, and closing stores nothing.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <set>
#include <span>
#include <string>

#include "document/category.h"
#include "document/prompter.h"
#include "records/archive_file.h"
#include "records/chart.h"
#include "records/chart_list.h"
#include "records/forecast_list.h"
#include "records/history_list.h"
#include "records/meteo_list.h"
#include "records/port_list.h"
#include "records/position_fix.h"
#include "records/reporting_point_list.h"
#include "records/settings.h"
#include "records/settings_store.h"
#include "records/storm_list.h"
#include "records/vessel.h"
#include "records/voyage.h"
#include "records/warning_list.h"
#include "voyage/position_fixes.h"

namespace keelmark {

class ForecastArea;

// The data file a "Path" key names, a relative path taken inside `folder` (when one is given);
// the empty text when the key is empty.
[[nodiscard]] std::string DataFilePathIn(const SettingsStore& store, const TextSetting& key,
                                         const std::string& folder);

// The record behind the selected row: a position record, or a forecast area (the one kind of
// record that is not a position).
struct SelectedRecord {
  CPosition2* position = nullptr;
  ForecastArea* forecast = nullptr;

  [[nodiscard]] explicit operator bool() const { return position || forecast; }
  // The record's own layout, as the single-record exchange files hold it.
  void Serialize(Archive& archive) const;
};

// Where bringing the voyage up to date starts the voyage calculation (CKeelmarkRouteXPDoc::
// UpdateVoyage).
// What the caller of OpenRouteDocument knows of the data files' records in memory.
enum class DataFilesInMemory {
  // They may have been edited since they were last read or stored: compare before rereading.
  MayBeEdited,
  // Nothing has touched them since the document read them or stored them: a file that is as it
  // was then need not be compared, since rereading it would give the same records.
  AsLastReadOrStored,
};

enum class VoyageStart {
  // The first waypoint at its departure time.
  Departure,
  // The present position once under way (the under-way flag as it stands), else the departure.
  UnderWayFlag,
  // The present position brought up to date and the under-way flag set from it first: under
  // way once the departure is not later than the present position. Then as UnderWayFlag.
  Now,
  // As a route document is read or stored, whatever the route holds: the departure, then the
  // latest fix when the history holds one.
  AsRead,
  // As AsRead, from the departure only.
  AsReadFromDeparture,
};

// Whether the document may write its data files and settings.
enum class DataAccess { ReadWrite, ReadOnly };

class CKeelmarkRouteXPDoc {
 public:
  // Loads the vessel, history, storms, average weather, warnings, ports and forecast areas (in
  // that order, each with its locate procedure and failure message), reads the settings,
  // prunes the history and takes the present position from the latest fix.
  CKeelmarkRouteXPDoc(SettingsStore& store, Prompter& prompter, std::string dataFolder = "",
                      DataAccess access = DataAccess::ReadWrite);
  // Close(), unless it has run.
  ~CKeelmarkRouteXPDoc();
  CKeelmarkRouteXPDoc(const CKeelmarkRouteXPDoc&) = delete;
  CKeelmarkRouteXPDoc& operator=(const CKeelmarkRouteXPDoc&) = delete;

  // Stores every data file (each failure has its message, naming the file and the reason),
  // then the colours and settings. Runs once; later calls do nothing and give true. False when
  // anything could not be stored. Read only: stores nothing.
  bool Close();
  // Ends the document without storing anything: a command that was refused part way leaves
  // every file as it found it.
  void Discard() { closed_ = true; }

  // --- The collections. ---
  [[nodiscard]] Voyage& GetRoute() { return route_; }
  [[nodiscard]] HistoryList& GetHistory() { return history_; }
  [[nodiscard]] StormList& GetStorms() { return storms_; }
  [[nodiscard]] MeteoList& GetMeteo() { return meteo_; }
  [[nodiscard]] PortList& GetPorts() { return ports_; }
  [[nodiscard]] ChartList& GetCharts() { return charts_; }
  [[nodiscard]] ReportingPointList& GetReportingPoints() { return reportingPoints_; }
  [[nodiscard]] WarningList& GetWarnings() { return warnings_; }
  [[nodiscard]] ForecastList& GetForecasts() { return forecasts_; }
  [[nodiscard]] Chart& GetCurrentChart() { return currentChart_; }
  [[nodiscard]] CVessel2& GetVessel() { return vessel_; }
  [[nodiscard]] Settings& GetSettings() { return settings_; }
  [[nodiscard]] SettingsStore& GetStore() { return store_; }
  [[nodiscard]] Prompter& GetPrompter() { return prompter_; }
  [[nodiscard]] PositionFix& GetSecondFix() { return secondFix_; }
  // The same, for reading.
  [[nodiscard]] const Voyage& GetRoute() const { return route_; }
  [[nodiscard]] const HistoryList& GetHistory() const { return history_; }
  [[nodiscard]] const StormList& GetStorms() const { return storms_; }
  [[nodiscard]] const MeteoList& GetMeteo() const { return meteo_; }
  [[nodiscard]] const PortList& GetPorts() const { return ports_; }
  [[nodiscard]] const ChartList& GetCharts() const { return charts_; }
  [[nodiscard]] const ReportingPointList& GetReportingPoints() const { return reportingPoints_; }
  [[nodiscard]] const WarningList& GetWarnings() const { return warnings_; }
  [[nodiscard]] const ForecastList& GetForecasts() const { return forecasts_; }
  [[nodiscard]] const CVessel2& GetVessel() const { return vessel_; }
  [[nodiscard]] const Settings& GetSettings() const { return settings_; }

  // --- Shared user-interface state (the rest lives in GetSettings()). ---
  int selectedRow = 0;  // row picked in the list, -1 for none
  // The history rows of the Performance dialog's "From position:" and "Till position:".
  int performanceFrom = 0;
  int performanceTill = 0;
  [[nodiscard]] Category GetCategory() const;
  void SetCategory(Category category);

  // --- Data files. ---
  // The path a "Path" key names, resolved against the data folder ("" when the key is empty).
  [[nodiscard]] std::string DataFilePath(const TextSetting& key) const;
  // A file path as the data files' paths are taken: a relative one inside the data folder.
  [[nodiscard]] std::string ResolvePath(const std::string& path) const;
  // Loads (true) or stores (false) every shared data file in the route document's order:
  // vessel, history, forecast areas, storms, average weather, ports, warnings, as opening and
  // saving a route document do. A store that fails has its message; false when any did.
  void ReloadDataFiles(DataFilesInMemory inMemory = DataFilesInMemory::MayBeEdited);
  bool StoreDataFiles();

  // --- Route documents. ---
  // Rereads the data files, then reads the route, charts and reporting points from the file
  // (nothing changes when it cannot be read; bytes after the document count as damage, and the
  // file itself is never changed) and brings the voyage up to date from `start`.
  [[nodiscard]] LoadResult OpenRouteDocument(
      const std::string& path, VoyageStart start = VoyageStart::AsRead,
      DataFilesInMemory inMemory = DataFilesInMemory::MayBeEdited);
  // Stores the data files, then writes the route document whole or not at all, then brings the
  // voyage up to date as after opening.
  [[nodiscard]] bool SaveRouteDocument(const std::string& path, std::string* error = nullptr);
  // Empties the route, the charts and the reporting points; nothing else is reset.
  void OnNewDocument();

  // --- Look-ups and bringing the voyage up to date. ---
  [[nodiscard]] SelectedRecord GetSelectedRecord();
  // The present position brought up to date from the latest fix (and dead-reckoned to now
  // when "UpdateDR" is set), unless the GPS receiver keeps it ("UseNMEA").
  PositionFix& GetPresentPosition();
  // The position as last brought up to date, without bringing it up to date again.
  [[nodiscard]] PositionFix& PresentPosition() { return presentPosition_; }
  [[nodiscard]] const PositionFix& PresentPosition() const { return presentPosition_; }
  // Brings the voyage up to date: the average weather onto the legs, then the voyage
  // calculation from `start`. The one way to the calculation: the window, the list, the fix
  // entry and the commands all come here. Departure, UnderWayFlag and Now calculate a voyage of
  // two waypoints or more and leave a shorter route as it is.
  void UpdateVoyage(VoyageStart start);
  // What the list of a category needs before it is filled, the fill only reading the document:
  // Waypoints bring the voyage up to date from now, Schedule recalculates with the under-way
  // flag as it stands first, Storms take the present position brought up to date.
  void UpdateForList(Category category);

  // --- Position fixes. ---
  // A fix the fix editor confirmed (it is in the history): the fix pipeline (vessel condition,
  // log speed, made good with the 40-knot rule, current, average weather), then the present
  // position from it and the voyage recalculated: from the present position once under way,
  // from the departure before that. False when no earlier fix gives a made good.
  bool ConfirmPositionFix(PositionFix& fix, const FixEntry& entry);

  // --- Single-record exchange files. ---
  // Writes the selected record's layout (an empty file when none is selected); "Error writing
  // file " and the path on failure.
  bool ExportSelectedRecord(const std::string& path);
  // Reads one record of the current category from the file and inserts it after the selected
  // record (a forecast area at the end); "Error reading file " and the path on failure, and a
  // damaged file inserts nothing.
  bool ImportRecord(const std::string& path);

 private:
  using Serializer = std::function<void(Archive&)>;
  struct DataFile;
  enum class DataFileId { Vessel, History, Storms, Meteo, Warnings, Ports, Forecasts };
  // The order the program starts and ends with, and the order of a route document.
  static constexpr DataFileId kStartOrder[] = {
      DataFileId::Vessel,   DataFileId::History, DataFileId::Storms,   DataFileId::Meteo,
      DataFileId::Warnings, DataFileId::Ports,   DataFileId::Forecasts};
  static constexpr DataFileId kRouteDocumentOrder[] = {
      DataFileId::Vessel, DataFileId::History, DataFileId::Forecasts, DataFileId::Storms,
      DataFileId::Meteo,  DataFileId::Ports,   DataFileId::Warnings};

  [[nodiscard]] DataFile FileOf(DataFileId id);
  [[nodiscard]] bool LoadDataFile(const DataFile& file);
  // Read only: the file read where its key says, its defaults kept when that fails.
  [[nodiscard]] LoadResult ReadDataFile(const DataFile& file);
  [[nodiscard]] bool StoreDataFile(const DataFile& file, std::string* error = nullptr);
  // Stores the files in this order, each failure with its message; false when any failed.
  bool StoreEachDataFile(std::span<const DataFileId> order);
  [[nodiscard]] LoadResult LoadAt(const std::string& path, const DataFile& file);
  // Remembers what a load read (or forgets it, when the load failed).
  void MarkRead(const DataFile& file, const std::string& path, const LoadResult& result);
  // True when the file at path is the one last read (or stored) for this data file, untouched
  // since, and `stored` (the digest of what the records in memory would store) is the digest
  // of its bytes: reading it again would change nothing, and neither would storing it.
  [[nodiscard]] bool UnchangedSinceRead(const DataFile& file, const std::string& path,
                                        const ContentDigest& stored) const;
  // True when the records were left as the last read or store of the file at path put them,
  // and the file is untouched since: the check that needs no encoding of the records.
  [[nodiscard]] bool HeldAsRead(const DataFile& file, const std::string& path) const;
  // Keeps a damaged file beside itself; false when that failed (its path is then protected).
  bool SetDamagedFileAside(const std::string& path, const std::string& why);
  // The latest fix's position, time, made good, course steered, log speed, engine rpm and
  // weather into the present position; nothing without a fix.
  void TakePresentPositionFromLatestFix();

  SettingsStore& store_;
  Prompter& prompter_;
  std::string dataFolder_;
  bool readOnly_ = false;
  bool closed_ = false;
  // Damaged files that could not be kept aside: never written over.
  std::set<std::string> protectedPaths_;
  // What was last read for each data file (by DataFileId): where, the file as it stood, and
  // the digest of its bytes.
  struct ReadMark {
    std::string path;
    FileStamp stamp;
    ContentDigest digest;
    // False once the records were changed after the read (the history pruned) or a store
    // of them failed.
    bool recordsAsRead = true;
  };
  std::array<std::optional<ReadMark>, std::size(kStartOrder)> readMarks_;

  Settings settings_;
  ForecastList forecasts_;
  PositionFix secondFix_;
  StormList storms_;
  WarningList warnings_;
  ReportingPointList reportingPoints_;
  ChartList charts_;
  Chart currentChart_;
  HistoryList history_;
  PortList ports_;
  MeteoList meteo_;
  PositionFix presentPosition_;
  Voyage route_;
  CVessel2 vessel_;
};

}  // namespace keelmark
