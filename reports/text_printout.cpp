#include "reports/text_printout.h"

#include "reports/table_grid.h"

namespace keelmark {
namespace {

// 20 mm from the left and top of the printable area, one line every 5 mm.
constexpr int kTextLeft = 200;
constexpr int kTextTop = -200;
constexpr int kLineHeight = 50;

}  // namespace

TextPrintout::TextPrintout(const std::string& text) {
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines_.push_back(std::move(line));
    start = end + 1;
  }
}

void TextPrintout::Draw(Canvas& canvas, const PageModel& page) const {
  canvas.SetFont(TableFont());
  canvas.SetTextColor(kBlack);
  canvas.SetBackground(kWhite, BackgroundMode::Transparent);
  int top = kTextTop;
  for (const std::string& line : lines_) {
    // A line never straddles two pages.
    top = page.PlaceRow(top, kLineHeight);
    canvas.Text(kTextLeft, top, line);
    top -= kLineHeight;
  }
}

}  // namespace keelmark
