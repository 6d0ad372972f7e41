#include "app/print_commands.h"

#include <utility>

#include "app/cover_page_dialog.h"
#include "app/performance_dialog.h"
#include "app/plotting_sheet_dialog.h"
#include "app/storm_advisory_dialog.h"
#include "document/keelmark_document.h"
#include "reports/printout.h"

namespace keelmark {

PrintCommands::PrintCommands(CKeelmarkRouteXPDoc& doc, std::function<QString()> documentPath,
                             QWidget* window)
    : QObject(window),
      doc_(doc),
      window_(window),
      controller_(doc, std::move(documentPath), window) {}

void PrintCommands::OnCoverPage() {
  SelectPrintout(doc_.GetSettings(), PrintoutKind::CoverPage);
  const std::string number = doc_.GetRoute().VoyageNumber;
  CCoverPageDialog dialog(doc_.GetRoute(), window_);
  connect(&dialog, &CCoverPageDialog::PrintRequested, &controller_, &PrintController::Print);
  dialog.exec();
  if (doc_.GetRoute().VoyageNumber != number) emit DocumentModified();
  EndGraphicsDialog();
}

void PrintCommands::OnNoonReport() {
  SelectPrintout(doc_.GetSettings(), PrintoutKind::Performance);
  CPerformanceDialog dialog(doc_, window_);
  connect(&dialog, &CPerformanceDialog::PrintRequested, &controller_, &PrintController::Print);
  dialog.exec();
  EndGraphicsDialog();
}

void PrintCommands::OnPlottingSheet() {
  SelectPrintout(doc_.GetSettings(), PrintoutKind::PlottingSheet);
  CPlottingSheetDialog dialog(doc_, doc_.GetPrompter(), window_);
  connect(&dialog, &CPlottingSheetDialog::PrintRequested, &controller_, &PrintController::Print);
  connect(&dialog, &CPlottingSheetDialog::ChartChanged, this, &PrintCommands::ChartChanged);
  dialog.exec();
  EndGraphicsDialog();
}

void PrintCommands::OnStormAdvisory() {
  SelectPrintout(doc_.GetSettings(), PrintoutKind::StormAdvisory);
  CStormAdvisoryDialog dialog(doc_, window_);
  connect(&dialog, &CStormAdvisoryDialog::PrintRequested, &controller_, &PrintController::Print);
  dialog.exec();
  EndGraphicsDialog();
}

void PrintCommands::EndGraphicsDialog() {
  doc_.GetSettings().hasListSelected = 1;
  emit DocumentChanged();
}

}  // namespace keelmark
