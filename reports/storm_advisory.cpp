#include "reports/storm_advisory.h"

#include <cmath>
#include <optional>

#include "document/keelmark_document.h"
#include "navigation/navigation.h"
#include "navigation/text_format.h"
#include "records/storm.h"
#include "records/voyage.h"
#include "reports/canvas.h"
#include "reports/page_model.h"
#include "reports/table_grid.h"
#include "voyage/closest_approach.h"

namespace keelmark {
namespace {

constexpr Pen kAxisPen{PenStyle::Solid, 1, kBlack};
constexpr Brush kStormBrush{BrushStyle::HatchDiagonalDown, kRed};
constexpr Brush kPlainBrush{BrushStyle::Solid, kWhite};
constexpr int kMark = 10;  // route point circle radius and name offset, 1 mm

constexpr const char* kLocalTimeFormat = "%a %d %b %H:%M LT";
// The storm's local time, labelled UTC as the form has always printed it.
constexpr const char* kStormTimeFormat = "%a %d %b %H:%M UTC";

Font BannerFont() { return Font{"Times New Roman", 64, 700}; }
Font HeadingFont() { return Font{"Times New Roman", 42, 700}; }

struct Column {
  int left;
  int right;
  const char* head;
};
constexpr Column kColumns[] = {{100, 500, "Waypoint"},
                               {500, 800, "ETA"},
                               {800, 1300, "Storm at"},
                               {1300, 1600, "Distance"},
                               {1600, 1900, "Bearing"}};
constexpr int kTableHeadTop = -1600;
constexpr int kTableHeadBottom = -1700;
constexpr int kTableRowHeight = 50;
constexpr int kTextBelowRowTop = 10;
constexpr int kTextRightOfColumn = 20;

// One route point on the plot and in the table: the storm expected where it will be at the
// point's time, and the point placed relative to it.
class RoutePoints {
 public:
  RoutePoints(Canvas& canvas, const Storm& storm, double unitsPerNm)
      : canvas_(canvas), storm_(storm), k_(unitsPerNm) {}

  void Add(const CPosition2& point, double dayNumber, TimeSlot shownTime) {
    const CPosition2 storm = StormPositionAt(storm_, dayNumber);
    const double bearing = navigation_.Course(point, storm, true);
    const double distance = navigation_.Distance(point, storm, true);
    const double away = (bearing + 180.0) / 57.3;
    const std::optional<int> x = PageCoordinate(kStormX + std::sin(away) * distance * k_);
    const std::optional<int> y = PageCoordinate(kStormY + std::cos(away) * distance * k_);
    canvas_.SetPen(kAxisPen);
    if (x && y) {
      if (previous_) canvas_.LineTo(*x, *y);
      canvas_.Ellipse(*x - kMark, *y + kMark, *x + kMark, *y - kMark);
      canvas_.Text(*x + kMark, *y - kMark, point.GetName());
      canvas_.MoveTo(*x, *y);
    }
    previous_ = x && y;

    const int rowTop = kTableHeadBottom - rows_ * kTableRowHeight;
    const int text = rowTop - kTextBelowRowTop;
    canvas_.Rectangle(kColumns[0].left, rowTop, kColumns[4].right, rowTop - kTableRowHeight);
    canvas_.Text(kColumns[0].left + kTextRightOfColumn, text, point.GetName());
    canvas_.Text(kColumns[1].left + kTextRightOfColumn, text,
                 point.LocalTimeText(shownTime, kLocalTimeFormat));
    canvas_.Text(kColumns[2].left + kTextRightOfColumn, text,
                 storm.LatitudeText() + "   " + storm.LongitudeText());
    canvas_.Text(kColumns[3].left + kTextRightOfColumn, text, FormatNumber("%5.0f nM", distance));
    canvas_.Text(kColumns[4].left + kTextRightOfColumn, text, FormatNumber("%3.0f deg", bearing));
    ++rows_;
  }

