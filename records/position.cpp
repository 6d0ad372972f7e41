#include "records/position.h"

#include <cmath>

#include "navigation/calendar.h"
#include "navigation/navigation.h"
#include "navigation/text_format.h"
#include "records/archive.h"

namespace keelmark {
namespace {

// Whole degrees of |x|, guarded so that a coordinate that is not finite never reaches a cast.
int WholeDegrees(double x) {
  const double a = std::fabs(x);
  if (!(a < 2.0e9)) return 0;
  return static_cast<int>(a);
}

double Minutes(double x) { return (std::fabs(x) - WholeDegrees(x)) * 60.0; }

int WholeMinutes(double x) {
  const double m = Minutes(x);
  return std::isfinite(m) ? static_cast<int>(m) : 0;
}

std::string CoordinateText(double x, const char* positive, const char* negative) {
  if (!std::isfinite(x)) return kNotAvailable;
  return Printf("%d : %#2.2f %s", WholeDegrees(x), Minutes(x), x >= 0.0 ? positive : negative);
}

std::string ReportCoordinate(double x, int degreeDigits, const char* positive,
                             const char* negative) {
  if (!std::isfinite(x)) return std::string(kNotAvailable) + "/";
  return ZeroPadded(WholeDegrees(x), degreeDigits) + ZeroPadded(WholeMinutes(x), 2) +
         (x >= 0.0 ? positive : negative) + "/";
}

}  // namespace

void CPosition2::Serialize(Archive& archive) {
  archive.Io(Spare);
  archive.Io(Latitude);
  archive.Io(Longitude);
  archive.Io(Name);
  archive.Io(ZoneOffset);
  archive.Io(RequiredTime);
  archive.Io(ScheduledTime);
  archive.Io(Time);
  if (archive.IsLoading()) Modified = 0;
}

void CPosition2::SetLatitude(double degrees) {
  Latitude = degrees;
  Modified = 1;
}

void CPosition2::SetLongitude(double degrees) {
  Longitude = degrees;
  Modified = 1;
}

void CPosition2::SetName(const std::string& name) {
  Name = name;
  Modified = 1;
}

int CPosition2::LatitudeDegrees() const { return WholeDegrees(Latitude); }
double CPosition2::LatitudeMinutes() const { return Minutes(Latitude); }
int CPosition2::LongitudeDegrees() const { return WholeDegrees(Longitude); }
double CPosition2::LongitudeMinutes() const { return Minutes(Longitude); }

void CPosition2::SetLatitudeDegMin(int degrees, double minutes, int south) {
  SetLatitude(CNavigation::DegMinToDecimal(degrees, minutes, south));
}

void CPosition2::SetLongitudeDegMin(int degrees, double minutes, int west) {
  SetLongitude(CNavigation::DegMinToDecimal(degrees, minutes, west));
}

TimeValue CPosition2::GetTimeValue() const { return CNavigation().TimeFromDayNumber(Time); }
TimeValue CPosition2::GetRequiredTimeValue() const {
  return CNavigation().TimeFromDayNumber(RequiredTime);
}
TimeValue CPosition2::GetLocalTime() const {
  return CNavigation().TimeFromDayNumber(Time + ZoneOffset);
}
TimeValue CPosition2::GetLocalScheduledTime() const {
  return CNavigation().TimeFromDayNumber(ScheduledTime + ZoneOffset);
}
TimeValue CPosition2::GetLocalRequiredTime() const {
  return CNavigation().TimeFromDayNumber(RequiredTime + ZoneOffset);
}

void CPosition2::SetLocalTime(TimeValue t) { Time = CNavigation().LocalDayNumber(t) - ZoneOffset; }
void CPosition2::SetLocalScheduledTime(TimeValue t) {
  ScheduledTime = CNavigation().LocalDayNumber(t) - ZoneOffset;
}
void CPosition2::SetLocalRequiredTime(TimeValue t) {
  RequiredTime = CNavigation().LocalDayNumber(t) - ZoneOffset;
}

std::string CPosition2::LocalTimeText(TimeSlot slot, const std::string& format) const {
  const double day = slot == TimeSlot::Time        ? Time
                     : slot == TimeSlot::Scheduled ? ScheduledTime
                                                   : RequiredTime;
  if (day == kNeverSetDayNumber) return {};
  return FormatUtc(CNavigation().TimeFromDayNumber(day + ZoneOffset), format);
}

std::string CPosition2::LatitudeText() const { return CoordinateText(Latitude, "N", "S"); }
std::string CPosition2::LongitudeText() const { return CoordinateText(Longitude, "E", "W"); }
std::string CPosition2::ReportLatitude() const { return ReportCoordinate(Latitude, 2, "N", "S"); }
std::string CPosition2::ReportLongitude() const { return ReportCoordinate(Longitude, 3, "E", "W"); }

std::string CPosition2::ReportTimeGroupOf(double dayNumber) const {
  const TimeValue t = CNavigation().TimeFromDayNumber(dayNumber);
  if (t == kNoTime) return kNotAvailable;
  const CalendarFields f = UtcFields(t);
  return ZeroPadded(f.day, 2) + ZeroPadded(f.hour, 2) + ZeroPadded(f.minute, 2) + "Z";
}

std::string CPosition2::ReportDateTimeGroupOfDay(double dayNumber) const {
  const TimeValue t = CNavigation().TimeFromDayNumber(dayNumber);
  if (t == kNoTime) return std::string(kNotAvailable) + "/";
  return ReportTimeGroupOf(dayNumber) + FormatUtc(t, "%b") + FormatUtc(t, "%y") + "/";
}

std::string CPosition2::ReportTimeGroup() const { return ReportTimeGroupOf(RequiredTime); }
std::string CPosition2::ReportTimeGroupSlash() const { return ReportTimeGroup() + "/"; }
std::string CPosition2::ReportDateTimeGroup() const {
  return ReportDateTimeGroupOfDay(RequiredTime);
}
std::string CPosition2::ReportDateTimeGroupOf(bool useTime) const {
  return ReportDateTimeGroupOfDay(useTime ? Time : RequiredTime);
}

std::string CPosition2::ExportLine(const std::string& separator) const {
  return Name + separator + FormatNumber("%#2.4f", Latitude) + separator +
         FormatNumber("%#3.4f", Longitude) + separator + FormatNumber("%#2.6f", ZoneOffset) +
         separator + FormatNumber("%#6.6f", Time) + separator +
         FormatNumber("%#6.6f", ScheduledTime) + separator + FormatNumber("%#6.6f", RequiredTime);
}

bool CPosition2::ImportField(const std::string& text, int column) {
  double* const numbers[] = {&Latitude, &Longitude,     &ZoneOffset,
                             &Time,     &ScheduledTime, &RequiredTime};
  if (column == 0) {
    Name = text;
  } else if (column >= 1 && column <= 6) {
    *numbers[column - 1] = LeadingNumber(text);
  }
  return true;
}

}  // namespace keelmark
