// Whether a painter draws onto pixels (an image, a pixmap, a window) with nothing but a shift
// between its coordinates and the device's: there, something drawn once into an image can be
// copied instead of drawn again. A PDF or a printer keeps its drawing as vectors.
#pragma once

#include <QPaintEngine>
#include <QPainter>
#include <QTransform>

namespace keelmark {

[[nodiscard]] inline bool PaintsRasterUnscaled(const QPainter& painter) {
  const QPaintEngine* const engine = painter.paintEngine();
  return engine != nullptr && engine->type() == QPaintEngine::Raster &&
         painter.deviceTransform().type() <= QTransform::TxTranslate;
}

}  // namespace keelmark
