// CPosition2: the named position every located record derives from.
//
// Latitude and longitude are decimal degrees, north and east positive. The zone offset is local
// time minus UTC in days. The three time slots are UTC day numbers (day 1.0 = 2000-01-01 00:00):
// Time is the record's own time, ScheduledTime and RequiredTime mean what the derived record
// says (a waypoint's estimated and required arrival, a warning's validity).
#pragma once

#include <cstddef>
#include <string>

#include "navigation/geo_point.h"
#include "navigation/time_value.h"
#include "records/field_visitor.h"

namespace keelmark {

class Archive;

// The three time slots of a record.
enum class TimeSlot { Time, Scheduled, Required };

class CPosition2 : public GeoPoint {
 public:
  CPosition2() = default;
  ~CPosition2() override = default;
  CPosition2(const CPosition2&) = default;
  CPosition2& operator=(const CPosition2&) = default;

  // Spare, Latitude, Longitude, Name, ZoneOffset, RequiredTime, ScheduledTime, Time; a load
  // clears Modified. Derived records write these first and their own fields after them.
  virtual void Serialize(Archive& archive);

  [[nodiscard]] double GetLatitude() const override { return Latitude; }
  [[nodiscard]] double GetLongitude() const override { return Longitude; }
  // Both mark the record modified.
  void SetLatitude(double degrees) override;
  void SetLongitude(double degrees) override;
  [[nodiscard]] std::string GetName() const { return Name; }
  void SetName(const std::string& name);
  [[nodiscard]] bool IsModified() const { return Modified != 0; }

  [[nodiscard]] double GetZoneOffset() const { return ZoneOffset; }  // days
  void SetZoneOffset(double days) { ZoneOffset = days; }
  [[nodiscard]] double GetZoneHours() const { return ZoneOffset * 24.0; }
  void SetZoneHours(double hours) { ZoneOffset = hours * 0.041666666666666664; }

  // Degrees (truncated toward zero), minutes and the south (west) flag of |coordinate|;
  // 0.0 counts as north (east). Degrees of a coordinate that is not finite read 0.
  [[nodiscard]] int LatitudeDegrees() const;
  [[nodiscard]] double LatitudeMinutes() const;
  [[nodiscard]] int LatitudeSouth() const { return Latitude < 0.0 ? 1 : 0; }
  [[nodiscard]] int LongitudeDegrees() const;
  [[nodiscard]] double LongitudeMinutes() const;
  [[nodiscard]] int LongitudeWest() const { return Longitude < 0.0 ? 1 : 0; }
  void SetLatitudeDegMin(int degrees, double minutes, int south);
  void SetLongitudeDegMin(int degrees, double minutes, int west);

  // Time slots as day numbers (UTC); setting them leaves Modified alone.
  [[nodiscard]] double GetTime() const { return Time; }
  [[nodiscard]] double GetScheduledTime() const { return ScheduledTime; }
  [[nodiscard]] double GetRequiredTime() const { return RequiredTime; }
  void SetTime(double dayNumber) { Time = dayNumber; }
  void SetScheduledTime(double dayNumber) { ScheduledTime = dayNumber; }
  void SetRequiredTime(double dayNumber) { RequiredTime = dayNumber; }

  // Time slots as UTC time values and as local time values (slot + zone offset).
  [[nodiscard]] TimeValue GetTimeValue() const;
  [[nodiscard]] TimeValue GetRequiredTimeValue() const;
  [[nodiscard]] TimeValue GetLocalTime() const;
  [[nodiscard]] TimeValue GetLocalScheduledTime() const;
  [[nodiscard]] TimeValue GetLocalRequiredTime() const;
  // From a local time value: slot = day number of t - zone offset.
  void SetLocalTime(TimeValue t);
  void SetLocalScheduledTime(TimeValue t);
  void SetLocalRequiredTime(TimeValue t);

  // The local reading of a slot in a FormatUtc format, as lists, their exports and printouts
  // show it: "" for a slot never set (kNeverSetDayNumber), "NA" for one that has no time.
  [[nodiscard]] std::string LocalTimeText(TimeSlot slot, const std::string& format) const;

  // "%d : %#2.2f %s", e.g. "51 : 30.50 N" and "0 : 45.00 W"; "NA" when not finite.
  [[nodiscard]] std::string LatitudeText() const;
  [[nodiscard]] std::string LongitudeText() const;
  // Ship-report forms with truncated minutes: "5130N/", "00012W/".
  [[nodiscard]] std::string ReportLatitude() const;
  [[nodiscard]] std::string ReportLongitude() const;
  // Day, hour and minute of RequiredTime, two digits each, then "Z": "061230Z".
  [[nodiscard]] std::string ReportTimeGroup() const;
  [[nodiscard]] std::string ReportTimeGroupSlash() const;
  // ReportTimeGroup, "%b", "%y", "/": "061230ZDec26/"; of Time when useTime, else RequiredTime.
  [[nodiscard]] std::string ReportDateTimeGroup() const;
  [[nodiscard]] std::string ReportDateTimeGroupOf(bool useTime) const;

  // Name, latitude "%#2.4f", longitude "%#3.4f", zone offset (days) "%#2.6f", Time,
  // ScheduledTime, RequiredTime "%#6.6f", joined by the separator, no line end.
  [[nodiscard]] std::string ExportLine(const std::string& separator) const;
  // Sets one field from one column of an ExportLine: 0 Name, 1-6 the numbers in that order
  // (longest numeric prefix, 0.0 without one); other columns are ignored. Modified is kept.
  bool ImportField(const std::string& text, int column);

  // The fewest bytes the stored fields take: seven doubles and an empty name.
  static constexpr std::size_t kMinimumStoredBytes = 7 * 8 + 1;
  // The name of a new record.
  static constexpr const char* kDefaultName = "New Position";

  // Stored fields, named as in the files. Spare is carried and never read.
  double ZoneOffset = 0.0;
  std::string Name = kDefaultName;
  double Spare = 15.0;
  double Longitude = 5.0;
  double Latitude = 45.0;
  double RequiredTime = 0.0;
  double Time = 0.0;
  double ScheduledTime = 0.0;
  std::int32_t Modified = 0;

 protected:
  // Day, hour and minute of a day number, two digits each, then "Z" ("NA" when it has no time).
  [[nodiscard]] std::string ReportTimeGroupOf(double dayNumber) const;

 private:
  [[nodiscard]] std::string ReportDateTimeGroupOfDay(double dayNumber) const;
};

// The stored fields by the names the files give them.
template <RecordOf<CPosition2> Position, typename Visitor>
void VisitFields(Position& p, Visitor&& visit) {
  visit("Name", p.Name);
  visit("Latitude", p.Latitude);
  visit("Longitude", p.Longitude);
  visit("ZoneOffset", p.ZoneOffset);
  visit("Time", p.Time);
  visit("ScheduledTime", p.ScheduledTime);
  visit("RequiredTime", p.RequiredTime);
  visit("Spare", p.Spare);
}

}  // namespace keelmark
