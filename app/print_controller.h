// PrintController: File > Print, Print Preview and Print Setup on one printer that keeps its
// page set-up for the session. What is printed is whatever the document's selection names
// when the command runs: the list of the current tab, or the graphic whose dialog is open.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class QPrinter;
class QPrintPreviewDialog;
class QWidget;

namespace keelmark {

class CKeelmarkRouteXPDoc;

class PrintController : public QObject {
  Q_OBJECT

 public:
  // documentPath gives the route document's file for the footer when a page is printed.
  PrintController(CKeelmarkRouteXPDoc& doc, std::function<QString()> documentPath, QWidget* parent);
  ~PrintController() override;

  [[nodiscard]] QPrinter& Printer() { return *printer_; }
  // The preview of the selection on the session's printer, every page, zoomable; not shown.
  [[nodiscard]] std::unique_ptr<QPrintPreviewDialog> MakePreview();
  // Whether the selection can be printed now; shows the message when it cannot.
  [[nodiscard]] bool CanPrint();

 public slots:
  void Print();
  void Preview();
  void PageSetup();

 private:
  CKeelmarkRouteXPDoc& doc_;
  std::function<QString()> documentPath_;
  QWidget* parent_;
  std::unique_ptr<QPrinter> printer_;
};

}  // namespace keelmark
