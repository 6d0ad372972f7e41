#include "app/form_with_buttons.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace keelmark {

void LayOutFormWithButtons(QDialog& dialog, QLayout* form,
                           std::initializer_list<QPushButton*> buttons) {
  auto* row = new QHBoxLayout;
  row->addStretch();
  for (QPushButton* button : buttons) row->addWidget(button);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addLayout(form);
  layout->addLayout(row);
}

}  // namespace keelmark
