#include "reports/recording_canvas.h"

#include <algorithm>
#include <limits>

namespace keelmark {

int DrawCall::Top() const {
  switch (kind) {
    case Kind::Text:
    case Kind::Bitmap:
      return y1;
    default:
      return std::max(y1, y2);
  }
}

int DrawCall::Bottom() const {
  switch (kind) {
    case Kind::Text:
      return y1 - font.height;
    case Kind::Bitmap:
      return std::numeric_limits<int>::min();
    default:
      return std::min(y1, y2);
  }
}

void RecordingCanvas::SetBackground(Color color, BackgroundMode mode) {
  state_.background = color;
  state_.backgroundMode = mode;
}

DrawCall& RecordingCanvas::Add(DrawCall::Kind kind, int x1, int y1, int x2, int y2) {
  DrawCall& call = calls_.emplace_back(state_);
  call.kind = kind;
  call.x1 = x1;
  call.y1 = y1;
  call.x2 = x2;
  call.y2 = y2;
  return call;
}

void RecordingCanvas::MoveTo(int x, int y) {
  currentX_ = x;
  currentY_ = y;
}

void RecordingCanvas::LineTo(int x, int y) {
  Add(DrawCall::Kind::Line, currentX_, currentY_, x, y);
  MoveTo(x, y);
}

void RecordingCanvas::Rectangle(int left, int top, int right, int bottom) {
  Add(DrawCall::Kind::Rectangle, left, top, right, bottom);
}

void RecordingCanvas::Ellipse(int left, int top, int right, int bottom) {
  Add(DrawCall::Kind::Ellipse, left, top, right, bottom);
}

void RecordingCanvas::Text(int x, int y, const std::string& text) {
  Add(DrawCall::Kind::Text, x, y, x, y).text = text;
}

void RecordingCanvas::Bitmap(int x, int y, const std::string& path) {
  Add(DrawCall::Kind::Bitmap, x, y, x, y).text = path;
}

std::vector<DrawCall> RecordingCanvas::Texts() const {
  std::vector<DrawCall> texts;
  std::copy_if(calls_.begin(), calls_.end(), std::back_inserter(texts),
               [](const DrawCall& call) { return call.kind == DrawCall::Kind::Text; });
  return texts;
}

const DrawCall* RecordingCanvas::FindText(std::string_view text) const {
  const auto it = std::find_if(calls_.begin(), calls_.end(), [text](const DrawCall& call) {
    return call.kind == DrawCall::Kind::Text && call.text == text;
  });
  return it == calls_.end() ? nullptr : &*it;
}

int RecordingCanvas::LowestY() const {
  int lowest = 0;
  for (const DrawCall& call : calls_) {
    if (call.kind != DrawCall::Kind::Bitmap) lowest = std::min(lowest, call.Bottom());
  }
  return lowest;
}

void RecordingCanvas::Replay(Canvas& target, int bandTop, int bandBottom) const {
  for (const DrawCall& call : calls_) {
    if (call.Top() < bandBottom || call.Bottom() > bandTop) continue;
    target.SetPen(call.pen);
    target.SetBrush(call.brush);
    target.SetFont(call.font);
    target.SetTextColor(call.textColor);
    target.SetBackground(call.background, call.backgroundMode);
    switch (call.kind) {
      case DrawCall::Kind::Line:
        target.MoveTo(call.x1, call.y1);
        target.LineTo(call.x2, call.y2);
        break;
      case DrawCall::Kind::Rectangle:
        target.Rectangle(call.x1, call.y1, call.x2, call.y2);
        break;
      case DrawCall::Kind::Ellipse:
        target.Ellipse(call.x1, call.y1, call.x2, call.y2);
        break;
      case DrawCall::Kind::Text:
        target.Text(call.x1, call.y1, call.text);
        break;
      case DrawCall::Kind::Bitmap:
        target.Bitmap(call.x1, call.y1, call.text);
        break;
    }
  }
}

}  // namespace keelmark
