#include "app/plotting_sheet_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "document/keelmark_document.h"
#include "navigation/calendar.h"
#include "navigation/clock.h"
#include "platform/qt_canvas.h"
#include "platform/qt_text.h"
#include "reports/plotting_sheet.h"

namespace keelmark {
namespace {

// The A4 page less 5 mm margins, page units: what a printed sheet shows.
constexpr double kPageWidth = 2000.0;
constexpr double kPageHeight = 2870.0;
// One wheel notch zooms by this factor; the zoom stays within these bounds (pixels per unit).
constexpr double kNotchZoom = 1.25;
constexpr double kLeastZoom = 0.01;
constexpr double kMostZoom = 20.0;

}  // namespace

CPlottingSheetView::CPlottingSheetView(CKeelmarkRouteXPDoc& doc, QWidget* parent)
    : QWidget(parent), doc_(doc) {
  setObjectName(QStringLiteral("plottingSheetView"));
  setWindowTitle(tr("Plotting sheet"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  resize(600, 800);
}

void CPlottingSheetView::FitToWindow() {
  zoom_ = std::clamp(std::min(width() / kPageWidth, height() / kPageHeight), kLeastZoom, kMostZoom);
  origin_ = QPointF((width() - kPageWidth * zoom_) / 2.0, (height() - kPageHeight * zoom_) / 2.0);
  fitted_ = true;
  update();
}

void CPlottingSheetView::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!fitted_) FitToWindow();
}

void CPlottingSheetView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Mid));
  painter.translate(origin_);
  painter.fillRect(QRectF(0.0, 0.0, kPageWidth * zoom_, kPageHeight * zoom_), Qt::white);
  painter.setRenderHint(QPainter::Antialiasing);
  const Chart& chart = doc_.GetCurrentChart();
  const PlottingSheet sheet(chart);
  if (const std::string refusal = sheet.Refusal(); !refusal.empty()) {
    painter.drawText(QRectF(0.0, 0.0, kPageWidth * zoom_, kPageHeight * zoom_),
                     Qt::AlignCenter | Qt::TextWordWrap, ToQString(refusal));
    return;
  }
  QtCanvas canvas(painter, zoom_, 0, &stamps_);
  const int month = UtcFields(ProcessClock().Now()).month + 1;
  const std::string bitmap = chart.BitmapPath.empty() ? "" : doc_.ResolvePath(chart.BitmapPath);
  sheet.Draw(canvas, doc_.GetRoute(), doc_.GetHistory(), doc_.GetMeteo(), month, bitmap);
}

void CPlottingSheetView::wheelEvent(QWheelEvent* event) {
  const double notches = event->angleDelta().y() / 120.0;
  const double zoom = std::clamp(zoom_ * std::pow(kNotchZoom, notches), kLeastZoom, kMostZoom);
  // The page point under the pointer stays under it.
  const QPointF at = event->position();
  origin_ = at - (at - origin_) * (zoom / zoom_);
  zoom_ = zoom;
  update();
  event->accept();
}

void CPlottingSheetView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  dragging_ = true;
  dragFrom_ = event->position();
  setCursor(Qt::ClosedHandCursor);
}

void CPlottingSheetView::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_) return;
  origin_ += event->position() - dragFrom_;
  dragFrom_ = event->position();
  update();
}

void CPlottingSheetView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  dragging_ = false;
  unsetCursor();
}

}  // namespace keelmark
