// ListColumnWidths: the widths the user gave the main list's columns, remembered per category
// in the settings (section "ListColumns", one key per category, the widths in pixels joined
// by commas).
#pragma once

#include <array>
#include <optional>

#include "document/category.h"
#include "reports/category_table.h"

namespace keelmark {

class SettingsStore;

using ColumnWidths = std::array<int, kListColumnCount>;

// The remembered widths of the category's columns; nothing when none are kept or the kept
// text is not eight widths.
[[nodiscard]] std::optional<ColumnWidths> RememberedColumnWidths(const SettingsStore& store,
                                                                 Category category);
// Keeps the widths of the category's columns.
void RememberColumnWidths(SettingsStore& store, Category category, const ColumnWidths& widths);

}  // namespace keelmark
