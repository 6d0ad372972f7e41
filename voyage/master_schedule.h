// MasterSchedule: the ship's coming port calls, the speed, engine rpm and fuel needed on each
// leg to keep them, the totals of the whole schedule, and its text output.
//
// Times are day numbers (UTC); a call's zone hours only shift what is shown. Distances are nM,
// hours hours, speeds knots, fuel tonnes. A leg whose ETA equals the previous departure has no
// hours at sea: its speed and rpm have no value (shown "NA") and it uses no fuel.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "records/archive_file.h"
#include "records/schedule_list.h"

namespace keelmark {

class CVessel2;

struct ScheduleTotals {
  double distance = 0.0;    // nM, second call onward
  double fuel = 0.0;        // t
  double hoursAtSea = 0.0;  // hours
  double portStay = 0.0;    // hours, second call onward
  // nM / hours at sea; not a number when there are no hours at sea.
  [[nodiscard]] double AverageSpeed() const { return distance / hoursAtSea; }
};

// One row of the schedule list.
struct ScheduleRow {
  std::string name;
  std::string speed;  // "12.5 kts"
  std::string rpm;    // "78.1 rpm"
  std::string eta;    // local, "06 Dec 14:00 LT"
  std::string etd;
};

// The totals as the dialog shows them.
struct ScheduleTotalTexts {
  std::string portStay;      // "%#10.1f hrs"
  std::string atSea;         // "%#10.1f hrs"
  std::string distance;      // "%10.1f nM"
  std::string averageSpeed;  // "%#3.1f kts"
  std::string fuel;          // "%#10.1f mT"
};

// What "Save Changes" copies into a call.
struct ScheduleItemEdit {
  std::string name;
  double distance = 100.0;  // nM
  double portStay = 24.0;   // hours
  double zoneHours = 0.0;   // local time minus UTC, hours
  double localEta = 0.0;    // day number of the picked local time
};

class MasterSchedule {
 public:
  // The vessel's performance model gives rpm and fuel; it must outlive the schedule.
  explicit MasterSchedule(const CVessel2& vessel) : vessel_(vessel) {}

  static constexpr const char* kLoadFailed =
      "Unable to load previous schedule\nWill create blanc schedule instead";
  static constexpr const char* kCreateTextFile = "Create schedule as text file?";
  static constexpr const char* kTextFileName = "Schedule";  // the save dialog's default name

  [[nodiscard]] ScheduleList& Items() { return items_; }
  [[nodiscard]] const ScheduleList& Items() const { return items_; }

  // Reads the schedule file and recalculates. When it cannot be read the schedule is empty and
  // the result says why; a damaged file is set aside before Store writes over it.
  [[nodiscard]] LoadResult Load(const std::string& path);
  // Writes the schedule file whole or not at all. A file found damaged by Load is first kept
  // as PATH.damaged-YYYYMMDD-HHMMSS; when that fails nothing is written.
  [[nodiscard]] bool Store(const std::string& path, std::string* error = nullptr);

  // Computes every call's departure, hours at sea, speed, rpm and fuel, and the totals.
  void Recalculate();
  [[nodiscard]] const ScheduleTotals& Totals() const { return totals_; }

  // "New Item": appends a call with the defaults and recalculates.
  ScheduleItem& AddItem();
  // "Save Changes": into the call at index, or the last call when index is no call's; ETA is
  // the local time less the zone hours. False (nothing done) for an empty schedule.
  bool ApplyEdit(int index, const ScheduleItemEdit& edit);
  // "Remove Item": deletes the call at index; false when there is none there.
  bool RemoveItem(int index);
  // The question asked before removing a call.
  [[nodiscard]] static std::string RemoveQuestion(const ScheduleItem& item);

  [[nodiscard]] std::vector<ScheduleRow> Rows() const;
  [[nodiscard]] ScheduleTotalTexts TotalTexts() const;
  // The text output with "\n" line ends.
  [[nodiscard]] std::string Text() const;
  // The text file: CR LF line ends, Windows-1252, written whole or not at all.
  [[nodiscard]] bool WriteText(const std::string& path, std::string* error = nullptr) const;

 private:
  const CVessel2& vessel_;
  ScheduleList items_;
  ScheduleTotals totals_;
  std::optional<std::string> damagedPath_;  // loaded from here, found damaged, not yet kept
};

}  // namespace keelmark
