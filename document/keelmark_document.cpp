#include "document/keelmark_document.h"

#include <filesystem>
#include <memory>

#include "document/category_records.h"
#include "navigation/calendar.h"
#include "navigation/navigation.h"
#include "records/forecast_area.h"
#include "records/route_document.h"
#include "voyage/average_weather.h"
#include "voyage/position_fixes.h"
#include "voyage/voyage_calculation.h"

namespace keelmark {
namespace {

constexpr const char* kFailedToOpen =
    "Failed to open file\ndata might be corrupt\nCreating new empty datafile";
constexpr const char* kErrorWriting = "Error writing file ";
constexpr const char* kErrorReading = "Error reading file ";

// The part of a fix that the present position and the second working fix start from.
void TakePositionAndMadeGood(const PositionFix& latest, PositionFix& fix) {
  fix.SetLatitude(latest.GetLatitude());
  fix.SetLongitude(latest.GetLongitude());
  fix.SetZoneOffset(latest.GetZoneOffset());
  fix.SetTime(latest.GetTime());
  fix.CourseMadeGood = latest.CourseMadeGood;
  fix.SpeedMadeGood = latest.SpeedMadeGood;
}

}  // namespace

// One shared data file: its "Path" key, the locate dialog's initial name and message, the
// messages of construction and destruction, and how to read it into (and reset) its record.
struct CKeelmarkRouteXPDoc::DataFile {
  DataFileId id;
  TextSetting key;
  const char* locateName;
  const char* locateMessage;
  const char* loadFailure;
  const char* storeFailure;
  std::uintmax_t largestFile;  // bytes; a larger file is not one of ours
  Serializer serialize;
  std::function<void()> reset;
};

void SelectedRecord::Serialize(Archive& archive) const {
  if (position) {
    position->Serialize(archive);
  } else if (forecast) {
    forecast->Serialize(archive);
  }
}

CKeelmarkRouteXPDoc::CKeelmarkRouteXPDoc(SettingsStore& store, Prompter& prompter,
                                         std::string dataFolder, DataAccess access)
    : store_(store),
      prompter_(prompter),
      dataFolder_(std::move(dataFolder)),
      readOnly_(access == DataAccess::ReadOnly) {
  vessel_.ReadIdentity(store_);
  for (const DataFileId id : kStartOrder) {
    const DataFile file = FileOf(id);
    if (!readOnly_) {
      if (!LoadDataFile(file)) prompter_.Message(file.loadFailure, MessageIcon::None);
      continue;
    }
    const LoadResult result = ReadDataFile(file);
    if (result.Ok()) continue;
    const std::string why = result.status == LoadStatus::Damaged
                                ? DataFilePath(file.key) + " is damaged: " + result.detail
                                : result.detail;
    prompter_.Message(std::string(file.loadFailure) + " (" + why + ")", MessageIcon::None);
  }

  settings_ = Settings();
  selectedRow = 0;
  ReadSettings(store_, settings_);
  const int fixesRead = history_.GetCount();
  PruneHistory(history_, settings_.historyCleanUp);
  if (history_.GetCount() != fixesRead) {
    if (auto& mark = readMarks_[static_cast<std::size_t>(DataFileId::History)]) {
      mark->recordsAsRead = false;
    }
  }
  if (const PositionFix* latest = history_.GetLast()) {
    for (PositionFix* fix : {&presentPosition_, &secondFix_})
      TakePositionAndMadeGood(*latest, *fix);
  }
  ReadColors(store_, settings_);
}

CKeelmarkRouteXPDoc::~CKeelmarkRouteXPDoc() { Close(); }

bool CKeelmarkRouteXPDoc::Close() {
  if (closed_) return true;
  closed_ = true;
  if (readOnly_) return true;
  vessel_.WriteIdentity(store_);
  bool stored = StoreEachDataFile(kStartOrder);
  WriteColors(store_, settings_);
  WriteSettings(store_, settings_);
  std::string error;
  if (!store_.Sync(&error)) {
    prompter_.Message("The settings could not be saved:\n" + error, MessageIcon::Exclamation);
    stored = false;
  }
  return stored;
}

Category CKeelmarkRouteXPDoc::GetCategory() const {
  return CategoryFromIndex(settings_.listSelected).value_or(Category::Waypoints);
}

void CKeelmarkRouteXPDoc::SetCategory(Category category) {
  settings_.listSelected = static_cast<int>(category);
}

namespace {

std::string ResolveIn(const std::string& path, const std::string& folder) {
  if (path.empty() || folder.empty()) return path;
  const std::filesystem::path p(path);
  if (p.is_absolute()) return path;
  return (std::filesystem::path(folder) / p).string();
}

}  // namespace

std::string DataFilePathIn(const SettingsStore& store, const TextSetting& key,
                           const std::string& folder) {
  return ResolveIn(store.Read(key), folder);
}

std::string CKeelmarkRouteXPDoc::ResolvePath(const std::string& path) const {
  return ResolveIn(path, dataFolder_);
}

std::string CKeelmarkRouteXPDoc::DataFilePath(const TextSetting& key) const {
  return DataFilePathIn(store_, key, dataFolder_);
}

bool CKeelmarkRouteXPDoc::SetDamagedFileAside(const std::string& path, const std::string& why) {
  const std::optional<std::string> kept = KeepDamagedFile(path, ProcessClock().Now());
  if (!kept) {
    protectedPaths_.insert(path);
    prompter_.Message("The data file\n" + path + "\nis damaged (" + why +
                          ") and could not be set aside; it will not be written over.",
                      MessageIcon::Exclamation);
    return false;
  }
  prompter_.Message(
      "The data file\n" + path + "\nis damaged (" + why + ").\nIt has been kept as\n" + *kept,
      MessageIcon::Exclamation);
  return true;
}

void CKeelmarkRouteXPDoc::MarkRead(const DataFile& file, const std::string& path,
                                   const LoadResult& result) {
  std::optional<ReadMark>& mark = readMarks_[static_cast<std::size_t>(file.id)];
  if (result.Ok()) {
    mark = ReadMark{path, result.stamp, result.digest};
  } else {
    mark.reset();
  }
}

bool CKeelmarkRouteXPDoc::UnchangedSinceRead(const DataFile& file, const std::string& path,
                                             const ContentDigest& stored) const {
  const std::optional<ReadMark>& mark = readMarks_[static_cast<std::size_t>(file.id)];
  if (!mark || mark->path != path || !(mark->digest == stored)) return false;
  const std::optional<FileStamp> stamp = StampOf(path);
  return stamp && *stamp == mark->stamp;
}

bool CKeelmarkRouteXPDoc::HeldAsRead(const DataFile& file, const std::string& path) const {
  const std::optional<ReadMark>& mark = readMarks_[static_cast<std::size_t>(file.id)];
  if (!mark || !mark->recordsAsRead || mark->path != path) return false;
  const std::optional<FileStamp> stamp = StampOf(path);
  return stamp && *stamp == mark->stamp;
}

LoadResult CKeelmarkRouteXPDoc::LoadAt(const std::string& path, const DataFile& file) {
  const LoadResult result = LoadArchiveFile(path, file.serialize, file.largestFile);
  MarkRead(file, path, result);
  if (!result.Ok()) file.reset();
  if (result.status == LoadStatus::Damaged) SetDamagedFileAside(path, result.detail);
  std::error_code ec;
  if (result.status == LoadStatus::CannotOpen && std::filesystem::exists(path, ec)) {
    // Something is there that could not be read (no permission, a folder, a device, far too
    // large): a store must never replace it.
    protectedPaths_.insert(path);
    prompter_.Message(result.detail + "\nIt will not be written over.", MessageIcon::Exclamation);
  }
  return result;
}

bool CKeelmarkRouteXPDoc::LoadDataFile(const DataFile& file) {
  if (LoadAt(DataFilePath(file.key), file).Ok()) return true;
  prompter_.Message(file.locateMessage, MessageIcon::Exclamation);
  const std::optional<std::string> chosen =
      prompter_.ChooseOpenFile({kDataFileFilter, kDataFileExtension, file.locateName});
  // Cancelled: the new empty data file is created where the key already points, as the
  // message that follows says (unless something unreadable is there, which is kept).
  const std::string path = chosen.value_or(store_.Read(file.key));
  store_.Write(file.key, path);
  if (!path.empty() && LoadAt(ResolvePath(path), file).Ok()) return true;
  prompter_.Message(kFailedToOpen, MessageIcon::Exclamation);
  return false;
}

LoadResult CKeelmarkRouteXPDoc::ReadDataFile(const DataFile& file) {
  const std::string path = DataFilePath(file.key);
  const LoadResult result = LoadArchiveFile(path, file.serialize, file.largestFile);
  MarkRead(file, path, result);
  if (!result.Ok()) file.reset();
  return result;
}

bool CKeelmarkRouteXPDoc::StoreDataFile(const DataFile& file, std::string* error) {
  const std::string path = DataFilePath(file.key);
  if (path.empty()) {
    if (error) *error = "no file is chosen for it";
    return false;
  }
  if (protectedPaths_.count(path)) {
    if (error) *error = path + " could not be read and is kept as it is";
    return false;
  }
  // Compared through a digest first: most stores find the file as it was, and a large file's
  // bytes are then never held in memory.
  const ContentDigest digest = DigestOfStored(file.serialize);
  std::optional<ReadMark>& mark = readMarks_[static_cast<std::size_t>(file.id)];
  // The same bytes are on the disk already: writing them again would only touch the file.
  if (UnchangedSinceRead(file, path, digest)) {
    mark->recordsAsRead = true;
    return true;
  }
  Archive archive = Archive::ForStoring();
  file.serialize(archive);
  const Archive::Bytes& bytes = archive.StoredBytes();
  if (!WriteFileAtomically(
          path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
          error)) {
    if (mark) mark->recordsAsRead = false;
    return false;
  }
  LoadResult stored;
  stored.digest = digest;
  stored.stamp = StampOf(path).value_or(FileStamp{});
  MarkRead(file, path, stored);
  return true;
}

void CKeelmarkRouteXPDoc::ReloadDataFiles(DataFilesInMemory inMemory) {
  vessel_.ReadIdentity(store_);
  for (const DataFileId id : kRouteDocumentOrder) {
    const DataFile file = FileOf(id);
    const std::string path = DataFilePath(file.key);
    // Reading a file that is as it was read, into records that still hold just that, would
    // change nothing. Encoding the records to compare costs as much as the read on a large
    // file, so it is left out when the caller knows they are untouched.
    if (inMemory == DataFilesInMemory::AsLastReadOrStored && HeldAsRead(file, path)) continue;
    if (UnchangedSinceRead(file, path, DigestOfStored(file.serialize))) continue;
    if (readOnly_) {
      (void)ReadDataFile(file);
    } else {
      (void)LoadDataFile(file);
    }
  }
}

bool CKeelmarkRouteXPDoc::StoreDataFiles() {
  if (readOnly_) return true;
  vessel_.WriteIdentity(store_);
  return StoreEachDataFile(kRouteDocumentOrder);
}

bool CKeelmarkRouteXPDoc::StoreEachDataFile(std::span<const DataFileId> order) {
  bool stored = true;
  for (const DataFileId id : order) {
    const DataFile file = FileOf(id);
    std::string error;
    if (!StoreDataFile(file, &error)) {
      prompter_.Message(std::string(file.storeFailure) + ":\n" + error, MessageIcon::Exclamation);
      stored = false;
    }
  }
  return stored;
}

CKeelmarkRouteXPDoc::DataFile CKeelmarkRouteXPDoc::FileOf(DataFileId id) {
  switch (id) {
    case DataFileId::Vessel:
      return {id,
              setting::kVesselPath,
              "vessel",
              "Unable to load vessel data\nPlease locate data file",
              "Can not load vessel data",
              "Can not store vessel",
              kLargestDataFile,
              [this](Archive& a) { vessel_.Serialize(a); },
              [this] {
                vessel_ = CVessel2();
                vessel_.ReadIdentity(store_);
              }};
    case DataFileId::History:
      return {id,
              setting::kHistoryPath,
              "voyage",
              "Unable to load history data\nPlease locate data file",
              "Can not load history data",
              "Can not store history data",
              kLargestDataFile,
              [this](Archive& a) { history_.Serialize(a); },
              [this] { history_.RemoveAll(); }};
    case DataFileId::Storms:
      return {id,
              setting::kHurricanePath,
              "hurricane",
              "Unable to load hurricane data\nPlease locate data file",
              "Can not load hurricanelist",
              "Can not store hurricanelist",
              kLargestDataFile,
              [this](Archive& a) { storms_.Serialize(a); },
              [this] { storms_.RemoveAll(); }};
    case DataFileId::Meteo:
      return {id,
              setting::kMeteoPath,
              "meteo",
              "Unable to load meteo data\nPlease locate data file",
              "Can not load meteolist",
              "Can not store meteolist",
              kLargestMeteoFile,
              [this](Archive& a) { meteo_.Serialize(a); },
              [this] { meteo_.RemoveAll(); }};
    case DataFileId::Warnings:
      return {id,
              setting::kWarningPath,
              "warning",
              "Unable to load nav warning data\nPlease locate data file",
              "Can not load navigational warnings",
              "Can not store navigational warnings",
              kLargestDataFile,
              [this](Archive& a) { warnings_.Serialize(a); },
              [this] { warnings_.RemoveAll(); }};
    case DataFileId::Ports:
      return {id,
              setting::kPortPath,
              "port",
              "Unable to load port data\nPlease locate data file",
              "Can not load port data",
              "Can not store port data",
              kLargestDataFile,
              [this](Archive& a) { ports_.Serialize(a); },
              [this] { ports_.RemoveAll(); }};
    case DataFileId::Forecasts:
      break;
  }
  return {id,
          setting::kForecastPath,
          "forecast",
          "Unable to load forecast data\nPlease locate data file",
          "Can not load forecast data",
          "Can not store forecast data",
          kLargestDataFile,
          [this](Archive& a) { forecasts_.Serialize(a); },
          [this] { forecasts_.RemoveAll(); }};
}

LoadResult CKeelmarkRouteXPDoc::OpenRouteDocument(const std::string& path, VoyageStart start,
                                                  DataFilesInMemory inMemory) {
  ReloadDataFiles(inMemory);
  // Read into fresh lists first, so that a damaged route document changes nothing.
  Voyage route;
  ChartList charts;
  ReportingPointList reportingPoints;
  const LoadResult result = LoadArchiveFile(
      path, [&](Archive& a) { SerializeRouteDocument(a, route, charts, reportingPoints); });
  if (!result.Ok()) return result;
  // The weather source is not in the file: it keeps its value while the program runs.
  route.UseForecastAreas = route_.UseForecastAreas;
  route_ = std::move(route);
  charts_ = std::move(charts);
  reportingPoints_ = std::move(reportingPoints);
  UpdateVoyage(start);
  return result;
}

bool CKeelmarkRouteXPDoc::SaveRouteDocument(const std::string& path, std::string* error) {
  StoreDataFiles();
  const bool stored = StoreArchiveFile(
      path, [&](Archive& a) { SerializeRouteDocument(a, route_, charts_, reportingPoints_); },
      error);
  UpdateVoyage(VoyageStart::AsRead);
  return stored;
}

void CKeelmarkRouteXPDoc::OnNewDocument() {
  route_.RemoveAll();
  charts_.RemoveAll();
  reportingPoints_.RemoveAll();
}

SelectedRecord CKeelmarkRouteXPDoc::GetSelectedRecord() {
  SelectedRecord selected;
  if (settings_.hasListSelected == 0) {
    if (settings_.alternativeSelection == 0) selected.position = &presentPosition_;
    if (settings_.alternativeSelection == 1 && selectedRow >= 0 && !storms_.IsEmpty()) {
      selected.position = storms_.GetAt(selectedRow);
    }
    return selected;
  }
  const std::optional<Category> category = CategoryFromIndex(settings_.listSelected);
  if (selectedRow < 0 || !category) return selected;
  return VisitCategoryRecords(*this, *category, [this](const auto& records) {
    return records.Select(records.At(selectedRow));
  });
}

void CKeelmarkRouteXPDoc::TakePresentPositionFromLatestFix() {
  const PositionFix* latest = history_.GetLast();
  if (!latest) return;
  PositionFix& p = presentPosition_;
  TakePositionAndMadeGood(*latest, p);
  p.SteeredCourse = latest->SteeredCourse;
  p.LogSpeed = latest->LogSpeed;
  p.EngineRpm = latest->EngineRpm;
  p.Weather = latest->Weather;
}

PositionFix& CKeelmarkRouteXPDoc::GetPresentPosition() {
  if (settings_.useNMEA != 0) return presentPosition_;
  TakePresentPositionFromLatestFix();
  if (settings_.updateDR != 0) {
    const CNavigation navigation;
    PositionFix& p = presentPosition_;
    const double now = navigation.UtcDayNumberNow();
    const double hours = (now - p.GetTime()) * 24.0;
    navigation.DeadReckon(p, p.SpeedMadeGood * hours, p.CourseMadeGood);
    p.SetTime(now);
  }
  return presentPosition_;
}

void CKeelmarkRouteXPDoc::UpdateVoyage(VoyageStart start) {
  if (start == VoyageStart::AsRead || start == VoyageStart::AsReadFromDeparture) {
    ApplyAverageWeather(route_, meteo_);
    CalculateVoyage(route_, vessel_, DeparturePosition(route_));
    const PositionFix* latest = history_.GetLast();
    if (start == VoyageStart::AsRead && latest) CalculateVoyage(route_, vessel_, *latest);
    return;
  }
  if (start == VoyageStart::Now) {
    // The departure and the present position are compared as UTC instants: their local
    // readings differ by the zones, which would shift the moment of departure. An empty route
    // leaves the flag as it was.
    const PositionFix& present = GetPresentPosition();
    if (const Waypoint* departure = route_.GetFirst()) {
      settings_.underWay = departure->GetTime() > present.GetTime() ? 0 : 1;
    }
  }
  if (route_.GetCount() < 2) return;
  ApplyAverageWeather(route_, meteo_);
  if (start == VoyageStart::Departure || settings_.underWay == 0) {
    CalculateVoyage(route_, vessel_, DeparturePosition(route_));
  } else {
    CalculateVoyage(route_, vessel_, presentPosition_);
  }
}

void CKeelmarkRouteXPDoc::UpdateForList(Category category) {
  if (category == Category::Schedule) UpdateVoyage(VoyageStart::UnderWayFlag);
  if (category == Category::Waypoints || category == Category::Schedule) {
    UpdateVoyage(VoyageStart::Now);
  }
  if (category == Category::Storms) GetPresentPosition();
}

bool CKeelmarkRouteXPDoc::ConfirmPositionFix(PositionFix& fix, const FixEntry& entry) {
  const MadeGoodResult madeGood = ConfirmFix(history_, fix, entry, vessel_, meteo_);
  if (madeGood == MadeGoodResult::kSpeedRefused) {
    prompter_.Message(kSpeedRefusedMessage, MessageIcon::Exclamation);
  }
  // Once under way the voyage runs from the present position, which the new fix has moved.
  GetPresentPosition();
  UpdateVoyage(VoyageStart::UnderWayFlag);
  return madeGood != MadeGoodResult::kNoEarlierFix;
}

bool CKeelmarkRouteXPDoc::ExportSelectedRecord(const std::string& path) {
  Archive archive = Archive::ForStoring();
  if (settings_.hasListSelected != 0 && selectedRow >= 0) {
    if (const SelectedRecord selected = GetSelectedRecord()) selected.Serialize(archive);
  }
  const auto& bytes = archive.StoredBytes();
  if (!WriteFileAtomically(path, {reinterpret_cast<const char*>(bytes.data()), bytes.size()})) {
    prompter_.Message(kErrorWriting + path, MessageIcon::Stop);
    return false;
  }
  return true;
}

namespace {

// Reads one record of the list's class from the bytes and inserts it after `after` (appended
// when that is not in the list; a forecast area always at the end); a damaged record inserts
// nothing.
template <typename List>
bool ImportInto(List& list, Archive& archive, const CPosition2* after) {
  using Record = std::remove_pointer_t<decltype(list.GetFirst())>;
  auto record = std::make_unique<Record>();
  try {
    record->Serialize(archive);
  } catch (const ArchiveError&) {
    return false;
  }
  if constexpr (std::is_same_v<Record, ForecastArea>) {
    list.Add(std::move(record));
  } else {
    list.InsertAfter(dynamic_cast<const Record*>(after), std::move(record));
  }
  return true;
}

}  // namespace

bool CKeelmarkRouteXPDoc::ImportRecord(const std::string& path) {
  auto bytes = ReadWholeFile(path);
  if (!bytes) {
    prompter_.Message(kErrorReading + path, MessageIcon::Stop);
    return false;
  }
  Archive archive = Archive::ForLoading(std::move(*bytes));
  const CPosition2* after = GetSelectedRecord().position;
  const bool imported = VisitCategoryRecords(*this, GetCategory(), [&](const auto& records) {
    return ImportInto(records.Collection(), archive, after);
  });
  if (!imported) prompter_.Message(kErrorReading + path, MessageIcon::Stop);
  return imported;
}

}  // namespace keelmark
