#include "platform/qt_canvas.h"

#include <QBrush>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QRectF>
#include <QStaticText>
#include <algorithm>
#include <cmath>
#include <utility>

#include "platform/qt_text.h"
#include "platform/raster_painting.h"

namespace keelmark {
namespace {

QColor ToQColor(Color color) { return QColor(color.red, color.green, color.blue); }

Qt::PenStyle ToQtPenStyle(PenStyle style) {
  switch (style) {
    case PenStyle::Dash:
      return Qt::DashLine;
    case PenStyle::Dot:
      return Qt::DotLine;
    case PenStyle::None:
      return Qt::NoPen;
    case PenStyle::Solid:
      break;
  }
  return Qt::SolidLine;
}

Qt::BrushStyle ToQtBrushStyle(BrushStyle style) {
  switch (style) {
    case BrushStyle::None:
      return Qt::NoBrush;
    case BrushStyle::HatchHorizontal:
      return Qt::HorPattern;
    case BrushStyle::HatchVertical:
      return Qt::VerPattern;
    case BrushStyle::HatchCross:
      return Qt::CrossPattern;
    case BrushStyle::HatchDiagonalDown:  // "\": top left to bottom right
      return Qt::FDiagPattern;
    case BrushStyle::HatchDiagonalUp:
      return Qt::BDiagPattern;
    case BrushStyle::HatchDiagonalCross:
      return Qt::DiagCrossPattern;
    case BrushStyle::Solid:
      break;
  }
  return Qt::SolidPattern;
}

}  // namespace

QtCanvas::QtCanvas(QPainter& painter, double pixelsPerUnit, int bandTop, EllipseStamps* stamps)
    : painter_(painter),
      scale_(pixelsPerUnit),
      bandTop_(bandTop),
      stamps_(stamps != nullptr ? *stamps : ownStamps_) {
  SetPen(Pen{});
  SetBrush(Brush{});
  SetFont(Font{});
}

QPointF QtCanvas::Device(int x, int y) const {
  return QPointF(x * scale_, static_cast<double>(bandTop_ - y) * scale_);
}

void QtCanvas::SetPen(const Pen& pen) {
  QPen qpen(ToQColor(pen.color), std::max(1, pen.width) * scale_, ToQtPenStyle(pen.style));
  qpen.setCapStyle(Qt::FlatCap);
  painter_.setPen(qpen);
}

void QtCanvas::SetBrush(const Brush& brush) {
  painter_.setBrush(QBrush(ToQColor(brush.color), ToQtBrushStyle(brush.style)));
}

void QtCanvas::SetFont(const Font& font) {
  if (font == font_ && deviceFont_.pixelSize() > 0) return;
  font_ = font;
  deviceFont_ = DeviceFont(font);
}

QFont QtCanvas::DeviceFont(const Font& font) {
  const auto key = std::make_pair(font.face, std::make_pair(font.height, font.weight));
  if (const auto it = fonts_.find(key); it != fonts_.end()) return it->second;
  QFont qfont(ToQString(font.face));
  qfont.setStyleHint(QFont::Serif, QFont::PreferQuality);
  qfont.setWeight(font.weight >= 700 ? QFont::Bold : QFont::Normal);
  // The height is the whole cell (ascent and descent); Qt's pixel size is the em.
  const double cell = std::max(1.0, font.height * scale_);
  qfont.setPixelSize(std::max(1, qRound(cell)));
  const double measured = QFontMetricsF(qfont, painter_.device()).height();
  if (measured > 0.0) qfont.setPixelSize(std::max(1, qRound(cell * cell / measured)));
  fonts_.emplace(key, qfont);
  return qfont;
}

void QtCanvas::SetBackground(Color color, BackgroundMode mode) {
  background_ = color;
  backgroundMode_ = mode;
}

void QtCanvas::MoveTo(int x, int y) { current_ = Device(x, y); }

void QtCanvas::LineTo(int x, int y) {
  const QPointF to = Device(x, y);
  painter_.drawLine(current_, to);
  current_ = to;
}

void QtCanvas::Rectangle(int left, int top, int right, int bottom) {
  painter_.drawRect(QRectF(Device(left, top), Device(right, bottom)).normalized());
}

void QtCanvas::Ellipse(int left, int top, int right, int bottom) {
  const QRectF rect = QRectF(Device(left, top), Device(right, bottom)).normalized();
  if (!stamps_.Draw(painter_, rect)) painter_.drawEllipse(rect);
}

const QStaticText* QtCanvas::LaidOut(const std::string& text) {
  if (!PaintsRasterUnscaled(painter_)) return nullptr;
  const QTransform& device = painter_.deviceTransform();
  if (device.dx() != std::round(device.dx()) || device.dy() != std::round(device.dy())) {
    return nullptr;
  }
  auto key = std::make_tuple(font_.face, font_.height, font_.weight, text);
  auto seen = texts_.find(key);
  if (seen == texts_.end()) {
    // Laying out costs more than drawing once: only a text that comes again is laid out.
    if (texts_.size() >= kMostTexts) texts_.clear();
    texts_.emplace(std::move(key), std::nullopt);
    return nullptr;
  }
  if (!seen->second) {
    QStaticText laidOut(ToQString(text));
    laidOut.setTextFormat(Qt::PlainText);
    laidOut.prepare(painter_.transform(), deviceFont_);
    seen->second = std::move(laidOut);
  }
  return &*seen->second;
}

void QtCanvas::Text(int x, int y, const std::string& text) {
  if (text.empty()) return;
  painter_.setFont(deviceFont_);
  const QFontMetricsF metrics(deviceFont_, painter_.device());
  const QPointF topLeft = Device(x, y);
  if (backgroundMode_ == BackgroundMode::Opaque) {
    painter_.fillRect(
        QRectF(topLeft, QSizeF(metrics.horizontalAdvance(ToQString(text)), metrics.height())),
        ToQColor(background_));
  }
  const QPen pen = painter_.pen();
  painter_.setPen(ToQColor(textColor_));
  if (const QStaticText* laidOut = LaidOut(text)) {
    painter_.drawStaticText(topLeft, *laidOut);
  } else {
    painter_.drawText(QPointF(topLeft.x(), topLeft.y() + metrics.ascent()), ToQString(text));
  }
  painter_.setPen(pen);
}

void QtCanvas::Bitmap(int x, int y, const std::string& path) {
  const QImage image(ToQString(path));
  if (image.isNull()) return;
  // One bitmap pixel per device pixel: the painter's own scale is the identity.
  painter_.drawImage(Device(x, y), image);
}

}  // namespace keelmark
