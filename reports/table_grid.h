// The table grid of the list printouts: the fonts, the title box, the head row with its column
// rules and heads, and the rows of 100 units (10 mm) below it, the table spanning x = 50 to
// 1950 (5 to 195 mm). Coordinates are page units (0.1 mm), y upwards from the page's top.
#pragma once

#include <string>
#include <vector>

#include "reports/canvas.h"

namespace keelmark {

class PageModel;

// The printouts' fonts, all "Times New Roman".
[[nodiscard]] Font TableFont();        // table text, 32
[[nodiscard]] Font TitleFont();        // list titles, 122 bold
[[nodiscard]] Font HeaderFont();       // page header, 80
[[nodiscard]] Font FooterFont();       // page footer, 36
[[nodiscard]] Font CoverTitleFont();   // cover page title, 254
[[nodiscard]] Font CoverDetailFont();  // cover page details, 70

// The grid's pen: solid, width 2, black.
inline constexpr Pen kGridPen{PenStyle::Solid, 2, kBlack};

inline constexpr int kTableLeft = 50;
inline constexpr int kTableRight = 1950;
inline constexpr int kRowHeight = 100;
inline constexpr int kHeadTop = -400;
inline constexpr int kFirstRowTop = -500;
// Where a row's first and second lines and its single values sit below its top.
inline constexpr int kFirstLine = 30;
inline constexpr int kSecondLine = 60;
inline constexpr int kValueLine = 50;

struct HeadText {
  int x = 0;
  int y = 0;
  std::string text;
};

// A table's columns: the x of its rules, its head texts, and the rule under a two-level head
// (y -450, from x subRuleLeft to subRuleRight; none when both are 0).
struct TableColumns {
  std::vector<int> rules;
  std::vector<HeadText> heads;
  int subRuleLeft = 0;
  int subRuleRight = 0;
};

// The common column rules: x = 600, 900 and 1600, with the sub-rule from 900 to 1600.
[[nodiscard]] TableColumns StandardColumns(std::vector<HeadText> heads, bool subRule = true);

// The title box (50, -200) to (1950, -400) with the title at (titleX, -250) in the title
// font; the grid pen is left in force and the table font selected.
void DrawTitleBox(Canvas& canvas, const std::string& title, int titleX = 700);
// The head row from -400 to -500 with its rules, sub-rule and heads.
void DrawHeadRow(Canvas& canvas, const TableColumns& columns);
// A row box from `top` down by `height`, from `left` to the table's right edge, with the
// column rules drawn from its top to its bottom.
void DrawRowBox(Canvas& canvas, int top, const std::vector<int>& rules, int left = kTableLeft,
                int height = kRowHeight);

// Where the rows go down the sheet: one after another from the first top, `spacing` units
// apart; in groups of 20 with a 700-unit (70 mm) gap after every 20th row when the printout
// pages that way; and never across a page's edge (PageModel::PlaceRow).
class RowCursor {
 public:
  enum class Paging { RunOn, GroupsOf20 };
  RowCursor(const PageModel& page, Paging paging, int firstTop = kFirstRowTop, int spacing = 0);
  // The top of the next row or block of this height; the cursor moves past it.
  [[nodiscard]] int Next(int height = kRowHeight);

 private:
  const PageModel& page_;
  Paging paging_;
  int next_;
  int spacing_;
  int counted_ = 0;
};

inline constexpr int kRowsPerGroup = 20;
inline constexpr int kGroupGap = 700;

}  // namespace keelmark
