// PrintCommands: the printing commands of the main window. File > Print, Print Preview and
// Print Setup print what the selection names (the list of the current tab); Graphics > Cover
// page, Plotting sheet, Storm advisory and Graphics/Tools > Noon report select their graphic
// while their dialog is open and give the list its selection back afterwards.
#pragma once

#include <QObject>
#include <QString>
#include <functional>

#include "app/print_controller.h"

class QWidget;

namespace keelmark {

class CKeelmarkRouteXPDoc;

class PrintCommands : public QObject {
  Q_OBJECT

 public:
  PrintCommands(CKeelmarkRouteXPDoc& doc, std::function<QString()> documentPath, QWidget* window);

  [[nodiscard]] PrintController& Controller() { return controller_; }

 signals:
  // A graphics dialog closed: the list shows the document again.
  void DocumentChanged();
  // The dialog changed the route (the voyage number).
  void DocumentModified();
  // The Plottingsheet dialog changed the current chart.
  void ChartChanged();

 public slots:
  void OnFilePrint() { controller_.Print(); }
  void OnFilePrintPreview() { controller_.Preview(); }
  void OnFilePrintSetup() { controller_.PageSetup(); }
  void OnCoverPage();
  void OnNoonReport();
  void OnPlottingSheet();
  // Only for a route of two waypoints or more and at least one storm (the frame's guard).
  void OnStormAdvisory();

 private:
  // Back to the list's selection after a graphics dialog.
  void EndGraphicsDialog();

  CKeelmarkRouteXPDoc& doc_;
  QWidget* window_;
  PrintController controller_;
};

}  // namespace keelmark
