#include "app/enter_key_guard.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace keelmark {

EnterKeyGuard::EnterKeyGuard(QWidget* dialog) : QObject(dialog) {}

void EnterKeyGuard::Install(QWidget* dialog) {
  dialog->installEventFilter(new EnterKeyGuard(dialog));
}

bool EnterKeyGuard::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
  const int key = static_cast<QKeyEvent*>(event)->key();
  if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
  // A key a field did not use reaches the dialog, whose default button would take it.
  if (auto* button = qobject_cast<QAbstractButton*>(QApplication::focusWidget())) {
    if (button->isEnabled()) button->click();
  }
  return true;
}

}  // namespace keelmark
