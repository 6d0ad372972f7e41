#include "reports/performance_printout.h"

#include <cmath>
#include <string>

#include "document/keelmark_document.h"
#include "navigation/calendar.h"
#include "navigation/text_format.h"
#include "reports/page_model.h"
#include "reports/table_grid.h"
#include "voyage/position_fixes.h"
#include "voyage/voyage_calculation.h"

namespace keelmark {
namespace {

struct Label {
  int x;
  int y;
  const char* text;
};

constexpr Label kLabels[] = {
    {70, -550, "From:"},
    {70, -650, "Till:"},
    {1020, -550, "Voyage:"},
    {1020, -650, "ETA:"},
    {70, -2250, "Average Weather"},
    {70, -750, "Distance made"},
    {70, -800, "Hours travelled"},
    {70, -850, "Average speed"},
    {70, -900, "Average rpm"},
    {1020, -750, "Remaining"},
    {1020, -800, "Remaining"},
    {1020, -850, "Required speed"},
    {70, -2350, "Wind"},
    {70, -2400, "Wave height"},
    {70, -2450, "Air pressure"},
    {70, -2500, "Air temp"},
    {1020, -2350, "Current"},
    {1020, -2400, "Swell"},
    {1020, -2450, "Sea temp"},
};

constexpr int kBoxes[][4] = {{50, -500, 1000, -700},
                             {1000, -500, 1950, -700},
                             {50, -700, 1950, -1100},
                             {50, -2200, 1000, -2300},
                             {50, -2300, 1950, -2600}};

// A graph coordinate truncated to page units; false when it is no number or far off the sheet.
bool GraphCoordinate(double value, int& out) {
  const std::optional<int> coordinate = PageCoordinate(value);
  if (coordinate) out = *coordinate;
  return coordinate.has_value();
}

void DrawSpeedGraph(Canvas& canvas, const HistoryList& history, const PerformancePeriod& period) {
  canvas.MoveTo(kGraphLeft, kGraphTop);
  canvas.LineTo(kGraphLeft, kGraphAxisY);
  canvas.LineTo(kGraphRight, kGraphAxisY);
  canvas.Text(55, kGraphTop, "speed");
  canvas.Text(1900, kGraphAxisY - 50, "time");
  const double k = kGraphRight / period.hours;  // units per hour
  const int first = history.IndexOf(period.from);
  const int last = history.IndexOf(period.till);
  bool started = false;
  int index = 0;
  for (const auto& fix : history) {
    if (index < first || index > last) {
      ++index;
      continue;
    }
    ++index;
    int x = 0;
    int y = 0;
    if (!GraphCoordinate((fix->GetTime() - period.from->GetTime()) * 24.0 * k + kGraphLeft, x) ||
        !GraphCoordinate(fix->SpeedMadeGood * kGraphUnitsPerKnot + kGraphAxisY, y)) {
      continue;
    }
    if (started) {
      canvas.LineTo(x, y);
    } else {
      canvas.MoveTo(x, y);
      started = true;
    }
  }
}

void DrawRequiredSpeed(Canvas& canvas, const Voyage& route) {
  if (route.GetCount() < 2) return;
  const double s = TotalDistance(route) /
                   ((route.GetLast()->GetScheduledTime() - route.GetFirst()->GetTime()) * 24.0);
  int y = 0;
  if (!(s > kLowestRequiredSpeed) || !GraphCoordinate(s * kGraphUnitsPerKnot + kGraphAxisY, y)) {
    return;
  }
  canvas.SetPen(Pen{PenStyle::Dash, 2, kRed});
  canvas.MoveTo(kGraphLeft, y);
  canvas.LineTo(kGraphRight, y);
  canvas.SetTextColor(kRed);
  canvas.Text(kRequiredSpeedLabelX, y - 50, FormatNumber("Required Average Speed %#3.1f kts", s));
  canvas.SetTextColor(kBlack);
}

}  // namespace

void PrintPerformance(Canvas& canvas, const PageModel& /*page*/, CKeelmarkRouteXPDoc& doc) {
  DrawTitleBox(canvas, "Performance Report", 600);
  for (const auto& box : kBoxes) canvas.Rectangle(box[0], box[1], box[2], box[3]);
  for (const Label& label : kLabels) canvas.Text(label.x, label.y, label.text);

  const HistoryList& history = doc.GetHistory();
  const Voyage& route = doc.GetRoute();
  const PerformancePeriod period =
      MeasurePerformance(history, route, doc.performanceFrom, doc.performanceTill);
  auto fixTime = [](const PositionFix* fix) {
    return fix ? fix->LocalTimeText(TimeSlot::Time, kLocalDateTimeFormat) : kNotAvailable;
  };
  canvas.Text(700, -550, fixTime(period.from));
  canvas.Text(700, -650, fixTime(period.till));
  canvas.Text(700, -750, FormatNumber("%#8.1f nM", period.distanceMade));
  canvas.Text(700, -800, FormatNumber("%#8.1f hrs", period.hours));
  canvas.Text(700, -850, FormatNumber("%#8.1f kts", period.distanceMade / period.hours));
  canvas.Text(700, -900, FormatNumber("%#8.1f rpm", period.averageRpm));

  if (route.GetCount() > 1) {
    const PositionFix latest = history.IsEmpty() ? DeparturePosition(route) : *history.GetLast();
    const double r = RemainingDistance(route, latest);
    const double q = HoursRemaining(route, latest);
    canvas.Text(1500, -550, route.VoyageNumber);
    canvas.Text(1500, -650, FormatUtc(ArrivalTime(route), kLocalDateTimeFormat));
    canvas.Text(1500, -750, FormatNumber("%#8.1f nM", r));
    canvas.Text(1500, -800, FormatNumber("%#8.1f hrs", q));
    canvas.Text(1500, -850, FormatNumber("%#8.1f kts", r / q));
  } else {
    for (const int y : {-550, -650, -750, -800, -850}) canvas.Text(1500, y, kNotAvailable);
  }

  if (period.from && period.hours > 0.0) DrawSpeedGraph(canvas, history, period);
  DrawRequiredSpeed(canvas, route);
}

}  // namespace keelmark
