#include "reports/list_printouts.h"

#include <optional>
#include <string>

#include "document/keelmark_document.h"
#include "navigation/calendar.h"
#include "navigation/navigation.h"
#include "navigation/text_format.h"
#include "reports/page_model.h"
#include "reports/table_grid.h"
#include "voyage/closest_approach.h"
#include "voyage/voyage_calculation.h"

namespace keelmark {
namespace {

constexpr const char* kListTimeFormat = "%a %d %b %H:%M LT";
constexpr const char* kIssueTimeFormat = "%d %b %Y  %H:%M UTC";
constexpr const char* kCpaTimeFormat = "%d %b  %H:%M UTC";
constexpr const char* kNoVoyage = "Unable to calculate as no voyage loaded";
constexpr int kBlockTop = -520;    // the first warning or storm block
constexpr int kBlockGap = 20;      // between blocks
constexpr int kBlockHeight = 200;  // record row and CPA row

void PositionLines(Canvas& canvas, int top, const CPosition2& record) {
  canvas.Text(100, top - kFirstLine, record.GetName());
  canvas.Text(100, top - kSecondLine, record.LatitudeText());
  canvas.Text(300, top - kSecondLine, record.LongitudeText());
}

// Where the ship starts for a closest approach: the latest fix, or the departure without one.
PositionFix CpaStart(CKeelmarkRouteXPDoc& doc) {
  const HistoryList& history = doc.GetHistory();
  return history.IsEmpty() ? DeparturePosition(doc.GetRoute()) : *history.GetLast();
}

// The CPA row under a record row (top u): its box from x 600 with a rule at 900, "CPA", and
// either the approach (`at` is the vessel's or the storm's position, `who` says which) or the
// text that no voyage is loaded.
void DrawCpaRow(Canvas& canvas, int u, const std::optional<CPosition2>& at, const char* who,
                double distance, double bearing) {
  DrawRowBox(canvas, u, {900}, 600);
  canvas.Text(650, u - 20, "CPA");
  if (!at) {
    canvas.Text(950, u - 20, kNoVoyage);
    return;
  }
  canvas.Text(650, u - 50, FormatUtc(at->GetLocalRequiredTime(), kCpaTimeFormat));
  canvas.Text(950, u - 20,
              std::string(who) + " at " + at->LatitudeText() + "  " + at->LongitudeText());
  canvas.Text(950, u - 50,
              FormatNumber("Distance at CPA %#8.0f nM", distance) +
                  FormatNumber(" Bearing %#3.0f deg", bearing));
}

}  // namespace

void PrintHistory(Canvas& canvas, const PageModel& page, CKeelmarkRouteXPDoc& doc) {
  const TableColumns columns = StandardColumns({{100, -450, "Positionfix"},
                                                {650, -450, "Ground course"},
                                                {1200, -418, "Speed"},
                                                {950, -460, "Ground"},
                                                {1250, -460, "Log"},
                                                {1450, -460, "RPM"},
                                                {1650, -450, "Draft"}});
  DrawTitleBox(canvas, "History");
  DrawHeadRow(canvas, columns);
  RowCursor rows(page, RowCursor::Paging::GroupsOf20);
  for (const auto& fix : doc.GetHistory()) {
    const int t = rows.Next();
    DrawRowBox(canvas, t, columns.rules);
    canvas.Text(100, t - kFirstLine, fix->LocalTimeText(TimeSlot::Time, kListTimeFormat));
    canvas.Text(100, t - kSecondLine, fix->LatitudeText());
    canvas.Text(300, t - kSecondLine, fix->LongitudeText());
    canvas.Text(650, t - kValueLine, FormatNumber("%#3.1f deg", fix->CourseMadeGood));
    canvas.Text(950, t - kValueLine, FormatNumber(kKnotsFormat, fix->SpeedMadeGood));
    canvas.Text(1250, t - kValueLine, FormatNumber(kKnotsFormat, fix->LogSpeed));
    canvas.Text(1450, t - kValueLine, FormatNumber("%#3.1f rpm", fix->EngineRpm));
    canvas.Text(1650, t - kValueLine, FormatNumber("%#3.2f mtr", fix->DraftAft));
  }
}

void PrintWarnings(Canvas& canvas, const PageModel& page, CKeelmarkRouteXPDoc& doc) {
  const TableColumns columns = StandardColumns({{100, -450, "Nr / date"},
                                                {750, -430, "Position"},
                                                {1200, -418, "Message File"},
                                                {1650, -450, "Valid Till"}});
  DrawTitleBox(canvas, "Navigational Warnings");
  DrawHeadRow(canvas, columns);
  const Voyage& route = doc.GetRoute();
  const PositionFix start = CpaStart(doc);
  RowCursor blocks(page, RowCursor::Paging::RunOn, kBlockTop, kBlockGap);
  for (const auto& warning : doc.GetWarnings()) {
    const int t = blocks.Next(kBlockHeight);
    DrawRowBox(canvas, t, columns.rules);
    canvas.Text(100, t - kFirstLine, warning->GetName());
    canvas.Text(100, t - kSecondLine, warning->LocalTimeText(TimeSlot::Time, kIssueTimeFormat));
    canvas.Text(650, t - kFirstLine, warning->LatitudeText());
    canvas.Text(650, t - kSecondLine, warning->LongitudeText());
    canvas.Text(950, t - kValueLine, warning->Message.FilePath);
    canvas.Text(1650, t - kValueLine, warning->LocalTimeText(TimeSlot::Required, kIssueTimeFormat));
    double distance = 0.0;
    double bearing = 0.0;
    const std::optional<CPosition2> at =
        route.IsEmpty()
            ? std::nullopt
            : WarningCpa(*warning, route, start, kWarningCpaStepHours, distance, bearing);
    DrawCpaRow(canvas, t - kRowHeight, at, "Vessel", distance, bearing);
  }
}

void PrintStorms(Canvas& canvas, const PageModel& page, CKeelmarkRouteXPDoc& doc) {
  const TableColumns columns = StandardColumns({{100, -450, "Name / Position"},
                                                {750, -430, "Movement"},
                                                {650, -460, "Speed"},
                                                {800, -460, "Direction"},
                                                {1200, -418, "Max Windspeed"},
                                                {950, -460, "Speed"},
                                                {1250, -460, "Range"},
                                                {1450, -460, "Pressure"},
                                                {1650, -450, "Date / Time"}});
  DrawTitleBox(canvas, "Active Storms");
  DrawHeadRow(canvas, columns);
  const Voyage& route = doc.GetRoute();
  const PositionFix start = CpaStart(doc);
  RowCursor blocks(page, RowCursor::Paging::RunOn, kBlockTop, kBlockGap);
  for (const auto& storm : doc.GetStorms()) {
    const int t = blocks.Next(kBlockHeight);
    canvas.SetTextColor(kBlack);
    DrawRowBox(canvas, t, columns.rules);
    PositionLines(canvas, t, *storm);
    canvas.Text(650, t - kValueLine, FormatNumber(kKnotsFormat, storm->Speed));
    canvas.Text(800, t - kValueLine, FormatNumber("%#3.1f deg", storm->Course));
    canvas.Text(950, t - kValueLine, Printf("%d kts", storm->MaxWind));
    canvas.Text(1250, t - kValueLine, Printf("%d nM", storm->EyeDiameter));
    canvas.Text(1450, t - kValueLine, Printf("%d mb", storm->CentralPressure));
    canvas.Text(1650, t - kValueLine, storm->LocalTimeText(TimeSlot::Time, kIssueTimeFormat));
    double distance = 0.0;
    double bearing = 0.0;
    const std::optional<CPosition2> at =
        route.IsEmpty() ? std::nullopt : StormCpa(*storm, route, start, distance, bearing);
    // Inside the storm field the ship meets the storm: that row stands out in red.
    canvas.SetTextColor(at && storm->FieldRadius > distance ? kRed : kBlack);
    DrawCpaRow(canvas, t - kRowHeight, at, "Storm", distance, bearing);
  }
  canvas.SetTextColor(kBlack);
}

void PrintReportingPoints(Canvas& canvas, const PageModel& page, CKeelmarkRouteXPDoc& doc) {
  TableColumns columns = StandardColumns({{100, -418, "Reporting Point"},
                                          {100, -460, "LAT"},
                                          {300, -460, "LON"},
                                          {650, -450, "Completed"},
                                          {1200, -450, "Action"},
                                          {1650, -450, "Notes"}},
                                         false);
  DrawTitleBox(canvas, "Reporting Points");
  DrawHeadRow(canvas, columns);
  RowCursor rows(page, RowCursor::Paging::RunOn);
  bool first = true;
  for (const auto& point : doc.GetReportingPoints()) {
    const int t = rows.Next();
    DrawRowBox(canvas, t, columns.rules);
    PositionLines(canvas, t, *point);
    if (point->Completed) {
      const TimeSlot when = first ? TimeSlot::Time : TimeSlot::Required;
      canvas.Text(650, t - kFirstLine, point->LocalTimeText(when, kListTimeFormat));
    }
    canvas.Text(950, t - kFirstLine, point->Action);
    canvas.Text(1650, t - kFirstLine, point->Note);
    first = false;
  }
}

void PrintCharts(Canvas& canvas, const PageModel& page, CKeelmarkRouteXPDoc& doc, bool charts) {
  const TableColumns columns{{900, 1600},
                             {{100, -450, "Nr/Description"},
                              {950, -450, "Date of publication"},
                              {1650, -450, "Latest Correction"}}};
  DrawTitleBox(canvas, charts ? "Required Charts" : "Required Publications");
  DrawHeadRow(canvas, columns);
  RowCursor rows(page, RowCursor::Paging::RunOn);
  for (const auto& chart : doc.GetCharts()) {
    const int t = rows.Next();
    DrawRowBox(canvas, t, columns.rules);
    canvas.Text(100, t - kFirstLine, chart->GetName());
    canvas.Text(100, t - kSecondLine, chart->AltName);
    canvas.Text(950, t - kValueLine, FormatShownTime(chart->Edition, "%a %d %b %Y"));
    canvas.Text(1650, t - kValueLine, chart->Number);
  }
}

void PrintPort(Canvas& canvas, const PageModel& /*page*/, CKeelmarkRouteXPDoc& doc) {
  const PortList& ports = doc.GetPorts();
  if (doc.selectedRow < 0 || doc.selectedRow >= ports.GetCount()) return;
  const Port& port = *ports.GetAt(doc.selectedRow);
  DrawTitleBox(canvas, port.GetName());
  if (!port.BerthImagePath.empty()) canvas.Bitmap(0, -500, doc.ResolvePath(port.BerthImagePath));
  // Each box's label stands on its top edge, on white, as a legend.
  canvas.SetBackground(kWhite, BackgroundMode::Opaque);
  canvas.Rectangle(100, -1200, 700, -1350);
  canvas.Text(120, -1190, "  Position  ");
  canvas.Text(120, -1250, port.LatitudeText());
  canvas.Text(120, -1300, port.LongitudeText());
  canvas.Rectangle(100, -1500, 700, -1700);
  canvas.Text(120, -1490, "  Agent  ");
  canvas.Text(120, -1550, port.AgentName);
  canvas.Text(120, -1600, port.AgentEmail);
  canvas.Text(120, -1650, port.AgentTel);
  canvas.Rectangle(100, -1800, 700, -2050);
  canvas.Text(120, -1790, "  PilotStation  ");
  canvas.Text(120, -1850, port.PilotCall);
  canvas.Text(120, -1900, port.VhfChannel);
  canvas.Text(120, -1950, port.PilotTel);
  // The notice the editor asks for ("Required notice prior arrival:", whole hours).
  canvas.Text(
      120, -2000,
      Printf("Call pilot %s hours prior arrival", std::to_string(port.NoticeHours).c_str()));
  canvas.Rectangle(800, -1200, 1900, -2500);
  canvas.Text(820, -1190, "  Inbound Traject  ");
  int y = -1250;
  for (const auto& waypoint : port.InboundTraject) {
    canvas.Text(820, y, waypoint->GetName());
    canvas.Text(1300, y, waypoint->LatitudeText());
    canvas.Text(1500, y, waypoint->LongitudeText());
    y -= 50;
  }
  canvas.SetBackground(kWhite, BackgroundMode::Transparent);
}

void PrintRouteWeather(Canvas& canvas, const PageModel& page, CKeelmarkRouteXPDoc& doc) {
  const TableColumns columns = StandardColumns({{100, -450, "Waypoint"},
                                                {750, -430, "Weather"},
                                                {650, -460, "Wind"},
                                                {800, -460, "Temp."},
                                                {1200, -418, "Sea"},
                                                {950, -460, "Current"},
                                                {1250, -460, "Waves"},
                                                {1450, -460, "Swell"},
                                                {1650, -450, "No. Observations"}});
  const Voyage& route = doc.GetRoute();
  DrawTitleBox(canvas, route.UseForecastAreas ? "Forecast Weather" : "Average Weather");
  DrawHeadRow(canvas, columns);
  RowCursor rows(page, RowCursor::Paging::RunOn);
  for (const auto& waypoint : route) {
    const WeatherConditions& w = waypoint->Weather;
    const int t = rows.Next();
    const bool heavy = w.WindSpeed > 30.0 || w.WaveHeight > 4.0 || w.SwellHeight > 4.0;
    canvas.SetTextColor(heavy ? kRed : kBlack);
    DrawRowBox(canvas, t, columns.rules);
    PositionLines(canvas, t, *waypoint);
    const int y = t - kValueLine;
    // The wind above the temperature: side by side they would run into each other.
    canvas.Text(
        650, t - kFirstLine,
        CNavigation::CompassPoint(w.WindDirection) + FormatNumber(" %#2.1f kts", w.WindSpeed));
    canvas.Text(800, t - kSecondLine, FormatNumber("%3.0f dg", w.AirTemperature));
    canvas.Text(
        950, y,
        CNavigation::CompassPoint(w.CurrentSet) + FormatNumber(" %#2.1f kts", w.CurrentRate));
    canvas.Text(1250, y, FormatNumber("%#2.1f mtr", w.WaveHeight));
    canvas.Text(
        1450, y,
        CNavigation::CompassPoint(w.SwellDirection) + FormatNumber(" %#2.1f mtr", w.SwellHeight));
    canvas.Text(
        1650, y,
        w.ObservationCount == 0 ? std::string("FORECAST") : Printf("%d ", w.ObservationCount));
  }
  canvas.SetTextColor(kBlack);
}

}  // namespace keelmark
