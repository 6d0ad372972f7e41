#include "reports/category_table.h"

#include <cmath>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "document/category_records.h"
#include "document/keelmark_document.h"
#include "navigation/calendar.h"
#include "navigation/navigation.h"
#include "navigation/text_format.h"
#include "voyage/voyage_calculation.h"

namespace keelmark {
namespace {

constexpr Alignment L = Alignment::Left;
constexpr Alignment R = Alignment::Right;

// The column sets, by category index.
const std::array<ColumnSet, kCategoryCount> kColumnSets = {{
    // Waypoints
    {{{"Waypoint", L},
      {"Latitude", L},
      {"Longitude", L},
      {"Local Time", L},
      {"Bearing", R},
      {"Distance", R},
      {"Wind", L},
      {"Current", L}}},
    // History
    {{{"Date and Time", L},
      {"Latitude", L},
      {"Longitude", L},
      {"Local Time", L},
      {"GroundCourse", R},
      {"GroundSpeed", R},
      {"Engine rpm", R},
      {"Current", L}}},
    // Schedule
    {{{"Waypoint", L},
      {"ETA", L},
      {"Local Time", L},
      {"Required", R, 80},
      {"Grnd Speed", R, 80},
      {"Remaining", R, 140},
      {"Wind", L},
      {"Current", L}}},
    // Warnings: the last three columns are not used and hidden.
    {{{"ID", L},
      {"Latitude", L},
      {"Longitude", L},
      {"Valid Till", L, 200},
      {"Description", L, 250},
      {"", L, 0},
      {"", L, 0},
      {"", L, 0}}},
    // Reporting
    {{{"Name", L},
      {"Latitude", L},
      {"Longitude", L},
      {"Action", L},
      {"Last completed", R},
      {"", R},
      {"", L},
      {"", L}}},
    // Publications
    {{{"Publication", L},
      {"Edition", L},
      {"Last Correction", L},
      {"Publisher", L},
      {"", R},
      {"", R},
      {"", R},
      {"", L}}},
    // Ports
    {{{"Port of", L},
      {"Latitude", L},
      {"Longitude", L},
      {"Local Time", L},
      {"Distance inbound", R},
      {"Berth", R},
      {"Agent Name", R},
      {"Agent Email", L}}},
    // Charts
    {{{"Chart", L},
      {"Publication", L},
      {"Last Correction", L},
      {"Scale", L},
      {"At Latitude", R},
      {"Projection", R},
      {"Folio", R},
      {"Publisher", L}}},
    // Forecast
    {{{"Area", L},
      {"UTC", L},
      {"Wind", L},
      {"Wave ht", L},
      {"Swell", L},
      {"Visibility", L},
      {"Weather", L},
      {"Current", L}}},
    // Storms
    {{{"Name", L},
      {"UTC", L},
      {"Latitude", L},
      {"Longitude", L},
      {"Course", L},
      {"Speed", L},
      {"Bearing", L},
      {"Distance", L}}},
}};

// Time formats of the cells. "LT" times are local readings (day number plus zone offset); the
// Warnings and Storms lists add the zone offset too, whatever their captions say. A time never
// set shows as an empty cell (CPosition2::LocalTimeText, FormatShownTime).
constexpr const char* kValidTill = "%A %d %b %H:%M UTC";
constexpr const char* kEditionDate = "%d %b %Y";
constexpr const char* kDayHourMinute = "%d %H %M UTC";

constexpr const char* kNoLeg = "-";
constexpr const char* kUnknownInbound = "?";

Row NamedRow(const CPosition2& record, int image) {
  Row row;
  row.image = image;
  row.cells[0] = record.GetName();
  return row;
}

// Name, latitude and longitude, the first three cells of most lists.
Row PositionRow(const CPosition2& record, int image) {
  Row row = NamedRow(record, image);
  row.cells[1] = record.LatitudeText();
  row.cells[2] = record.LongitudeText();
  return row;
}

std::string LocalZoneText(const CPosition2& record) { return ZoneText(record.GetZoneHours()); }

// What the rows of a list share: the document as it stands (brought up to date beforehand by
// CKeelmarkRouteXPDoc::UpdateForList) and the category shown.
struct ListState {
  ListState(const CKeelmarkRouteXPDoc& document, Category shown)
      : doc(document),
        category(shown),
        present(document.PresentPosition()),
        underWay(document.GetSettings().underWay == 1) {
    if (category != Category::Schedule) return;
    const Voyage& route = document.GetRoute();
    const std::vector<double> toGo = DistancesToArrival(route);
    distanceToGo.reserve(toGo.size());
    auto figure = toGo.begin();
    for (const auto& waypoint : route) distanceToGo.emplace(waypoint.get(), *figure++);
  }

