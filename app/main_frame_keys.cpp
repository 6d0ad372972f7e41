// CMainFrame: the keys that work on whatever has the focus: the edit keys and F6.
#include <QApplication>
#include <QStatusBar>
#include <QTabBar>

#include "app/lock_key_panes.h"
#include "app/main_frame.h"
#include "app/pane_focus.h"
#include "app/route_view.h"
#include "app/text_edit_keys.h"
#include "app/top_panel.h"

namespace keelmark {

void CMainFrame::CreateKeyboardHelpers() {
  new TextEditKeys(
      {Command(QStringLiteral("actionEditUndo")), Command(QStringLiteral("actionEditCut")),
       Command(QStringLiteral("actionEditCopy")), Command(QStringLiteral("actionEditPaste"))},
      this);
  new LockKeyPanes(statusBar());
  // F6 lands on the category tabs of the top panel, where the arrow keys change the list.
  panel_->setFocusProxy(panel_->Tabs());
}

void CMainFrame::OnEditUndo() { RunTextEdit(QApplication::focusWidget(), TextEdit::Undo); }
void CMainFrame::OnEditCut() { RunTextEdit(QApplication::focusWidget(), TextEdit::Cut); }
void CMainFrame::OnEditCopy() { RunTextEdit(QApplication::focusWidget(), TextEdit::Copy); }
void CMainFrame::OnEditPaste() { RunTextEdit(QApplication::focusWidget(), TextEdit::Paste); }

// The panes in their order from the top: the category tabs and summary, then the list.
void CMainFrame::OnNextPane() { FocusNextPane({panel_, view_}, 1); }
void CMainFrame::OnPreviousPane() { FocusNextPane({panel_, view_}, -1); }

}  // namespace keelmark
