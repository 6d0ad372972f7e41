// EnterKeyGuard: keeps the Enter key from closing a window while the user types in it.
#pragma once

#include <QObject>

class QWidget;

namespace keelmark {

// Installed on a dialog: Enter or Return in a field does nothing (the figures already follow
// every keystroke); on a focused button it presses that button. Escape still cancels.
class EnterKeyGuard : public QObject {
  Q_OBJECT

 public:
  // Watches `dialog`, which owns the guard.
  static void Install(QWidget* dialog);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  explicit EnterKeyGuard(QWidget* dialog);
};

}  // namespace keelmark
