// RouteExchangeCommands: File > Import route and File > Export route, the route taken from or
// written to a GPX or RTZ file (the format from the file type: ".gpx" GPX 1.1, ".rtz" RTZ 1.2).
#pragma once

#include <QObject>

class QAction;

namespace keelmark {

class CKeelmarkRouteXPDoc;

class RouteExchangeCommands : public QObject {
  Q_OBJECT

 public:
  RouteExchangeCommands(CKeelmarkRouteXPDoc& doc, QObject* parent);

  [[nodiscard]] QAction* ImportAction() const { return import_; }
  [[nodiscard]] QAction* ExportAction() const { return export_; }

 public slots:
  // Asks for the file; a route of the document is replaced only after the user agrees, and
  // only by a file that could be read whole.
  void ImportRoute();
  void ExportRoute();

 signals:
  // The route was replaced and recalculated: every view must show it again.
  void RouteImported();

 private:
  CKeelmarkRouteXPDoc& doc_;
  QAction* import_;
  QAction* export_;
};

}  // namespace keelmark
