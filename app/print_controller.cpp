#include "app/print_controller.h"

#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <utility>

#include "document/keelmark_document.h"
#include "platform/qt_text.h"
#include "platform/sheet_printer.h"
#include "reports/printout.h"

namespace keelmark {

PrintController::PrintController(CKeelmarkRouteXPDoc& doc, std::function<QString()> documentPath,
                                 QWidget* parent)
    : QObject(parent),
      doc_(doc),
      documentPath_(std::move(documentPath)),
      parent_(parent),
      printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
  printer_->setPageSize(QPageSize(QPageSize::A4));
  printer_->setPageOrientation(QPageLayout::Portrait);
}

PrintController::~PrintController() = default;

bool PrintController::CanPrint() {
  const std::string refusal = PrintRefusal(doc_);
  if (refusal.empty()) return true;
  doc_.GetPrompter().Message(refusal, MessageIcon::Exclamation);
  return false;
}

void PrintController::Print() {
  if (!CanPrint()) return;
  const DocumentPrintout printout(doc_, ToStdString(documentPath_()));
  const PageModel page = DevicePageModel(*printer_);
  const Sheet sheet = RecordSheet(printout, page);
  QPrintDialog dialog(printer_.get(), parent_);
  dialog.setMinMax(1, sheet.pageCount);
  if (dialog.exec() != QDialog::Accepted) return;
  // The dialog may have changed the paper: the sheet is drawn again for it.
  PrintPrintout(printout, *printer_, {std::max(1, printer_->fromPage()), printer_->toPage()});
}

std::unique_ptr<QPrintPreviewDialog> PrintController::MakePreview() {
  auto preview = std::make_unique<QPrintPreviewDialog>(printer_.get(), parent_);
  connect(preview.get(), &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* printer) {
    PrintPrintout(DocumentPrintout(doc_, ToStdString(documentPath_())), *printer);
  });
  return preview;
}

void PrintController::Preview() {
  if (!CanPrint()) return;
  MakePreview()->exec();
}

void PrintController::PageSetup() {
  QPageSetupDialog dialog(printer_.get(), parent_);
  dialog.exec();
}

}  // namespace keelmark
