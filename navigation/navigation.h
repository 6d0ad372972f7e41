// CNavigation: spherical navigation and the day-number time scale.
//
// The earth is a sphere and one nautical mile is one minute of arc. Angles are decimal degrees
// (north and east positive, courses true clockwise from north), distances nautical miles (nM),
// speeds knots, intervals hours and record times day numbers: fractional days whose day 1.0 is
// 2000-01-01 00:00 UTC. Degrees and radians convert with the stored pi 3.141592654, not the
// full-precision constant, so results differ from exact ones in the tenth significant digit.
#pragma once

#include <string>

#include "navigation/calendar.h"
#include "navigation/clock.h"
#include "navigation/geo_point.h"
#include "navigation/time_value.h"

namespace keelmark {

class CNavigation {
 public:
  // The clock is read by UtcDayNumberNow and TimeFromDayNumber only.
  explicit CNavigation(const Clock& clock = ProcessClock()) : clock_(clock) {}

  [[nodiscard]] double DegToRad(double degrees) const { return degrees / (180.0 / pi); }
  [[nodiscard]] double RadToDeg(double radians) const { return (180.0 / pi) * radians; }

  // nM from one position to the other, >= 0. Great circle uses the periodic sine and cosine of
  // the longitude difference, so 179E to 179W is 2 degrees eastward; the rhumb line uses the
  // plain difference (-358 degrees for that leg). Coincident positions give 0 by great circle.
  [[nodiscard]] double Distance(const GeoPoint& from, const GeoPoint& to, bool greatCircle) const;

  // Initial true course in degrees, [0, 360). By rhumb line on one parallel it is 90 or 270.
  [[nodiscard]] double Course(const GeoPoint& from, const GeoPoint& to, bool greatCircle) const;

  // Moves the position in place distanceNm along a rhumb line on courseDegrees. The result is
  // not normalised: the longitude may leave +-180 and a run across a pole leaves +-90.
  void DeadReckon(GeoPoint& position, double distanceNm, double courseDegrees) const;

  // target = start moved distanceNm on courseDegrees (rhumb line).
  void DeadReckonFrom(const GeoPoint& start, GeoPoint& target, double courseDegrees,
                      double distanceNm) const;

  // course1/distance1 become the rhumb-line vector sum (or difference) laid off from 45N 005E.
  void AddVectors(double& course1, double& distance1, double course2, double distance2) const;
  void SubtractVectors(double& course1, double& distance1, double course2, double distance2) const;

  // The current between a dead-reckoned run and an observed fix: from previous, steered on
  // steeredCourse (degrees) at logSpeed (knots) for `hours` until the fix. Accepted (true) when the
  // interval is at least 1 hour and the rate at most 7 knots; then set (degrees, towards) and
  // rate (knots) hold it; otherwise both are 0.
  bool EstimateCurrent(const GeoPoint& previous, double steeredCourse, double logSpeed,
                       double hours, const GeoPoint& fix, double& set, double& rate) const;

  // Day number of calendar fields (years since 1900, month 0-11), valid 1900-2100; times
  // before 1999-12-31 00:00 have negative day numbers (1999-12-30 12:00 is -0.5).
  [[nodiscard]] double DayNumber(const CalendarFields& fields) const;
  // Day number of a time value's calendar fields (UTC); NaN for kNoTime.
  [[nodiscard]] double LocalDayNumber(TimeValue t) const;
  [[nodiscard]] double UtcDayNumberNow() const;
  // The time value of a day number, to the whole second; kNoTime when it has none.
  [[nodiscard]] TimeValue TimeFromDayNumber(double dayNumber) const;

  // The 16-point compass name of a direction in degrees: sectors start at the point, so 0 up to
  // 22.5 is "N" and 360 is "N" again; directions at or below -22.5 or from 382.5 give "".
  [[nodiscard]] static std::string CompassPoint(double directionDegrees);

  // Whole degrees and minutes to signed decimal degrees; hemisphere 1 means south or west.
  [[nodiscard]] static double DegMinToDecimal(int degrees, double minutes, int hemisphere);

  static constexpr double pi = 3.141592654;

 private:
  // ln |tan(pi/4 + phi2/2) / tan(pi/4 + phi1/2)|, latitudes in radians.
  [[nodiscard]] double MeridionalDifference(double phi1, double phi2) const;
  void LayOffVectors(double& course1, double& distance1, double course2, double distance2) const;

  const Clock& clock_;
};

}  // namespace keelmark
