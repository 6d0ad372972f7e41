// The lists inside editor pages (documents, traject waypoints, warning outlines): their
// selection and their buttons.
#pragma once

#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include <QString>

class QAbstractItemView;
class QBoxLayout;
class QWidget;

namespace keelmark {

class Prompter;

// The selected row of the list; none, after the message "No item selected", when no row is.
[[nodiscard]] std::optional<int> SelectedRow(const QAbstractItemView& view, Prompter& prompter);

// Push buttons with their actions, added to the layout in order.
void AddButtons(QWidget* parent, QBoxLayout* layout,
                const std::vector<std::pair<QString, std::function<void()>>>& buttons);

}  // namespace keelmark
