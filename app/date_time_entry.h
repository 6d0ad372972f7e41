// DateTimeEntry: the date-time picker of the editors, in a record's local time ("... LT") or in
// UTC ("... UTC"); and SlotTime, a record's time slot as such a picker shows it.
#pragma once

#include <optional>

#include <QDateTimeEdit>

#include "navigation/time_value.h"

namespace keelmark {

// How a picker reads its time: the record's local time, UTC, or a date alone.
enum class TimeReading { Local, Utc, Date };

class DateTimeEntry : public QDateTimeEdit {
  Q_OBJECT

 public:
  explicit DateTimeEntry(TimeReading reading, const QString& field, QWidget* parent = nullptr);

  // Times from 2000-01-01 to 2100-12-31 can be picked (and the time on show, if outside).
  // Shows a time value as calendar fields (kNoTime shows the present time).
  void SetTime(TimeValue t);
  // The calendar time on show, as a time value.
  [[nodiscard]] TimeValue Time() const;
  // True once the shown time differs from the one last set.
  [[nodiscard]] bool Changed() const { return Time() != shown_; }

  // The display format of a reading.
  [[nodiscard]] static QString Format(TimeReading reading);

 private:
  void SetEnterableRange(TimeValue earliest, TimeValue latest);

  TimeValue shown_ = 0;
};

// A time slot (a UTC day number) as a picker shows it: the slot read with the record's zone
// offset. Storing it back gives the slot unchanged unless a time was picked or the offset
// changed, so that opening and confirming an editor never moves a time by rounding.
struct SlotTime {
  double slot = 0.0;                // day number, UTC
  double zone = 0.0;                // days, the offset it is read with (0 for UTC pickers)
  std::optional<TimeValue> picked;  // the calendar time the user picked

  // The calendar time to show: the one picked, else the slot plus the offset.
  [[nodiscard]] TimeValue Shown() const;
  // The slot for a record whose offset is now zoneDays: the day number of the calendar time
  // shown minus zoneDays (the slot itself when nothing was picked and the offset is the same).
  [[nodiscard]] double SlotFor(double zoneDays) const;
};

}  // namespace keelmark
