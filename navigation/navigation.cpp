#include "navigation/navigation.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace keelmark {
namespace {

// Beyond this many seconds from now a day number has no time value (about 30,000 years).
constexpr double kLargestTimeOffset = 1.0e12;

// The accepted limits of EstimateCurrent.
constexpr double kMaximumCurrentKnots = 7.0;
constexpr double kMinimumCurrentHours = 1.0;

}  // namespace

double CNavigation::MeridionalDifference(double phi1, double phi2) const {
  return std::log(std::fabs(std::tan(pi / 4.0 + phi2 / 2.0) / std::tan(pi / 4.0 + phi1 / 2.0)));
}

double CNavigation::Distance(const GeoPoint& from, const GeoPoint& to, bool greatCircle) const {
  const double phi1 = DegToRad(from.GetLatitude());
  const double phi2 = DegToRad(to.GetLatitude());
  const double dLambda = DegToRad(to.GetLongitude()) - DegToRad(from.GetLongitude());
  double arc = 0.0;
  if (greatCircle) {
    const double cosine =
        std::cos(dLambda) * std::cos(phi2) * std::cos(phi1) + std::sin(phi2) * std::sin(phi1);
    // Rounding can put the cosine just outside [-1, 1] for coincident or antipodal positions.
    arc = std::acos(std::clamp(cosine, -1.0, 1.0));
    if (std::isnan(cosine)) arc = cosine;
  } else if (phi1 == phi2) {
    arc = std::fabs(dLambda) * std::cos(phi2);  // parallel sailing
  } else {
    const double theta = std::atan(dLambda / MeridionalDifference(phi1, phi2));
    arc = std::fabs((phi2 - phi1) / std::cos(theta));
  }
  return RadToDeg(arc) * 60.0;
}

double CNavigation::Course(const GeoPoint& from, const GeoPoint& to, bool greatCircle) const {
  const double phi1 = DegToRad(from.GetLatitude());
  const double phi2 = DegToRad(to.GetLatitude());
  const double dLambda = DegToRad(to.GetLongitude()) - DegToRad(from.GetLongitude());
  double theta = 0.0;
  if (greatCircle) {
    theta = std::atan2(std::sin(dLambda),
                       std::tan(phi2) * std::cos(phi1) - std::cos(dLambda) * std::sin(phi1));
  } else {
    theta = std::atan2(dLambda, MeridionalDifference(phi1, phi2));
  }
  if (theta < 0.0) theta += 2.0 * pi;
  return RadToDeg(theta);
}

void CNavigation::DeadReckon(GeoPoint& position, double distanceNm, double courseDegrees) const {
  const double k = 180.0 / pi;
  const double phi1 = position.GetLatitude() / k;
  const double phi2 = phi1 + std::cos(courseDegrees / k) * distanceNm / (60.0 * k);
  const double dPsi = MeridionalDifference(phi1, phi2);
  double lambda2 = 0.0;
  if (dPsi == 0.0) {
    lambda2 = position.GetLongitude() / k +
              std::sin(courseDegrees / k) * (distanceNm / (60.0 * k)) / std::cos(phi1);
  } else {
    lambda2 = position.GetLongitude() / k + std::tan(courseDegrees / k) * dPsi;
  }
  position.SetLongitude(lambda2 * k);
  position.SetLatitude(phi2 * k);
}

void CNavigation::DeadReckonFrom(const GeoPoint& start, GeoPoint& target, double courseDegrees,
                                 double distanceNm) const {
  target.SetLatitude(start.GetLatitude());
  target.SetLongitude(start.GetLongitude());
  DeadReckon(target, distanceNm, courseDegrees);
}

void CNavigation::LayOffVectors(double& course1, double& distance1, double course2,
                                double distance2) const {
  const LatLon origin;  // 45N 005E: the sum is laid off there, not at 0N 0E
  LatLon end;
  end.SetLatitude(origin.GetLatitude());
  end.SetLongitude(origin.GetLongitude());
  DeadReckon(end, distance1, course1);
  DeadReckon(end, distance2, course2);
  course1 = Course(origin, end, false);
  distance1 = Distance(origin, end, false);
}

void CNavigation::AddVectors(double& course1, double& distance1, double course2,
                             double distance2) const {
  LayOffVectors(course1, distance1, course2, distance2);
}

void CNavigation::SubtractVectors(double& course1, double& distance1, double course2,
                                  double distance2) const {
  LayOffVectors(course1, distance1, course2 + 180.0, distance2);
}

bool CNavigation::EstimateCurrent(const GeoPoint& previous, double steeredCourse, double logSpeed,
                                  double hours, const GeoPoint& fix, double& set,
                                  double& rate) const {
  LatLon reckoned;
  reckoned.SetLatitude(previous.GetLatitude());
  reckoned.SetLongitude(previous.GetLongitude());
  DeadReckon(reckoned, logSpeed * hours, steeredCourse);
  const double driftSet = Course(reckoned, fix, false);
  const double drift = Distance(reckoned, fix, false);
  const double driftRate = std::fabs(drift / hours);
  // Written as the negation of the accepting test so that a NaN rate is refused as well.
  if (!(driftRate <= kMaximumCurrentKnots && hours >= kMinimumCurrentHours)) {
    set = 0.0;
    rate = 0.0;
    return false;
  }
  set = driftSet;
  rate = driftRate;
  return true;
}

double CNavigation::DayNumber(const CalendarFields& fields) const {
  const std::int64_t y = fields.year + 1900;
  const std::int64_t m = fields.month + 1;
  const std::int64_t d = fields.day;
  const double days =
      static_cast<double>(367 * y - (7 * (y + (m + 9) / 12)) / 4 + (275 * m) / 9 + d - 730530);
  // Signed: an absolute value here would mirror every time before 2000 into the future.
  return days + fields.second * (1.0 / 86400.0) + fields.minute * (1.0 / 1440.0) +
         fields.hour * (1.0 / 24.0);
}

double CNavigation::LocalDayNumber(TimeValue t) const {
  if (t == kNoTime) return std::nan("");
  return DayNumber(UtcFields(t));
}

double CNavigation::UtcDayNumberNow() const { return LocalDayNumber(clock_.Now()); }

TimeValue CNavigation::TimeFromDayNumber(double dayNumber) const {
  const TimeValue now = clock_.Now();
  const double offset = (dayNumber - LocalDayNumber(now)) * 86400.0;
  if (!(std::fabs(offset) <= kLargestTimeOffset)) return kNoTime;
  // In UTC, normalising the calendar fields of now with the seconds moved is now + offset.
  // Rounded, not truncated: a day number of a whole second is seldom an exact double, and
  // truncation would show 18:29:59 for 18:30:00.
  return now + static_cast<TimeValue>(std::llround(offset));
}

std::string CNavigation::CompassPoint(double directionDegrees) {
  static constexpr const char* kPoints[] = {"N",  "NNE", "NE", "ENE", "E",  "ESE",
                                            "SE", "SSE", "S",  "SSW", "SW", "WSW",
                                            "W",  "WNW", "NW", "NNW", "N"};
  const double sector = directionDegrees * (1.0 / 22.5);
  if (!(sector > -1.0 && sector < 17.0)) return "";
  return kPoints[static_cast<int>(sector)];
}

double CNavigation::DegMinToDecimal(int degrees, double minutes, int hemisphere) {
  const double value = degrees + minutes * (1.0 / 60.0);
  return hemisphere == 1 ? -value : value;
}

}  // namespace keelmark
