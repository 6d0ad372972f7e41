// The keyboard's edit commands (undo, cut, copy, paste) on the text field with the focus, in
// the main window and in every dialog the program opens.
#pragma once

#include <QList>
#include <QObject>

class QAction;
class QWidget;

namespace keelmark {

enum class TextEdit { Undo, Cut, Copy, Paste };

// Runs the command on the widget when it is a text field: a line edit (also the one inside a
// number, date-time or editable combo field) or a multi-line text field. A read-only field only
// copies. False when the widget is no text field or the command changes a read-only one.
bool RunTextEdit(QWidget* widget, TextEdit command);

// Takes the keys of the given actions (each action runs one TextEdit on the focused field) to
// the text fields of every window of the program: a key of theirs pressed in a text field
// triggers the action there, in a modal dialog too, whatever the platform itself binds to the
// key. Other keys, and keys outside text fields, go their usual way.
class TextEditKeys : public QObject {
  Q_OBJECT

 public:
  TextEditKeys(QList<QAction*> actions, QObject* parent);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QList<QAction*> actions_;
};

}  // namespace keelmark
