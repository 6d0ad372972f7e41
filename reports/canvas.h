// Canvas: the drawing surface every printout draws on, in page units of 0.1 mm with x to the
// right and y upwards; the origin is the top left corner of the printable area, so everything
// on a page has a negative y.
//
// The surface keeps a current pen, brush, font, text colour and text background, as a
// printer's drawing context does. A new canvas starts with a solid black pen of width 1, a
// solid white brush, black text with a transparent background (a head row's text then never
// blanks the rule it stands on) and the table font.
#pragma once

#include <string>

namespace keelmark {

struct Color {
  int red = 0;  // 0-255 each
  int green = 0;
  int blue = 0;
  bool operator==(const Color&) const = default;
};

inline constexpr Color kBlack{0, 0, 0};
inline constexpr Color kWhite{255, 255, 255};
inline constexpr Color kRed{255, 0, 0};
inline constexpr Color kGreen{0, 255, 0};
inline constexpr Color kBlue{0, 0, 255};

enum class PenStyle { Solid, Dash, Dot, None };

struct Pen {
  PenStyle style = PenStyle::Solid;
  int width = 1;  // page units; 0 and 1 both give the thinnest line the device draws
  Color color = kBlack;
  bool operator==(const Pen&) const = default;
};

// Solid fills, hatches of thin lines in the brush's colour, or no fill at all.
enum class BrushStyle {
  Solid,
  None,
  HatchHorizontal,
  HatchVertical,
  HatchCross,
  HatchDiagonalDown,
  HatchDiagonalUp,
  HatchDiagonalCross
};

struct Brush {
  BrushStyle style = BrushStyle::Solid;
  Color color = kWhite;
  bool operator==(const Brush&) const = default;
};

// A font asked for by face name; the height is the whole character cell in page units.
struct Font {
  std::string face = "Times New Roman";
  int height = 32;
  int weight = 400;  // 400 normal, 700 bold
  bool operator==(const Font&) const = default;
};

// Opaque text fills its cell with the background colour first; transparent text does not.
enum class BackgroundMode { Opaque, Transparent };

class Canvas {
 public:
  virtual ~Canvas() = default;

  virtual void SetPen(const Pen& pen) = 0;
  virtual void SetBrush(const Brush& brush) = 0;
  virtual void SetFont(const Font& font) = 0;
  virtual void SetTextColor(Color color) = 0;
  virtual void SetBackground(Color color, BackgroundMode mode) = 0;

  // A line from the current point to (x, y) with the pen; (x, y) becomes the current point.
  virtual void MoveTo(int x, int y) = 0;
  virtual void LineTo(int x, int y) = 0;
  // Outlined with the pen and filled with the brush; corners in either order.
  virtual void Rectangle(int left, int top, int right, int bottom) = 0;
  // The ellipse inside the rectangle, outlined and filled the same way.
  virtual void Ellipse(int left, int top, int right, int bottom) = 0;
  // One line of text with its cell's top left corner at (x, y), in the font and text colour.
  virtual void Text(int x, int y, const std::string& text) = 0;
  // A bitmap file copied with its top left corner at (x, y), one bitmap pixel per device
  // pixel, unscaled. A file that cannot be loaded draws nothing.
  virtual void Bitmap(int x, int y, const std::string& path) = 0;
};

}  // namespace keelmark
