// RecordingCanvas: a canvas that keeps every drawing call with the pen, brush, font and text
// colours in force when it was made. Tests read the calls; the print path records a sheet once
// and replays each page's band of it onto the device.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "reports/canvas.h"

namespace keelmark {

struct DrawCall {
  enum class Kind { Line, Rectangle, Ellipse, Text, Bitmap };
  Kind kind = Kind::Line;
  // Line: from (x1, y1) to (x2, y2). Rectangle, ellipse: the corners as given. Text, bitmap:
  // the top left corner in (x1, y1).
  int x1 = 0;
  int y1 = 0;
  int x2 = 0;
  int y2 = 0;
  std::string text;  // the text, or the bitmap's path
  Pen pen;
  Brush brush;
  Font font;
  Color textColor = kBlack;
  Color background = kWhite;
  BackgroundMode backgroundMode = BackgroundMode::Transparent;

  // The highest and lowest y the call reaches (a text reaches one font height down; a
  // bitmap, whose size only the device knows, all the way down).
  [[nodiscard]] int Top() const;
  [[nodiscard]] int Bottom() const;
};

class RecordingCanvas final : public Canvas {
 public:
  void SetPen(const Pen& pen) override { state_.pen = pen; }
  void SetBrush(const Brush& brush) override { state_.brush = brush; }
  void SetFont(const Font& font) override { state_.font = font; }
  void SetTextColor(Color color) override { state_.textColor = color; }
  void SetBackground(Color color, BackgroundMode mode) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void Rectangle(int left, int top, int right, int bottom) override;
  void Ellipse(int left, int top, int right, int bottom) override;
  void Text(int x, int y, const std::string& text) override;
  void Bitmap(int x, int y, const std::string& path) override;

  [[nodiscard]] const std::vector<DrawCall>& Calls() const { return calls_; }
  // The text calls, in drawing order.
  [[nodiscard]] std::vector<DrawCall> Texts() const;
  // The first text call with exactly this text; nullptr when none.
  [[nodiscard]] const DrawCall* FindText(std::string_view text) const;
  // The lowest y that any call but a bitmap reaches; 0 for an empty sheet.
  [[nodiscard]] int LowestY() const;
  // Draws on the target, each with its own state, the calls that reach into the band from
  // bandTop down to bandBottom (bandTop > bandBottom), in their order.
  void Replay(Canvas& target, int bandTop, int bandBottom) const;

 private:
  DrawCall& Add(DrawCall::Kind kind, int x1, int y1, int x2, int y2);

  DrawCall state_;  // the state the next call carries
  int currentX_ = 0;
  int currentY_ = 0;
  std::vector<DrawCall> calls_;
};

}  // namespace keelmark
