#include "records/report_numbers.h"

#include <cmath>
#include <optional>

#include "navigation/text_format.h"

namespace keelmark {
namespace {

// The value truncated toward zero, when an int can hold it (a cast of anything else is
// undefined).
std::optional<int> Truncated(double value) {
  if (!(std::fabs(value) < 2.0e9)) return std::nullopt;
  return static_cast<int>(value);
}

std::string NotAvailableGroup() { return std::string(kNotAvailable) + "/"; }

}  // namespace

std::string ReportCourseGroup(double degrees) {
  const auto whole = Truncated(degrees);
  if (!whole) return NotAvailableGroup();
  return ZeroPadded(*whole, 3) + "/";
}

std::string ReportSpeedGroup(double knots) {
  const auto tenths = Truncated(knots * 10.0);
  if (!tenths) return NotAvailableGroup();
  return (*tenths < 100 ? "0" : "") + Printf("%d", *tenths) + "/";
}

}  // namespace keelmark