 private:
  Canvas& canvas_;
  const Storm& storm_;
  double k_;
  CNavigation navigation_;
  bool previous_ = false;
  int rows_ = 0;
};

}  // namespace

PositionFix StormAdvisoryStart(const CKeelmarkRouteXPDoc& doc) {
  const HistoryList& history = doc.GetHistory();
  if (doc.GetSettings().underWay == 1 && !history.IsEmpty()) return *history.GetLast();
  return DepartureCpaStart(doc.GetRoute());
}

double StormAdvisoryScale(const Storm& storm, const PositionFix& start) {
  const double d0 = CNavigation().Distance(start, storm, true);
  return kStartRadius / (d0 == 0.0 ? kScaleAtTheStormNm : d0);
}

void DrawStormAdvisory(Canvas& canvas, const Storm& storm, const Voyage& route,
                       const PositionFix& start) {
  if (route.GetCount() < 2) return;
  canvas.SetPen(kAxisPen);
  canvas.SetBrush(kPlainBrush);
  canvas.SetTextColor(kBlack);
  canvas.MoveTo(kStormX, 0);
  canvas.LineTo(kStormX, -1500);
  canvas.MoveTo(0, kStormY);
  canvas.LineTo(1820, kStormY);

  canvas.SetFont(TableFont());
  for (const Column& column : kColumns) {
    canvas.Rectangle(column.left, kTableHeadTop, column.right, kTableHeadBottom);
    canvas.Text(column.left + kTextRightOfColumn, kTableHeadTop - 20, column.head);
  }

  canvas.Rectangle(100, -200, 700, -400);
  canvas.SetFont(BannerFont());
  canvas.Text(120, -210, "STORM ADVISORY");
  canvas.SetFont(TableFont());
  canvas.Text(120, -300, storm.GetName());
  canvas.Text(120, -330, storm.LocalTimeText(TimeSlot::Time, kLocalTimeFormat));

  canvas.SetFont(HeadingFont());
  canvas.Text(1500, -200, "Ships track relative to Storm");
  canvas.SetTextColor(kRed);
  canvas.Text(1500, -300, "Position at " + storm.LocalTimeText(TimeSlot::Time, kStormTimeFormat));
  canvas.Text(1500, -350, storm.LatitudeText());
  canvas.Text(1500, -400, storm.LongitudeText());
  canvas.Text(1500, -450, FormatNumber("Speed %3.0f kts", storm.Speed));
  canvas.Text(1500, -500, FormatNumber("Course %3.0f deg", storm.Course));
  canvas.SetTextColor(kBlack);

  const double k = StormAdvisoryScale(storm, start);
  canvas.Text(1500, -1500, FormatNumber("Scale 1 cm = %#4.4f nM", 100.0 / k));

  const double r = storm.EyeDiameter * k;
  const auto left = PageCoordinate(kStormX - r);
  const auto top = PageCoordinate(kStormY + r);
  const auto right = PageCoordinate(kStormX + r);
  const auto bottom = PageCoordinate(kStormY - r);
  if (left && top && right && bottom) {
    canvas.SetBrush(kStormBrush);
    canvas.Ellipse(*left, *top, *right, *bottom);
    canvas.SetBrush(kPlainBrush);
  }

  canvas.SetFont(TableFont());
  RoutePoints points(canvas, storm, k);
  points.Add(start, start.GetTime(), TimeSlot::Time);
  const Waypoint* ahead = WaypointAhead(route, start);
  bool reached = false;
  for (const auto& waypoint : route) {
    reached = reached || waypoint.get() == ahead;
    if (reached) points.Add(*waypoint, waypoint->GetRequiredTime(), TimeSlot::Required);
  }
}

std::string StormAdvisoryRefusal(const CKeelmarkRouteXPDoc& doc) {
  if (doc.GetRoute().GetCount() < 2 || doc.GetStorms().IsEmpty()) return kNoStormAdvisoryMessage;
  return {};
}

void PrintStormAdvisory(Canvas& canvas, const PageModel&, CKeelmarkRouteXPDoc& doc) {
  if (!StormAdvisoryRefusal(doc).empty()) return;
  const Storm& storm = *doc.GetStorms().GetAt(doc.selectedRow);
  DrawStormAdvisory(canvas, storm, doc.GetRoute(), StormAdvisoryStart(doc));
}

}  // namespace keelmark
