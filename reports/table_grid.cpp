#include "reports/table_grid.h"

#include <utility>

#include "reports/page_model.h"

namespace keelmark {

Font TableFont() { return Font{"Times New Roman", 32, 400}; }
Font TitleFont() { return Font{"Times New Roman", 122, 700}; }
Font HeaderFont() { return Font{"Times New Roman", 80, 400}; }
Font FooterFont() { return Font{"Times New Roman", 36, 400}; }
Font CoverTitleFont() { return Font{"Times New Roman", 254, 400}; }
Font CoverDetailFont() { return Font{"Times New Roman", 70, 400}; }

namespace {
constexpr int kTitleTop = -200;
constexpr int kTitleTextY = -250;
constexpr int kHeadBottom = -500;
constexpr int kSubRuleY = -450;
}  // namespace

TableColumns StandardColumns(std::vector<HeadText> heads, bool subRule) {
  TableColumns columns{{600, 900, 1600}, std::move(heads), 0, 0};
  if (subRule) {
    columns.subRuleLeft = 900;
    columns.subRuleRight = 1600;
  }
  return columns;
}

void DrawTitleBox(Canvas& canvas, const std::string& title, int titleX) {
  canvas.SetPen(kGridPen);
  canvas.Rectangle(kTableLeft, kTitleTop, kTableRight, kHeadTop);
  canvas.SetFont(TitleFont());
  canvas.Text(titleX, kTitleTextY, title);
  canvas.SetFont(TableFont());
}

void DrawHeadRow(Canvas& canvas, const TableColumns& columns) {
  DrawRowBox(canvas, kHeadTop, columns.rules);
  if (columns.subRuleLeft != columns.subRuleRight) {
    canvas.MoveTo(columns.subRuleLeft, kSubRuleY);
    canvas.LineTo(columns.subRuleRight, kSubRuleY);
  }
  for (const HeadText& head : columns.heads) canvas.Text(head.x, head.y, head.text);
  static_assert(kHeadTop - kRowHeight == kHeadBottom);
}

void DrawRowBox(Canvas& canvas, int top, const std::vector<int>& rules, int left, int height) {
  canvas.Rectangle(left, top, kTableRight, top - height);
  for (const int x : rules) {
    canvas.MoveTo(x, top);
    canvas.LineTo(x, top - height);
  }
}

RowCursor::RowCursor(const PageModel& page, Paging paging, int firstTop, int spacing)
    : page_(page), paging_(paging), next_(firstTop), spacing_(spacing) {}

int RowCursor::Next(int height) {
  int top = next_;
  if (paging_ == Paging::GroupsOf20 && counted_ == kRowsPerGroup) {
    top -= kGroupGap;
    counted_ = 0;
  }
  top = page_.PlaceRow(top, height);
  ++counted_;
  next_ = top - height - spacing_;
  return top;
}

}  // namespace keelmark
