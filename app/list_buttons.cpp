#include "app/list_buttons.h"

#include <QAbstractItemView>
#include <QBoxLayout>
#include <QItemSelectionModel>
#include <QPushButton>

#include "document/prompter.h"

namespace keelmark {

namespace {}  // namespace

std::optional<int> SelectedRow(const QAbstractItemView& view, Prompter& prompter) {
  const QItemSelectionModel* selection = view.selectionModel();
  if (!selection || !selection->hasSelection() || !selection->currentIndex().isValid()) {
    prompter.Message(kNoItemSelected, MessageIcon::Stop);
    return std::nullopt;
  }
  return selection->currentIndex().row();
}

void AddButtons(QWidget* parent, QBoxLayout* layout,
                const std::vector<std::pair<QString, std::function<void()>>>& buttons) {
  for (const auto& [text, action] : buttons) {
    auto* button = new QPushButton(text, parent);
    QObject::connect(button, &QPushButton::clicked, parent, action);
    layout->addWidget(button);
  }
}

}  // namespace keelmark
