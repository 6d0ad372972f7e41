// The main window's printing commands, handed to PrintCommands.
#include "app/main_frame.h"
#include "app/print_commands.h"

namespace keelmark {

PrintCommands& CMainFrame::Printing() {
  if (!printing_) {
    printing_ = new PrintCommands(
        *doc_, [this] { return pathName_; }, this);
    connect(printing_, &PrintCommands::DocumentChanged, this, &CMainFrame::UpdateAllViews);
    connect(printing_, &PrintCommands::DocumentModified, this, [this] { SetModifiedFlag(); });
  }
  return *printing_;
}

void CMainFrame::OnFilePrint() { Printing().OnFilePrint(); }
void CMainFrame::OnFilePrintPreview() { Printing().OnFilePrintPreview(); }
void CMainFrame::OnFilePrintSetup() { Printing().OnFilePrintSetup(); }
void CMainFrame::OnCoverPage() { Printing().OnCoverPage(); }
void CMainFrame::OnNoonReport() { Printing().OnNoonReport(); }

}  // namespace keelmark
