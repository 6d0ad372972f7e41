// The whole-number groups of ship reports: a course as three digits and a speed in tenths.
#pragma once

#include <string>

namespace keelmark {

// Degrees true truncated to whole degrees, always three digits, then "/": 5.7 -> "005/".
// "NA/" when the course is not a number the report can hold.
[[nodiscard]] std::string ReportCourseGroup(double degrees);

// Knots x 10 truncated, with one "0" before values under 100, then "/": 12.34 -> "123/",
// 0.5 -> "05/". "NA/" when the speed is not a number the report can hold.
[[nodiscard]] std::string ReportSpeedGroup(double knots);

}  // namespace keelmark