  const CKeelmarkRouteXPDoc& doc;
  Category category;
  const PositionFix& present;
  bool underWay;
  // The Schedule list's "Remaining" of each waypoint, all found in one pass over the route.
  std::unordered_map<const Waypoint*, double> distanceToGo;
};

// Passed: the voyage is under way and the present position's time is past the waypoint's
// arrival at constant rpm.
bool IsPassed(const ListState& state, const Waypoint& waypoint) {
  return state.underWay && state.present.GetTime() > waypoint.GetRequiredTime();
}

Row WaypointRow(const Waypoint& waypoint, const ListState& state) {
  Row row = PositionRow(waypoint, IsPassed(state, waypoint) ? kImagePassed : kImageWaypoint);
  row.cells[3] = LocalZoneText(waypoint);
  if (&waypoint == state.doc.GetRoute().GetFirst()) {
    row.cells[4] = kNoLeg;
    row.cells[5] = kNoLeg;
  } else {
    row.cells[4] = FormatNumber("%#3.0f deg", waypoint.LegCourse) +
                   (waypoint.GreatCircle ? " (GRC)" : " (RL)");
    row.cells[5] = FormatNumber("%#10.1f nM", waypoint.LegDistance);
  }
  row.cells[6] = waypoint.Weather.WindText();
  row.cells[7] = waypoint.Weather.CurrentText();
  return row;
}

Row ScheduleRow(const Waypoint& waypoint, const ListState& state) {
  if (IsPassed(state, waypoint)) {
    Row row = NamedRow(waypoint, kImagePassed);
    row.cells[1] = kNotAvailable;
    return row;
  }
  Row row = NamedRow(waypoint, kImageWaypoint);
  row.cells[1] = waypoint.LocalTimeText(TimeSlot::Required, kLocalDateTimeFormat);
  row.cells[2] = LocalZoneText(waypoint);
  row.cells[3] = FormatNumber("%#3.0f rpm", waypoint.Rpm);
  row.cells[4] = FormatNumber(kKnotsFormat, waypoint.GroundSpeed);
  row.cells[5] = FormatNumber("%#10.1f nM", state.distanceToGo.at(&waypoint));
  row.cells[6] = waypoint.Weather.WindText();
  row.cells[7] = waypoint.Weather.CurrentText();
  return row;
}

// The rows of each class of record; the category decides between the two lists of the route.
Row RowOf(const Waypoint& waypoint, const ListState& state) {
  return state.category == Category::Schedule ? ScheduleRow(waypoint, state)
                                              : WaypointRow(waypoint, state);
}

Row RowOf(const PositionFix& fix, const ListState& state) {
  const HistoryList& history = state.doc.GetHistory();
  const Voyage& route = state.doc.GetRoute();
  // Fixes after the departure stand out; without a route every fix is an old one.
  double reference = 0.0;
  if (route.GetCount() >= 2) {
    reference = route.GetFirst()->GetTime();
  } else if (const PositionFix* last = history.GetLast()) {
    reference = last->GetTime();
  }
  Row row = PositionRow(fix, fix.GetTime() > reference ? kImageNewFix : kImageFix);
  row.cells[0] = fix.LocalTimeText(TimeSlot::Time, kLocalDateTimeFormat);
  row.cells[3] = LocalZoneText(fix);
  row.cells[4] = FormatNumber("%#3.1f deg", fix.CourseMadeGood);
  row.cells[5] = FormatNumber(kKnotsFormat, fix.SpeedMadeGood);
  row.cells[6] = FormatNumber("%#3.1f rpm", fix.EngineRpm);
  row.cells[7] = fix.Weather.CurrentText();
  return row;
}

Row RowOf(const NavWarning& warning, const ListState& /*state*/) {
  Row row = PositionRow(warning, kImageWarning);
  row.cells[3] = warning.LocalTimeText(TimeSlot::Required, kValidTill);
  row.cells[4] = warning.Message.Description;
  return row;
}

Row RowOf(const ReportingPoint& point, const ListState& /*state*/) {
  Row row = PositionRow(point, point.Completed ? kImagePassed : kImageWaypoint);
  row.cells[3] = point.Action;
  row.cells[4] = point.LocalTimeText(TimeSlot::Time, kLocalDateTimeFormat);
  return row;
}

Row RowOf(const Chart& chart, const ListState& /*state*/) {
  Row row = NamedRow(chart, kImageChart);
  row.cells[1] = FormatShownTime(chart.Edition, kEditionDate);
  row.cells[2] = chart.Number;
  if (chart.Kind() == ChartKind::Publication) {
    row.cells[3] = chart.Publisher;
    return row;
  }
  row.cells[3] = FormatNumber("%f", chart.Scale);
  row.cells[4] = FormatNumber("%#2.2f deg", chart.ScaleLatitude);
  row.cells[5] = chart.Projection == 0 ? "Mercator" : "Gnomonic";
  row.cells[6] = chart.LayoutTag;
  row.cells[7] = chart.Publisher;
  return row;
}

Row RowOf(const Port& port, const ListState& /*state*/) {
  Row row = PositionRow(port, kImagePort);
  row.cells[3] = LocalZoneText(port);
  row.cells[4] = port.InboundTraject.GetCount() > 1
                     ? FormatNumber("%#3.1f nM", TotalDistance(port.InboundTraject))
                     : kUnknownInbound;
  row.cells[5] = port.BerthName;
  row.cells[6] = port.AgentName;
  row.cells[7] = port.AgentEmail;
  return row;
}

Row RowOf(const ForecastArea& area, const ListState& /*state*/) {
  Row row;
  row.image = kImageForecast;
  const WeatherConditions& weather = area.Weather;
  row.cells = {area.GetName(),      FormatShownTime(area.ForecastTime, kDayHourMinute),
               weather.WindText(),  weather.WaveText(),
               weather.SwellText(), weather.VisibilityText(),
               weather.WeatherText, weather.CurrentText()};
  return row;
}

Row RowOf(const Storm& storm, const ListState& state) {
  const CNavigation navigation;
  Row row = NamedRow(storm, kImageStorm);
  row.cells[1] = storm.LocalTimeText(TimeSlot::Time, kDayHourMinute);
  row.cells[2] = storm.LatitudeText();
  row.cells[3] = storm.LongitudeText();
  row.cells[4] = FormatNumber("%3.0f deg", storm.Course);
  row.cells[5] = FormatNumber("%3.0f kts", storm.Speed);
  row.cells[6] = FormatNumber("%3.0f deg", navigation.Course(state.present, storm, true));
  row.cells[7] = FormatNumber("%8.0f nM", navigation.Distance(state.present, storm, true));
  return row;
}

}  // namespace

const ColumnSet& CategoryColumns(Category category) {
  return kColumnSets[static_cast<std::size_t>(category)];
}

Table FillCategory(const CKeelmarkRouteXPDoc& doc, Category category) {
  Table table;
  table.columns = CategoryColumns(category);
  const ListState state(doc, category);
  VisitCategoryRecords(doc, category, [&](const auto& records) {
    records.ForEach([&](const auto& record) { table.rows.push_back(RowOf(record, state)); });
  });
  return table;
}

std::string ZoneText(double hours) {
  if (!std::isfinite(hours)) return kNotAvailable;
  if (hours > 0.0) return Printf("UTC + %2.1f hrs", hours);
  if (hours < 0.0) return Printf("UTC %2.1f hrs", hours);
  return "UTC";
}

}  // namespace keelmark
