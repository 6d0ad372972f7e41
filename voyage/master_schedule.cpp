#include "voyage/master_schedule.h"

#include <cmath>
#include <filesystem>
#include <limits>

#include "navigation/calendar.h"
#include "navigation/clock.h"
#include "navigation/text_format.h"
#include "records/text_codec.h"
#include "records/vessel.h"
#include "voyage/vessel_model.h"

namespace keelmark {
namespace {

constexpr const char* kRpmFormat = "%#3.1f rpm";
constexpr const char* kHoursFormat = "%#10.1f hrs";

constexpr const char* kTextTitle = "Master Schedule created by Keelmark Route\n\n";
constexpr const char* kTextHeading = "Port\t\tETA\t\tETD\t\tSpeed\n";
constexpr int kTextRuleLength = 42;
constexpr const char* kTextNoPorts = "No ports defined\n";

// Departure of a call: its arrival plus the port stay.
double DepartureOf(const ScheduleItem& item) { return item.Eta + item.PortStay / 24.0; }

}  // namespace

LoadResult MasterSchedule::Load(const std::string& path) {
  damagedPath_.reset();
  LoadResult result =
      LoadArchiveFile(path, [this](Archive& archive) { items_.Serialize(archive); });
  if (!result.Ok()) {
    items_.RemoveAll();
    if (result.status == LoadStatus::Damaged) damagedPath_ = path;
  }
  Recalculate();
  return result;
}

bool MasterSchedule::Store(const std::string& path, std::string* error) {
  if (damagedPath_ && *damagedPath_ == path) {
    if (!KeepDamagedFile(path, ProcessClock().Now()) && std::filesystem::exists(path)) {
      if (error) *error = "the damaged file " + path + " could not be set aside";
      return false;
    }
    damagedPath_.reset();
  }
  return StoreArchiveFile(
      path, [this](Archive& archive) { items_.Serialize(archive); }, error);
}

void MasterSchedule::Recalculate() {
  totals_ = {};
  ScheduleItem* previous = nullptr;
  for (const auto& owned : items_) {
    ScheduleItem* const item = owned.get();
    item->PassageHours = item->Speed = item->CallRpm = item->CallFuel = 0.0;
    const double lastDeparture = previous ? previous->Etd : 0.0;
    if (lastDeparture > 0.0) {
      item->PassageHours = (item->Eta - lastDeparture) * 24.0;
      if (item->PassageHours == 0.0) {
        // No time at sea: no speed or rpm to show, and no fuel burnt.
        item->Speed = item->CallRpm = std::numeric_limits<double>::quiet_NaN();
      } else {
        item->Speed = item->Distance / item->PassageHours;
        item->CallRpm = VesselModel(vessel_).TheoreticalRpm(item->Speed);
        item->CallFuel = VesselModel(vessel_).FuelConsumption(item->CallRpm, item->PassageHours);
      }
    }
    item->Etd = DepartureOf(*item);
    if (previous) {
      totals_.distance += item->Distance;
      totals_.fuel += item->CallFuel;
      totals_.hoursAtSea += item->PassageHours;
      totals_.portStay += item->PortStay;
    }
    previous = item;
  }
}

ScheduleItem& MasterSchedule::AddItem() {
  ScheduleItem& item = *items_.Add(std::make_unique<ScheduleItem>());
  Recalculate();
  return item;
}

bool MasterSchedule::ApplyEdit(int index, const ScheduleItemEdit& edit) {
  ScheduleItem* item = items_.GetAt(index);  // an index that is no call's gives the last
  if (!item) return false;
  item->Name = edit.name;
  item->Distance = edit.distance;
  item->PortStay = edit.portStay;
  item->ZoneHours = edit.zoneHours;
  item->Eta = edit.localEta - edit.zoneHours / 24.0;
  item->Etd = DepartureOf(*item);
  Recalculate();
  return true;
}

bool MasterSchedule::RemoveItem(int index) {
  if (index < 0 || index >= items_.GetCount()) return false;
  items_.Remove(items_.GetAt(index));
  Recalculate();
  return true;
}

std::string MasterSchedule::RemoveQuestion(const ScheduleItem& item) {
  return "Remove " + item.Name + "\nAre you sure?";
}

std::vector<ScheduleRow> MasterSchedule::Rows() const {
  std::vector<ScheduleRow> rows;
  for (const auto& item : items_) {
    rows.push_back({item->Name, FormatNumber(kKnotsFormat, item->Speed),
                    FormatNumber(kRpmFormat, item->CallRpm),
                    FormatUtc(item->ArrivalTime(), kLocalDateTimeFormat),
                    FormatUtc(item->DepartureTime(), kLocalDateTimeFormat)});
  }
  return rows;
}

ScheduleTotalTexts MasterSchedule::TotalTexts() const {
  return {
      FormatNumber(kHoursFormat, totals_.portStay), FormatNumber(kHoursFormat, totals_.hoursAtSea),
      FormatNumber("%10.1f nM", totals_.distance),
      FormatNumber(kKnotsFormat, totals_.AverageSpeed()), FormatNumber("%#10.1f mT", totals_.fuel)};
}

std::string MasterSchedule::Text() const {
  std::string text =
      std::string(kTextTitle) + kTextHeading + std::string(kTextRuleLength, '-') + "\n";
  if (items_.IsEmpty()) return text + kTextNoPorts;
  for (const ScheduleRow& row : Rows()) {
    text += row.name + "\t" + row.eta + "\t" + row.etd + "\t" + row.speed + "\n";
  }
  return text;
}

bool MasterSchedule::WriteText(const std::string& path, std::string* error) const {
  std::string bytes;
  for (const char c : Text()) {
    if (c == '\n') bytes += '\r';
    bytes += c;
  }
  return WriteFileAtomically(path, Utf8ToCp1252(bytes), error);
}

}  // namespace keelmark
