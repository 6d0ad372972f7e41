#include "reports/category_table.h"

#include <cmath>
#include <cstdint>

#include "navigation/calendar.h"
#include "navigation/navigation.h"
#include "voyage/voyage_calculation.h"
#include "document/keelmark_document.h"
#include "navigation/text_format.h"

namespace keelmark {
namespace {

constexpr Alignment L = Alignment::Left;
constexpr Alignment R = Alignment::Right;

// The column sets, by category index.
const std::array<ColumnSet, kCategoryCount> kColumnSets = {{
    // Waypoints
    {{{"Waypoint", L}, {"Latitude", L}, {"Longitude", L}, {"Local Time", L}, {"Bearing", R},
      {"Distance", R}, {"Wind", L}, {"Current", L}}},
    // History
    {{{"Date and Time", L}, {"Latitude", L}, {"Longitude", L}, {"Local Time", L},
      {"GroundCourse", R}, {"GroundSpeed", R}, {"Engine rpm", R}, {"Current", L}}},
    // Schedule
    {{{"Waypoint", L}, {"ETA", L}, {"Local Time", L}, {"Required", R, 80}, {"Grnd Speed", R, 80},
      {"Remaining", R, 140}, {"Wind", L}, {"Current", L}}},
    // Warnings: the last three columns are not used and hidden.
    {{{"ID", L}, {"Latitude", L}, {"Longitude", L}, {"Valid Till", L, 200},
      {"Description", L, 250}, {"", L, 0}, {"", L, 0}, {"", L, 0}}},
    // Reporting
    {{{"Name", L}, {"Latitude", L}, {"Longitude", L}, {"Action", L}, {"Last completed", R},
      {"", R}, {"", L}, {"", L}}},
    // Publications
    {{{"Publication", L}, {"Edition", L}, {"Last Correction", L}, {"Publisher", L}, {"", R},
      {"", R}, {"", R}, {"", L}}},
    // Ports
    {{{"Port of", L}, {"Latitude", L}, {"Longitude", L}, {"Local Time", L},
      {"Distance inbound", R}, {"Berth", R}, {"Agent Name", R}, {"Agent Email", L}}},
    // Charts
    {{{"Chart", L}, {"Publication", L}, {"Last Correction", L}, {"Scale", L},
      {"At Latitude", R}, {"Projection", R}, {"Folio", R}, {"Publisher", L}}},
    // Forecast
    {{{"Area", L}, {"UTC", L}, {"Wind", L}, {"Wave ht", L}, {"Swell", L}, {"Visibility", L},
      {"Weather", L}, {"Current", L}}},
    // Storms
    {{{"Name", L}, {"UTC", L}, {"Latitude", L}, {"Longitude", L}, {"Course", L}, {"Speed", L},
      {"Bearing", L}, {"Distance", L}}},
}};

// Time formats of the cells. "LT" times are local readings (day number plus zone offset); the
// Warnings and Storms lists add the zone offset too, whatever their captions say.
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

// Brings the voyage up to date the way the Waypoints and Schedule lists do: the under-way flag
// is set when the departure is not later than the present position's time, and the voyage is
// recomputed from the departure or the present position. Both are compared as UTC instants:
// their local readings differ by the zones, which would shift the moment of departure.
// An empty route leaves the flag as it was. The result is whether the voyage is under way.
bool BringVoyageUpToDate(CKeelmarkRouteXPDoc& doc) {
  const PositionFix& present = doc.GetPresentPosition();
  std::int32_t& underWay = doc.GetSettings().statusListSelected;
  if (const Waypoint* departure = doc.GetRoute().GetFirst()) {
    underWay = departure->GetTime() > present.GetTime() ? 0 : 1;
    doc.RecalculateVoyage(underWay == 0);
  }
  return underWay == 1;
}

// Passed: the voyage is under way and the present position's time is past the waypoint's
// arrival at constant rpm.
bool IsPassed(bool underWay, const CPosition2& present, const Waypoint& waypoint) {
  return underWay && present.GetTime() > waypoint.GetRequiredTime();
}

void FillWaypoints(CKeelmarkRouteXPDoc& doc, Table& table) {
  const bool underWay = BringVoyageUpToDate(doc);
  const PositionFix& present = doc.PresentPosition();
  const Voyage& route = doc.GetRoute();
  for (const auto& waypoint : route) {
    Row row = PositionRow(*waypoint, IsPassed(underWay, present, *waypoint) ? kImagePassed
                                                                            : kImageWaypoint);
    row.cells[3] = LocalZoneText(*waypoint);
    if (waypoint.get() == route.GetFirst()) {
      row.cells[4] = kNoLeg;
      row.cells[5] = kNoLeg;
    } else {
      row.cells[4] = FormatNumber("%#3.0f deg", waypoint->LegCourse) +
                     (waypoint->GreatCircle ? " (GRC)" : " (RL)");
      row.cells[5] = FormatNumber("%#10.1f nM", waypoint->LegDistance);
    }
    row.cells[6] = waypoint->Weather.WindText();
    row.cells[7] = waypoint->Weather.CurrentText();
    table.rows.push_back(std::move(row));
  }
}

void FillHistory(CKeelmarkRouteXPDoc& doc, Table& table) {
  const HistoryList& history = doc.GetHistory();
  const Voyage& route = doc.GetRoute();
  // Fixes after the departure stand out; without a route every fix is an old one.
  double reference = 0.0;
  if (route.GetCount() >= 2) {
    reference = route.GetFirst()->GetTime();
  } else if (const PositionFix* last = history.GetLast()) {
    reference = last->GetTime();
  }
  for (const auto& fix : history) {
    Row row = PositionRow(*fix, fix->GetTime() > reference ? kImageNewFix : kImageFix);
    row.cells[0] = FormatUtc(fix->GetLocalTime(), kLocalDateTimeFormat);
    row.cells[3] = LocalZoneText(*fix);
    row.cells[4] = FormatNumber("%#3.1f deg", fix->CourseMadeGood);
    row.cells[5] = FormatNumber(kKnotsFormat, fix->SpeedMadeGood);
    row.cells[6] = FormatNumber("%#3.1f rpm", fix->EngineRpm);
    row.cells[7] = fix->Weather.CurrentText();
    table.rows.push_back(std::move(row));
  }
}

void FillSchedule(CKeelmarkRouteXPDoc& doc, Table& table) {
  doc.RecalculateVoyage(doc.GetSettings().statusListSelected == 0);
  const bool underWay = BringVoyageUpToDate(doc);
  const PositionFix& present = doc.PresentPosition();
  const Voyage& route = doc.GetRoute();
  for (const auto& waypoint : route) {
    if (IsPassed(underWay, present, *waypoint)) {
      Row row = NamedRow(*waypoint, kImagePassed);
      row.cells[1] = kNotAvailable;
      table.rows.push_back(std::move(row));
      continue;
    }
    Row row = NamedRow(*waypoint, kImageWaypoint);
    row.cells[1] = FormatUtc(waypoint->GetLocalRequiredTime(), kLocalDateTimeFormat);
    row.cells[2] = LocalZoneText(*waypoint);
    row.cells[3] = FormatNumber("%#3.0f rpm", waypoint->Rpm);
    row.cells[4] = FormatNumber(kKnotsFormat, waypoint->GroundSpeed);
    row.cells[5] = FormatNumber("%#10.1f nM", DistanceToArrival(route, waypoint.get()));
    row.cells[6] = waypoint->Weather.WindText();
    row.cells[7] = waypoint->Weather.CurrentText();
    table.rows.push_back(std::move(row));
  }
}

void FillWarnings(CKeelmarkRouteXPDoc& doc, Table& table) {
  for (const auto& warning : doc.GetWarnings()) {
    Row row = PositionRow(*warning, kImageWarning);
    row.cells[3] = FormatUtc(warning->GetLocalRequiredTime(), kValidTill);
    row.cells[4] = warning->Message.Description;
    table.rows.push_back(std::move(row));
  }
}

void FillReporting(CKeelmarkRouteXPDoc& doc, Table& table) {
  for (const auto& point : doc.GetReportingPoints()) {
    Row row = PositionRow(*point, point->Completed ? kImagePassed : kImageWaypoint);
    row.cells[3] = point->Action;
    row.cells[4] = FormatUtc(point->GetLocalTime(), kLocalDateTimeFormat);
    table.rows.push_back(std::move(row));
  }
}

void FillPublications(CKeelmarkRouteXPDoc& doc, Table& table) {
  for (const auto& chart : doc.GetCharts()) {
    if (chart->IsChart == 1) continue;
    Row row = NamedRow(*chart, kImageChart);
    row.cells[1] = FormatUtc(chart->Edition, kEditionDate);
    row.cells[2] = chart->Number;
    row.cells[3] = chart->Publisher;
    table.rows.push_back(std::move(row));
  }
}

void FillPorts(CKeelmarkRouteXPDoc& doc, Table& table) {
  for (const auto& port : doc.GetPorts()) {
    Row row = PositionRow(*port, kImagePort);
    row.cells[3] = LocalZoneText(*port);
    row.cells[4] = port->InboundTraject.GetCount() > 1
                       ? FormatNumber("%#3.1f nM", TotalDistance(port->InboundTraject))
                       : kUnknownInbound;
    row.cells[5] = port->BerthName;
    row.cells[6] = port->AgentName;
    row.cells[7] = port->AgentEmail;
    table.rows.push_back(std::move(row));
  }
}

void FillCharts(CKeelmarkRouteXPDoc& doc, Table& table) {
  for (const auto& chart : doc.GetCharts()) {
    if (chart->IsChart != 1) continue;
    Row row = NamedRow(*chart, kImageChart);
    row.cells[1] = FormatUtc(chart->Edition, kEditionDate);
    row.cells[2] = chart->Number;
    row.cells[3] = FormatNumber("%f", chart->Scale);
    row.cells[4] = FormatNumber("%#2.2f deg", chart->ScaleLatitude);
    row.cells[5] = chart->Projection == 0 ? "Mercator" : "Gnomonic";
    row.cells[6] = chart->LayoutTag;
    row.cells[7] = chart->Publisher;
    table.rows.push_back(std::move(row));
  }
}

void FillForecast(CKeelmarkRouteXPDoc& doc, Table& table) {
  for (const auto& area : doc.GetForecasts()) {
    Row row;
    row.image = kImageForecast;
    const WeatherConditions& weather = area->Weather;
    row.cells = {area->GetName(),        FormatUtc(area->ForecastTime, kDayHourMinute),
                 weather.WindText(),     weather.WaveText(),
                 weather.SwellText(),    weather.VisibilityText(),
                 weather.WeatherText,    weather.CurrentText()};
    table.rows.push_back(std::move(row));
  }
}

void FillStorms(CKeelmarkRouteXPDoc& doc, Table& table) {
  const PositionFix& present = doc.GetPresentPosition();
  const CNavigation navigation;
  for (const auto& storm : doc.GetStorms()) {
    Row row = NamedRow(*storm, kImageStorm);
    row.cells[1] = FormatUtc(storm->GetLocalTime(), kDayHourMinute);
    row.cells[2] = storm->LatitudeText();
    row.cells[3] = storm->LongitudeText();
    row.cells[4] = FormatNumber("%3.0f deg", storm->Course);
    row.cells[5] = FormatNumber("%3.0f kts", storm->Speed);
    row.cells[6] = FormatNumber("%3.0f deg", navigation.Course(present, *storm, true));
    row.cells[7] = FormatNumber("%8.0f nM", navigation.Distance(present, *storm, true));
    table.rows.push_back(std::move(row));
  }
}

}  // namespace

const ColumnSet& CategoryColumns(Category category) {
  return kColumnSets[static_cast<std::size_t>(category)];
}

Table FillCategory(CKeelmarkRouteXPDoc& doc, Category category) {
  Table table;
  table.columns = CategoryColumns(category);
  switch (category) {
    case Category::Waypoints: FillWaypoints(doc, table); break;
    case Category::History: FillHistory(doc, table); break;
    case Category::Schedule: FillSchedule(doc, table); break;
    case Category::Warnings: FillWarnings(doc, table); break;
    case Category::Reporting: FillReporting(doc, table); break;
    case Category::Publications: FillPublications(doc, table); break;
    case Category::Ports: FillPorts(doc, table); break;
    case Category::Charts: FillCharts(doc, table); break;
    case Category::Forecast: FillForecast(doc, table); break;
    case Category::Storms: FillStorms(doc, table); break;
  }
  return table;
}

std::string ZoneText(double hours) {
  if (!std::isfinite(hours)) return kNotAvailable;
  if (hours > 0.0) return Printf("UTC + %2.1f hrs", hours);
  if (hours < 0.0) return Printf("UTC %2.1f hrs", hours);
  return "UTC";
}

}  // namespace keelmark
