#include "app/date_time_entry.h"

#include <algorithm>

#include <QLocale>

#include "navigation/calendar.h"
#include "navigation/clock.h"
#include "navigation/navigation.h"

namespace keelmark {

namespace {

constexpr const char* kLocalFormat = "d MMM yyyy  HH:mm 'LT'";
constexpr const char* kUtcFormat = "d MMM yyyy  HH:mm 'UTC'";
constexpr const char* kDateFormat = "d MMM yyyy";

}  // namespace

DateTimeEntry::DateTimeEntry(TimeReading reading, const QString& field, QWidget* parent)
    : QDateTimeEdit(parent) {
  // English month names whatever the user's language, as every other text of the program.
  setLocale(QLocale::c());
  setTimeSpec(Qt::UTC);
  setDisplayFormat(Format(reading));
  setCalendarPopup(true);
  setAccessibleName(field);
  SetEnterableRange(kEarliestEnteredTime, kLatestEnteredTime);
}

void DateTimeEntry::SetEnterableRange(TimeValue earliest, TimeValue latest) {
  setDateTimeRange(QDateTime::fromSecsSinceEpoch(earliest, Qt::UTC),
                   QDateTime::fromSecsSinceEpoch(latest, Qt::UTC));
}

QString DateTimeEntry::Format(TimeReading reading) {
  switch (reading) {
    case TimeReading::Local:
      return QString::fromLatin1(kLocalFormat);
    case TimeReading::Utc:
      return QString::fromLatin1(kUtcFormat);
    case TimeReading::Date:
      break;
  }
  return QString::fromLatin1(kDateFormat);
}

void DateTimeEntry::SetTime(TimeValue t) {
  if (t == kNoTime) t = ProcessClock().Now();
  // New times are picked within the span the records are made for; a stored time outside it
  // is still shown as it is, not moved to the nearest end.
  SetEnterableRange(std::min(t, kEarliestEnteredTime), std::max(t, kLatestEnteredTime));
  setDateTime(QDateTime::fromSecsSinceEpoch(t, Qt::UTC));
  shown_ = Time();
}

TimeValue DateTimeEntry::Time() const { return dateTime().toSecsSinceEpoch(); }

TimeValue SlotTime::Shown() const {
  if (picked) return *picked;
  return CNavigation().TimeFromDayNumber(slot + zone);
}

double SlotTime::SlotFor(double zoneDays) const {
  if (!picked) return zoneDays == zone ? slot : slot + zone - zoneDays;
  return CNavigation().LocalDayNumber(*picked) - zoneDays;
}

}  // namespace keelmark
