#include "reports/voyage_printouts.h"

#include "document/keelmark_document.h"
#include "navigation/calendar.h"
#include "navigation/text_format.h"
#include "reports/page_model.h"
#include "reports/table_grid.h"
#include "voyage/voyage_calculation.h"

namespace keelmark {
namespace {

constexpr const char* kCoverTimeFormat = "%d %b %Y %H:%M LT";
constexpr const char* kScheduleTimeFormat = "%a %d %b %H:%M LT";
constexpr const char* kMilesFormat = "%#6.1f nM";
constexpr const char* kLegMilesFormat = "%#8.1f nM";
constexpr const char* kRpmFormat = "%#3.1f rpm";

// Name on the first line, latitude and longitude on the second.
void PositionLines(Canvas& canvas, int top, const CPosition2& record) {
  canvas.Text(100, top - kFirstLine, record.GetName());
  canvas.Text(100, top - kSecondLine, record.LatitudeText());
  canvas.Text(300, top - kSecondLine, record.LongitudeText());
}

}  // namespace

void PrintCoverPage(Canvas& canvas, const PageModel& /*page*/, CKeelmarkRouteXPDoc& doc) {
  const Settings& settings = doc.GetSettings();
  if (settings.printIncludeBigLogo) canvas.Bitmap(0, 0, doc.ResolvePath(settings.companyLogo));
  canvas.SetPen(Pen{PenStyle::Solid, 4, kBlack});
  canvas.SetBrush(Brush{BrushStyle::Solid, kWhite});
  canvas.SetFont(CoverTitleFont());
  canvas.SetTextColor(kWhite);
  canvas.SetBackground(kBlue, BackgroundMode::Opaque);
  canvas.Text(400, -1200, "Voyage Planning");
  canvas.Rectangle(900, -1900, 1900, -2600);
  canvas.SetFont(CoverDetailFont());
  canvas.SetTextColor(kBlack);
  canvas.SetBackground(kWhite, BackgroundMode::Opaque);
  canvas.Text(1000, -1950, doc.GetVessel().name);
  const Voyage& route = doc.GetRoute();
  if (route.GetCount() < 2) return;
  const Waypoint& departure = *route.GetFirst();
  const Waypoint& destination = *route.GetLast();
  canvas.Text(1000, -2100, "Voyage " + route.VoyageNumber);
  canvas.Text(1000, -2180, "From   " + departure.GetName());
  canvas.Text(1000, -2260, "To     " + destination.GetName());
  canvas.Text(1000, -2340, "SSV    " + departure.LocalTimeText(TimeSlot::Time, kCoverTimeFormat));
  canvas.Text(1000, -2420,
              "ESV    " + destination.LocalTimeText(TimeSlot::Required, kCoverTimeFormat));
  canvas.Text(1000, -2500, FormatNumber("Distance  %10.1f nM", TotalDistance(route)));
}

void PrintWaypointList(Canvas& canvas, const PageModel& page, CKeelmarkRouteXPDoc& doc) {
  const TableColumns columns = StandardColumns({{100, -450, "Waypoint"},
                                                {650, -450, "Course"},
                                                {1200, -418, "Distance"},
                                                {950, -460, "To WP"},
                                                {1250, -460, "Made"},
                                                {1450, -460, "Remaining"},
                                                {1650, -450, "Remarks"}});
  DrawTitleBox(canvas, "Waypoint List");
  DrawHeadRow(canvas, columns);
  const Voyage& route = doc.GetRoute();
  const double total = TotalDistance(route);
  double made = 0.0;
  RowCursor rows(page, RowCursor::Paging::GroupsOf20);
  for (const auto& waypoint : route) {
    const int t = rows.Next();
    DrawRowBox(canvas, t, columns.rules);
    PositionLines(canvas, t, *waypoint);
    if (waypoint.get() == route.GetFirst()) continue;
    canvas.Text(
        650, t - kValueLine,
        (waypoint->GreatCircle ? "GC " : "RL ") + FormatNumber("%#3.1f deg", waypoint->LegCourse));
    canvas.Text(950, t - kValueLine, FormatNumber(kMilesFormat, waypoint->LegDistance));
    made += waypoint->LegDistance;
    canvas.Text(1250, t - kValueLine, FormatNumber(kMilesFormat, made));
    canvas.Text(1450, t - kValueLine, FormatNumber("%#8.1f nM", total - made));
  }
}

void PrintVoyageSchedule(Canvas& canvas, const PageModel& page, CKeelmarkRouteXPDoc& doc) {
  const TableColumns columns = StandardColumns({{100, -450, "Waypoint"},
                                                {650, -450, "Distance"},
                                                {1200, -418, "Required"},
                                                {950, -460, "Groundspeed"},
                                                {1250, -460, "RPM"},
                                                {1650, -450, "Remarks"}});
  DrawTitleBox(canvas, "Voyage Schedule");
  DrawHeadRow(canvas, columns);
  const Voyage& route = doc.GetRoute();
  if (route.IsEmpty()) return;
  const bool underWay = doc.GetSettings().underWay == 1;
  const Waypoint* first = route.GetFirst();
  if (underWay) {
    const HistoryList& history = doc.GetHistory();
    const PositionFix latest = history.IsEmpty() ? DeparturePosition(route) : *history.GetLast();
    if (const Waypoint* ahead = NextWaypoint(route, latest)) first = ahead;
  }
  auto values = [&canvas](int y, const Waypoint& waypoint) {
    canvas.Text(650, y, FormatNumber(kLegMilesFormat, waypoint.LegDistance));
    canvas.Text(950, y, FormatNumber(kKnotsFormat, waypoint.GroundSpeed));
    canvas.Text(1250, y, FormatNumber(kRpmFormat, waypoint.Rpm));
  };
  RowCursor rows(page, RowCursor::Paging::RunOn);
  int t = rows.Next();
  DrawRowBox(canvas, t, columns.rules);
  canvas.Text(100, t - kFirstLine, first->GetName());
  // The departure's time is its own; a waypoint ahead holds its arrival in RequiredTime only.
  const TimeSlot firstTime = first == route.GetFirst() ? TimeSlot::Time : TimeSlot::Required;
  canvas.Text(100, t - kSecondLine, first->LocalTimeText(firstTime, kScheduleTimeFormat));
  if (underWay) values(t - kValueLine, *first);
  const int firstIndex = route.IndexOf(first);
  int index = 0;
  for (const auto& waypoint : route) {
    if (index++ <= firstIndex) continue;
    t = rows.Next();
    DrawRowBox(canvas, t, columns.rules);
    canvas.Text(100, t - kFirstLine, waypoint->GetName());
    canvas.Text(100, t - kSecondLine,
                waypoint->LocalTimeText(TimeSlot::Required, kScheduleTimeFormat));
    values(t - kValueLine, *waypoint);
  }
}

}  // namespace keelmark
