#include "platform/ellipse_stamps.h"

#include <QPainter>
#include <QRectF>
#include <QTransform>
#include <algorithm>
#include <cmath>

#include "platform/raster_painting.h"

namespace keelmark {

int EllipseStamps::Margin(const Key& key) {
  const double pen = key.penStyle == Qt::NoPen ? 0.0 : std::max(1.0, key.penWidth);
  return static_cast<int>(std::ceil(pen / 2.0)) + 1;
}

QImage EllipseStamps::Stamp(const QPainter& painter, const Key& key) {
  const int margin = Margin(key);
  QImage image(static_cast<int>(std::ceil(key.width)) + 2 * margin + 1,
               static_cast<int>(std::ceil(key.height)) + 2 * margin + 1,
               QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter stamp(&image);
  stamp.setRenderHints(painter.renderHints());
  stamp.setPen(painter.pen());
  stamp.setBrush(painter.brush());
  stamp.drawEllipse(QRectF(margin + static_cast<double>(key.phaseX) / kPhases,
                           margin + static_cast<double>(key.phaseY) / kPhases, key.width,
                           key.height));
  return image;
}

bool EllipseStamps::Draw(QPainter& painter, const QRectF& rect) {
  if (!PaintsRasterUnscaled(painter)) return false;
  const QTransform& device = painter.deviceTransform();
  if (painter.compositionMode() != QPainter::CompositionMode_SourceOver) return false;
  if (painter.opacity() != 1.0) return false;
  const QPen& pen = painter.pen();
  const QBrush& brush = painter.brush();
  // A hatch lies on the device's grid, not the ellipse's; a pattern of dashes of one's own or
  // a gradient is left to the outline too.
  if (pen.style() != Qt::NoPen && (pen.brush().style() != Qt::SolidPattern ||
                                   pen.style() == Qt::CustomDashLine || pen.dashOffset() != 0.0)) {
    return false;
  }
  if (brush.style() != Qt::NoBrush && brush.style() != Qt::SolidPattern) return false;
  const QRectF box = rect.normalized().translated(device.dx(), device.dy());
  if (!(box.width() <= kLargestStamp && box.height() <= kLargestStamp)) return false;

  // The box's top left corner to the nearest step: a whole pixel and a step within it.
  const double stepsX = std::round(box.left() * kPhases);
  const double stepsY = std::round(box.top() * kPhases);
  const double pixelX = std::floor(stepsX / kPhases);
  const double pixelY = std::floor(stepsY / kPhases);
  Key key;
  key.width = std::round(box.width() * kSizeSteps) / kSizeSteps;
  key.height = std::round(box.height() * kSizeSteps) / kSizeSteps;
  key.phaseX = static_cast<int>(stepsX - pixelX * kPhases);
  key.phaseY = static_cast<int>(stepsY - pixelY * kPhases);
  key.penStyle = pen.style();
  if (pen.style() != Qt::NoPen) {
    key.penColor = pen.color().rgba();
    key.penWidth = pen.widthF();
    key.penCap = pen.capStyle();
    key.penJoin = pen.joinStyle();
    key.cosmetic = pen.isCosmetic();
  }
  key.brushStyle = brush.style();
  if (brush.style() != Qt::NoBrush) key.brushColor = brush.color().rgba();
  key.antialiased = painter.testRenderHint(QPainter::Antialiasing);

  auto stamp = stamps_.find(key);
  if (stamp == stamps_.end()) {
    if (stamps_.size() >= kMostStamps) stamps_.clear();
    stamp = stamps_.emplace(key, Stamp(painter, key)).first;
  }
  // Placed at a whole device pixel, the image is copied without resampling.
  const int margin = Margin(key);
  painter.drawImage(QPointF(pixelX - margin - device.dx(), pixelY - margin - device.dy()),
                    stamp->second);
  return true;
}

}  // namespace keelmark
