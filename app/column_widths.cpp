#include "app/column_widths.h"

#include <string>

#include "records/settings_store.h"

namespace keelmark {
namespace {

constexpr std::string_view kSection = "ListColumns";
// Wider than any screen: a kept width beyond it is not the user's.
constexpr int kWidestColumn = 10000;

std::string_view KeyOf(Category category) {
  return kCategoryNames[static_cast<std::size_t>(category)];
}

}  // namespace

std::optional<ColumnWidths> RememberedColumnWidths(const SettingsStore& store, Category category) {
  const std::optional<std::string> text = store.Lookup(kSection, KeyOf(category));
  if (!text) return std::nullopt;
  ColumnWidths widths{};
  std::size_t at = 0;
  for (std::size_t i = 0; i < widths.size(); ++i) {
    const std::size_t comma = text->find(',', at);
    const std::string part =
        text->substr(at, comma == std::string::npos ? std::string::npos : comma - at);
    if (part.empty() || part.find_first_not_of("0123456789") != std::string::npos ||
        part.size() > 5) {
      return std::nullopt;
    }
    widths[i] = std::stoi(part);
    if (widths[i] > kWidestColumn) return std::nullopt;
    if ((comma == std::string::npos) != (i + 1 == widths.size())) return std::nullopt;
    at = comma + 1;
  }
  return widths;
}

void RememberColumnWidths(SettingsStore& store, Category category, const ColumnWidths& widths) {
  std::string text;
  for (const int width : widths) text += (text.empty() ? "" : ",") + std::to_string(width);
  store.Put(kSection, KeyOf(category), text);
}

}  // namespace keelmark
