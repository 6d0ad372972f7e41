#include "app/pane_focus.h"

#include <QApplication>
#include <QWidget>

namespace keelmark {
namespace {

// The pane itself when it takes the focus or hands it to a proxy, else its first descendant in
// the focus chain that takes it.
QWidget* FocusTarget(QWidget* pane) {
  if ((pane->focusPolicy() & Qt::TabFocus) || pane->focusProxy()) return pane;
  for (QWidget* w = pane->nextInFocusChain(); w && w != pane; w = w->nextInFocusChain()) {
    if (pane->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(pane) &&
        w->isEnabled()) {
      return w;
    }
  }
  return pane;
}

}  // namespace

void FocusNextPane(const QList<QWidget*>& panes, int step) {
  const qsizetype count = panes.size();
  if (count == 0) return;
  QWidget* focus = QApplication::focusWidget();
  qsizetype current = -1;
  for (qsizetype i = 0; i < count; ++i) {
    if (focus && (panes[i] == focus || panes[i]->isAncestorOf(focus))) current = i;
  }
  const qsizetype next =
      current < 0 ? (step > 0 ? 0 : count - 1) : ((current + step) % count + count) % count;
  FocusTarget(panes[next])->setFocus(step > 0 ? Qt::TabFocusReason : Qt::BacktabFocusReason);
}

}  // namespace keelmark
