// CPlottingSheetView: the plotting sheet on screen, drawn through the same Canvas calls as the
// printout onto the window: the page fitted to the window when first shown, zoomed about the
// pointer with the wheel, panned by dragging. It reads the document's current chart, route,
// history and average weather each time it paints, so a redraw (update()) after any of them
// changed shows the change.
#pragma once

#include <QPointF>
#include <QWidget>

#include "platform/ellipse_stamps.h"

namespace keelmark {

class CKeelmarkRouteXPDoc;

class CPlottingSheetView : public QWidget {
  Q_OBJECT

 public:
  explicit CPlottingSheetView(CKeelmarkRouteXPDoc& doc, QWidget* parent = nullptr);

  // The whole page in the window, centred.
  void FitToWindow();
  // Screen pixels per page unit (0.1 mm).
  [[nodiscard]] double Zoom() const { return zoom_; }
  // Where the page's top left corner is in the window.
  [[nodiscard]] QPointF PageOrigin() const { return origin_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  CKeelmarkRouteXPDoc& doc_;
  double zoom_ = 0.1;
  QPointF origin_;
  QPointF dragFrom_;
  bool dragging_ = false;
  bool fitted_ = false;
  // The marks' images, kept from frame to frame: a pan draws the same marks again.
  EllipseStamps stamps_;
};

}  // namespace keelmark
