// EllipseStamps: small ellipses on a raster device copied from images drawn once each. A plotting
// sheet marks every fix and weather record with an equal small circle, thousands a page, and
// outlining each anew costs most of the drawing. Each ellipse of a size, pen, brush and position
// within its pixel (in steps of kPhases a pixel) is drawn once into an image with a transparent
// surround; every further one is that image blended onto the device at the nearest step.
//
// Only where a copy looks the same as the outline drawn there: a raster device (an image, a
// pixmap, a window) painted without rotation or scaling, solid or no fill, plain blending. A PDF
// or a printer keeps its ellipses as vector outlines.
#pragma once

#include <QImage>
#include <QRgb>
#include <Qt>
#include <compare>
#include <cstddef>
#include <map>

class QPainter;
class QRectF;

namespace keelmark {

class EllipseStamps {
 public:
  // Steps a pixel in which a stamp's position is taken: at most 1/16 pixel away from where the
  // outline would be drawn.
  static constexpr int kPhases = 16;
  // Larger ellipses are drawn as outlines: few are drawn and their images would be large.
  static constexpr double kLargestStamp = 64.0;  // device pixels either way
  // Sizes are taken to this fraction of a pixel: the corners' own rounding makes sizes that
  // should be equal differ in their last bits.
  static constexpr double kSizeSteps = 64.0;
  // More stamps than this start the collection afresh.
  static constexpr std::size_t kMostStamps = 1024;

  // Draws the ellipse inside `rect` (the painter's coordinates) with the painter's pen and
  // brush when a stamp draws it as the outline would; false, drawing nothing, when not.
  [[nodiscard]] bool Draw(QPainter& painter, const QRectF& rect);

 private:
  struct Key {
    double width = 0.0;  // device pixels, in steps of 1 / kSizeSteps
    double height = 0.0;
    int phaseX = 0;  // the position within its pixel, in steps of 1 / kPhases
    int phaseY = 0;
    QRgb penColor = 0;
    double penWidth = 0.0;
    Qt::PenStyle penStyle = Qt::SolidLine;
    Qt::PenCapStyle penCap = Qt::FlatCap;
    Qt::PenJoinStyle penJoin = Qt::MiterJoin;
    bool cosmetic = false;
    QRgb brushColor = 0;
    Qt::BrushStyle brushStyle = Qt::NoBrush;
    bool antialiased = false;
    auto operator<=>(const Key&) const = default;
  };

  // Whole pixels around the ellipse's box in its stamp: half the pen and the smoothing's pixel.
  [[nodiscard]] static int Margin(const Key& key);
  [[nodiscard]] static QImage Stamp(const QPainter& painter, const Key& key);

  std::map<Key, QImage> stamps_;
};

}  // namespace keelmark
