// The main window's printing commands, handed to PrintCommands.
#include "app/main_frame.h"
#include "app/plotting_sheet_view.h"
#include "app/print_commands.h"
#include "document/keelmark_document.h"
#include "reports/storm_advisory.h"

namespace keelmark {

PrintCommands& CMainFrame::Printing() {
  if (!printing_) {
    printing_ = new PrintCommands(
        *doc_, [this] { return pathName_; }, this);
    connect(printing_, &PrintCommands::DocumentChanged, this, &CMainFrame::UpdateAllViews);
    connect(printing_, &PrintCommands::DocumentModified, this, [this] { SetModifiedFlag(); });
    connect(printing_, &PrintCommands::ChartChanged, this, [this] {
      if (plottingSheetWindow_) plottingSheetWindow_->update();
    });
  }
  return *printing_;
}

void CMainFrame::OnFilePrint() { Printing().OnFilePrint(); }
void CMainFrame::OnFilePrintPreview() { Printing().OnFilePrintPreview(); }
void CMainFrame::OnFilePrintSetup() { Printing().OnFilePrintSetup(); }
void CMainFrame::OnCoverPage() { Printing().OnCoverPage(); }
void CMainFrame::OnNoonReport() { Printing().OnNoonReport(); }
void CMainFrame::OnPlottingSheet() { Printing().OnPlottingSheet(); }

void CMainFrame::OnPlottingSheetWindow() {
  if (!plottingSheetWindow_) {
    plottingSheetWindow_ = new CPlottingSheetView(*doc_, this);
    plottingSheetWindow_->setWindowFlag(Qt::Window);
    plottingSheetWindow_->setAttribute(Qt::WA_DeleteOnClose);
  }
  plottingSheetWindow_->show();
  plottingSheetWindow_->raise();
}

void CMainFrame::OnStormAdvisory() {
  if (const std::string refusal = StormAdvisoryRefusal(*doc_); !refusal.empty()) {
    prompter_.Message(refusal, MessageIcon::Stop);
    return;
  }
  Printing().OnStormAdvisory();
}

}  // namespace keelmark
