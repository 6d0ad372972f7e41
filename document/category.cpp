#include "document/category.h"

#include <cctype>

namespace keelmark {

std::optional<Category> CategoryFromIndex(int index) {
  if (index < 0 || index >= kCategoryCount) return std::nullopt;
  return static_cast<Category>(index);
}

std::optional<Category> CategoryFromText(std::string_view text) {
  if (text.size() == 1 && std::isdigit(static_cast<unsigned char>(text[0]))) {
    return CategoryFromIndex(text[0] - '0');
  }
  for (int i = 0; i < kCategoryCount; ++i) {
    const std::string_view name = kCategoryNames[static_cast<std::size_t>(i)];
    if (name.size() != text.size()) continue;
    bool same = true;
    for (std::size_t k = 0; k < name.size() && same; ++k) {
      same = std::tolower(static_cast<unsigned char>(name[k])) ==
             std::tolower(static_cast<unsigned char>(text[k]));
    }
    if (same) return static_cast<Category>(i);
  }
  return std::nullopt;
}

}  // namespace keelmark
