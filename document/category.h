// Category: the ten kinds of record the main list shows, in the order of its tabs.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace keelmark {

enum class Category {
  Waypoints = 0,
  History = 1,
  Schedule = 2,
  Warnings = 3,
  Reporting = 4,
  Publications = 5,
  Ports = 6,
  Charts = 7,
  Forecast = 8,
  Storms = 9,
};

inline constexpr int kCategoryCount = 10;

// The tab texts, by category index.
inline constexpr std::array<std::string_view, kCategoryCount> kCategoryNames = {
    "Waypoints",    "History", "Schedule", "Warnings", "Reporting",
    "Publications", "Ports",   "Charts",   "Forecast", "Storms"};

// The category of an index 0-9, or nothing.
[[nodiscard]] std::optional<Category> CategoryFromIndex(int index);
// The category of a tab text (any letter case) or of its index written as a number.
[[nodiscard]] std::optional<Category> CategoryFromText(std::string_view text);

}  // namespace keelmark
