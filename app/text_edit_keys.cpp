#include "app/text_edit_keys.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace keelmark {
namespace {

// The line edit a field types into: the field itself, or the one inside a spin box, a
// date-time field or an editable combo box (which keep the focus themselves).
QLineEdit* LineEditOf(QWidget* widget) {
  if (auto* line = qobject_cast<QLineEdit*>(widget)) return line;
  if (auto* spin = qobject_cast<QAbstractSpinBox*>(widget)) {
    return spin->findChild<QLineEdit*>(QString(), Qt::FindDirectChildrenOnly);
  }
  if (auto* combo = qobject_cast<QComboBox*>(widget)) return combo->lineEdit();
  return nullptr;
}

template <typename Field>
bool Run(Field& field, TextEdit command, bool readOnly) {
  if (readOnly && command != TextEdit::Copy) return false;
  switch (command) {
    case TextEdit::Undo:
      field.undo();
      break;
    case TextEdit::Cut:
      field.cut();
      break;
    case TextEdit::Copy:
      field.copy();
      break;
    case TextEdit::Paste:
      field.paste();
      break;
  }
  return true;
}

bool IsTextField(QWidget* widget) {
  return LineEditOf(widget) || qobject_cast<QTextEdit*>(widget) ||
         qobject_cast<QPlainTextEdit*>(widget);
}

}  // namespace

bool RunTextEdit(QWidget* widget, TextEdit command) {
  if (QLineEdit* line = LineEditOf(widget)) return Run(*line, command, line->isReadOnly());
  if (auto* text = qobject_cast<QTextEdit*>(widget)) return Run(*text, command, text->isReadOnly());
  if (auto* plain = qobject_cast<QPlainTextEdit*>(widget)) {
    return Run(*plain, command, plain->isReadOnly());
  }
  return false;
}

TextEditKeys::TextEditKeys(QList<QAction*> actions, QObject* parent)
    : QObject(parent), actions_(std::move(actions)) {
  qApp->installEventFilter(this);
}

bool TextEditKeys::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress) return false;
  auto* focus = qobject_cast<QWidget*>(watched);
  if (!focus || focus != QApplication::focusWidget() || !IsTextField(focus)) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  const QKeySequence pressed(key->keyCombination().toCombined() & ~Qt::KeypadModifier);
  for (QAction* action : std::as_const(actions_)) {
    if (!action->shortcuts().contains(pressed)) continue;
    if (type == QEvent::ShortcutOverride) {
      // Claimed for the field, so that no window shortcut takes it; it comes back as a press.
      event->accept();
    } else {
      action->trigger();
    }
    return true;
  }
  return false;
}

}  // namespace keelmark
