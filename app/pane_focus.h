// The F6 and Shift+F6 keys: the focus goes round the panes of a window.
#pragma once

#include <QList>

class QWidget;

namespace keelmark {

// Gives the focus to the pane after (step 1) or before (step -1) the one that holds it, going
// round; with the focus in none of them, the first pane (or the last going back) gets it. A
// pane that takes no focus itself hands it to its focus proxy, or else to its first child that
// takes it.
void FocusNextPane(const QList<QWidget*>& panes, int step);

}  // namespace keelmark
