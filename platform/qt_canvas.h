// QtCanvas: the printouts' canvas over a QPainter. Page units (0.1 mm, y upwards from the top
// of the printable area) become device pixels at the device's resolution, with the drawing
// origin shifted to the top of the page being printed.
//
// "Times New Roman" is asked for by name; fontconfig gives its metric twin Liberation Serif.
// A font's height is the whole character cell, as the printouts measure it.
//
// On an image or a window, small ellipses are copied from images drawn once (EllipseStamps)
// and a text that comes again is drawn from its layout; a PDF or a printer gets every outline
// and text as itself.
#pragma once

#include <QFont>
#include <QPointF>
#include <QStaticText>
#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <tuple>

#include "platform/ellipse_stamps.h"
#include "reports/canvas.h"

class QPainter;

namespace keelmark {

class QtCanvas final : public Canvas {
 public:
  // pixelsPerUnit: device pixels per 0.1 mm. bandTop: the sheet's y at the device's top edge.
  // stamps: small ellipses drawn before, kept by a caller that draws the same marks again and
  // again (a window's frames); without them the canvas starts its own.
  QtCanvas(QPainter& painter, double pixelsPerUnit, int bandTop = 0,
           EllipseStamps* stamps = nullptr);

  void SetPen(const Pen& pen) override;
  void SetBrush(const Brush& brush) override;
  void SetFont(const Font& font) override;
  void SetTextColor(Color color) override { textColor_ = color; }
  void SetBackground(Color color, BackgroundMode mode) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void Rectangle(int left, int top, int right, int bottom) override;
  void Ellipse(int left, int top, int right, int bottom) override;
  void Text(int x, int y, const std::string& text) override;
  void Bitmap(int x, int y, const std::string& path) override;

 private:
  [[nodiscard]] QPointF Device(int x, int y) const;
  [[nodiscard]] QFont DeviceFont(const Font& font);
  // The text laid out once in the current font, where drawing that layout at a whole-pixel
  // offset puts every glyph where drawing the text anew would (a raster device, shifted by
  // whole pixels); nullptr elsewhere. Labels such as a fix's name come again and again.
  [[nodiscard]] const QStaticText* LaidOut(const std::string& text);

  // More laid-out texts than this start the collection afresh.
  static constexpr std::size_t kMostTexts = 4096;

  QPainter& painter_;
  double scale_;
  int bandTop_;
  QPointF current_;
  Color textColor_ = kBlack;
  Color background_ = kWhite;
  BackgroundMode backgroundMode_ = BackgroundMode::Transparent;
  Font font_;
  QFont deviceFont_;
  std::map<std::pair<std::string, std::pair<int, int>>, QFont> fonts_;
  // Texts drawn in a font (face, height, weight), laid out once they come again.
  std::map<std::tuple<std::string, int, int, std::string>, std::optional<QStaticText>> texts_;
  EllipseStamps ownStamps_;
  EllipseStamps& stamps_;
};

}  // namespace keelmark
