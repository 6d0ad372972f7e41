#include "reports/plotting_sheet.h"

#include <cmath>

#include "document/keelmark_document.h"
#include "navigation/calendar.h"
#include "navigation/clock.h"
#include "navigation/navigation.h"
#include "navigation/text_format.h"
#include "records/chart.h"
#include "records/history_list.h"
#include "records/meteo_list.h"
#include "records/voyage.h"
#include "reports/canvas.h"
#include "reports/page_model.h"
#include "reports/table_grid.h"
#include "voyage/average_weather.h"

namespace keelmark {
namespace {

// Degrees to radians on the sheet: 1/57.3, not pi/180.
constexpr double kRadiansPerDegree = 0.017452006980802792;
constexpr double kUnitsPerNm = 18520000.0;        // 0.1 mm per nautical mile at 1:1
constexpr double kUnitsPerDegree = 1111200000.0;  // 60 nM

constexpr Pen kFramePen{PenStyle::Solid, 2, kBlack};  // title box and graticule
constexpr Pen kRouteLegPen{PenStyle::Solid, 3, kBlue};
constexpr Pen kWaypointPen{PenStyle::Solid, 2, kBlue};
constexpr Pen kHistoryLegPen{PenStyle::Dash, 1, kRed};
constexpr Pen kHistoryMarkPen{PenStyle::Solid, 2, kRed};
constexpr Pen kWeatherPen{PenStyle::Solid, 2, kGreen};
constexpr Pen kCurrentPen{PenStyle::Dash, 1, kGreen};

constexpr int kMark = 10;        // cross arms, circle radius and label offset: 1 mm
constexpr double kArrow = 20.0;  // wind shaft, and current per knot: 2 mm
constexpr int kWindTick = 10;    // a wind tick, always towards +x: 1 mm
constexpr double kOneTickKnots = 5.0;
constexpr double kTwoTicksKnots = 15.0;
constexpr double kThreeTicksKnots = 25.0;
constexpr double kGridLinesEachSide = 10.0;  // grid intervals either side of the centre

constexpr const char* kGridLabelFormat = "Lat %2.2f deg Lon %3.2f deg";
constexpr const char* kScaleFormat = "1 : %8.0f";
constexpr const char* kProjectionNames[] = {"Mercator", "Gnonomic", "Polair"};
constexpr const char* kNoGridMessage =
    "The plotting sheet needs a grid interval of more than 0 deg";
constexpr const char* kNoScaleMessage = "The plotting sheet needs a scale of more than 1 : 0";
constexpr const char* kNoCentreMessage = "The plotting sheet's centre has no position";
constexpr const char* kTooManyLinesFormat =
    "A grid interval of %g deg needs more than %d grid lines on the plotting sheet.\n"
    "Choose a larger interval.";

// How many grid lines run from `first` in steps of `step` while below `upper`, counted the way
// they are drawn (each step added to the last), at most kMaximumGridLines + 1.
int GridLines(double first, double upper, double step) {
  int lines = 0;
  for (double value = first; value < upper && lines <= kMaximumGridLines; value += step) ++lines;
  return lines;
}

// A cross of four 1 mm strokes from the point; the drawing position ends at the point.
void Cross(Canvas& canvas, PagePoint p) {
  canvas.MoveTo(p.x, p.y);
  canvas.LineTo(p.x + kMark, p.y);
  canvas.MoveTo(p.x, p.y);
  canvas.LineTo(p.x - kMark, p.y);
  canvas.MoveTo(p.x, p.y);
  canvas.LineTo(p.x, p.y + kMark);
  canvas.MoveTo(p.x, p.y);
  canvas.LineTo(p.x, p.y - kMark);
  canvas.MoveTo(p.x, p.y);
}

void Circle(Canvas& canvas, PagePoint p) {
  canvas.Ellipse(p.x - kMark, p.y + kMark, p.x + kMark, p.y - kMark);
  canvas.MoveTo(p.x, p.y);
}

void Label(Canvas& canvas, PagePoint p, const std::string& text) {
  canvas.Text(p.x + kMark, p.y - kMark, text);
}

// A line from the point to the point moved (east, north) units, truncated after the offset.
void Stroke(Canvas& canvas, double x, double y, double east, double north) {
  const auto toX = PageCoordinate(x + east);
  const auto toY = PageCoordinate(y + north);
  const auto fromX = PageCoordinate(x);
  const auto fromY = PageCoordinate(y);
  if (!toX || !toY || !fromX || !fromY) return;
  canvas.MoveTo(*fromX, *fromY);
  canvas.LineTo(*toX, *toY);
}

}  // namespace

PlottingSheet::PlottingSheet(const Chart& chart)
    : centreLatitude_(chart.GetLatitude()),
      centreLongitude_(chart.GetLongitude()),
      projection_(chart.Projection == 1   ? SheetProjection::Gnomonic
                  : chart.Projection == 2 ? SheetProjection::Polar
                                          : SheetProjection::Mercator),
      scale_(chart.Scale),
      scaleLatitude_(chart.ScaleLatitude),
      grid_(chart.ChartSpare),
      centreLatitudeText_(chart.LatitudeText()),
      centreLongitudeText_(chart.LongitudeText()) {}

std::optional<PagePoint> PlottingSheet::Project(double latitude, double longitude) const {
  const double dLat = latitude - centreLatitude_;
  const double dLon = longitude - centreLongitude_;
  double x = 0.0;
  double y = 0.0;
  switch (projection_) {
    case SheetProjection::Mercator: {
      const double k = std::cos(scaleLatitude_ / 57.3) * kUnitsPerNm;
      x = dLon * k * 60.0 / scale_;
      y = dLat * k * 60.0 * std::cos(((centreLatitude_ + latitude) * 0.5) / 57.3) / scale_;
      break;
    }
    case SheetProjection::Gnomonic:
      x = dLon * std::cos(dLat / 57.3) * std::cos(dLon / 57.3) * kUnitsPerDegree / scale_;
      y = dLat * std::cos(dLat / 57.3) * kUnitsPerDegree / scale_;
      break;
    case SheetProjection::Polar: {
      const CNavigation navigation;
      CPosition2 centre, point;
      centre.SetLatitude(centreLatitude_);
      centre.SetLongitude(centreLongitude_);
      point.SetLatitude(latitude);
      point.SetLongitude(longitude);
      const double d = navigation.Distance(centre, point, false);
      const double course = navigation.Course(centre, point, false);
      x = std::sin(course / 57.3) * d * kUnitsPerNm / scale_;
      y = std::cos(course / 57.3) * d * kUnitsPerNm / scale_;
      break;
    }
  }
  const auto px = PageCoordinate(x);
  const auto py = PageCoordinate(y);
  if (!px || !py) return std::nullopt;
  return PagePoint{*px + kSheetCentre.x, *py + kSheetCentre.y};
}

int PlottingSheet::ParallelCount() const {
  const double step = grid_ * kGridLinesEachSide;
  return GridLines(std::trunc(centreLatitude_) - step, centreLatitude_ + step, grid_);
}

int PlottingSheet::MeridianCount() const {
  const double step = grid_ * kGridLinesEachSide;
  return GridLines(std::trunc(centreLongitude_) - step, centreLongitude_ + step, grid_);
}

std::string PlottingSheet::Refusal() const {
  if (!(grid_ > 0.0) || !std::isfinite(grid_)) return kNoGridMessage;
  if (!(scale_ > 0.0) || !std::isfinite(scale_)) return kNoScaleMessage;
  if (!std::isfinite(centreLatitude_) || !std::isfinite(centreLongitude_)) {
    return kNoCentreMessage;
  }
  if (ParallelCount() + MeridianCount() > kMaximumGridLines) {
    return Printf(kTooManyLinesFormat, grid_, kMaximumGridLines);
  }
  return {};
}

void PlottingSheet::Draw(Canvas& canvas, const Voyage& route, const HistoryList& history,
                         const MeteoList& meteo, int month, const std::string& bitmapPath) const {
  if (!Refusal().empty()) return;
  if (!bitmapPath.empty()) canvas.Bitmap(0, 0, bitmapPath);
  canvas.SetFont(TableFont());
  canvas.SetTextColor(kBlack);
  DrawTitle(canvas);
  DrawGraticule(canvas);
  if (route.GetCount() > 1) DrawRoute(canvas, route);
  DrawHistory(canvas, history);
  if (meteo.GetCount() >= 2) DrawWeather(canvas, meteo, month);
}

void PlottingSheet::DrawTitle(Canvas& canvas) const {
  canvas.SetPen(kFramePen);
  canvas.Rectangle(1300, -200, 1900, -400);
  canvas.Text(1350, -210, "Plottingsheet");
  canvas.Text(1600, -210, kProjectionNames[static_cast<int>(projection_)]);
  canvas.Text(1350, -250, "Scale");
  canvas.Text(1600, -250, FormatNumber(kScaleFormat, scale_));
  canvas.Text(1350, -290, "Center at");
  canvas.Text(1600, -290, centreLatitudeText_);
  canvas.Text(1600, -330, centreLongitudeText_);
}

void PlottingSheet::DrawGraticule(Canvas& canvas) const {
  canvas.SetPen(kFramePen);
  const double lat0 = std::trunc(centreLatitude_) - grid_ * kGridLinesEachSide;
  const double lon0 = std::trunc(centreLongitude_) - grid_ * kGridLinesEachSide;
  const int parallels = ParallelCount();
  const int meridians = MeridianCount();
  // Each line joins its projected intersections; a point off the sheet breaks the line.
  auto drawLine = [&](double latitude, double longitude, bool alongParallel, bool labelled) {
    const int count = alongParallel ? meridians : parallels;
    std::optional<PagePoint> previous = Project(latitude, longitude);
    if (previous) Cross(canvas, *previous);
    for (int i = 0; i < count; ++i) {
      const std::optional<PagePoint> p = Project(latitude, longitude);
      if (p) {
        if (previous) canvas.LineTo(p->x, p->y);
        Cross(canvas, *p);
        if (labelled) Label(canvas, *p, Printf(kGridLabelFormat, latitude, longitude));
      }
      previous = p;
      (alongParallel ? longitude : latitude) += grid_;
    }
  };
  double latitude = lat0;
  for (int i = 0; i < parallels; ++i, latitude += grid_) drawLine(latitude, lon0, true, true);
  double longitude = lon0;
  for (int i = 0; i < meridians; ++i, longitude += grid_) drawLine(lat0, longitude, false, false);
}

void PlottingSheet::DrawRoute(Canvas& canvas, const Voyage& route) const {
  std::optional<PagePoint> previous;
  for (const auto& waypoint : route) {
    const std::optional<PagePoint> p = Project(waypoint->GetLatitude(), waypoint->GetLongitude());
    if (p && previous) {
      canvas.SetPen(kRouteLegPen);
      canvas.MoveTo(previous->x, previous->y);
      canvas.LineTo(p->x, p->y);
    }
    if (p) {
      canvas.SetPen(kWaypointPen);
      Cross(canvas, *p);
      Label(canvas, *p, waypoint->GetName());
    }
    previous = p;
  }
}

void PlottingSheet::DrawHistory(Canvas& canvas, const HistoryList& history) const {
  std::optional<PagePoint> previous;
  for (const auto& fix : history) {
    const std::optional<PagePoint> p = Project(fix->GetLatitude(), fix->GetLongitude());
    if (p && previous) {
      canvas.SetPen(kHistoryLegPen);
      canvas.MoveTo(previous->x, previous->y);
      canvas.LineTo(p->x, p->y);
    }
    if (p) {
      canvas.SetPen(kHistoryMarkPen);
      Circle(canvas, *p);
      Label(canvas, *p, fix->GetName());
    }
    previous = p;
  }
}

void PlottingSheet::DrawWeather(Canvas& canvas, const MeteoList& meteo, int month) const {
  for (const auto& record : meteo) {
    const std::optional<PagePoint> p = Project(record->GetLatitude(), record->GetLongitude());
    if (!p) continue;
    const WeatherConditions& block = SeasonBlock(*record, month);
    const double px = p->x;
    const double py = p->y;
    canvas.SetPen(kWeatherPen);
    Circle(canvas, *p);
    const double wind = block.WindSpeed;
    const double east = kArrow * std::sin(block.WindDirection / 57.3);
    const double north = kArrow * std::cos(block.WindDirection / 57.3);
    if (wind > 0.0) Stroke(canvas, px, py, east, north);
    if (wind > kOneTickKnots) Stroke(canvas, px + east, py + north, kWindTick, 0.0);
    if (wind > kTwoTicksKnots) Stroke(canvas, px + 0.6 * east, py + 0.6 * north, kWindTick, 0.0);
    if (wind > kThreeTicksKnots) {
      Stroke(canvas, px + 0.3 * east, py + 0.3 * north, kWindTick, 0.0);
    }
    if (block.CurrentRate > 0.0) {
      canvas.SetPen(kCurrentPen);
      const double run = kArrow * block.CurrentRate;
      Stroke(canvas, px, py, run * std::sin(block.CurrentSet / 57.3),
             run * std::cos(block.CurrentSet / 57.3));
    }
    canvas.MoveTo(p->x, p->y);
  }
}

void CentreOnPosition(Chart& chart, const CPosition2& position) {
  chart.SetLatitudeDegMin(position.LatitudeDegrees(), 0.0, position.LatitudeSouth());
  chart.SetLongitudeDegMin(position.LongitudeDegrees(), 0.0, position.LongitudeWest());
}

void PrintPlottingSheet(Canvas& canvas, const PageModel&, CKeelmarkRouteXPDoc& doc) {
  const Chart& chart = doc.GetCurrentChart();
  const int month = UtcFields(ProcessClock().Now()).month + 1;
  const std::string bitmap = chart.BitmapPath.empty() ? "" : doc.ResolvePath(chart.BitmapPath);
  PlottingSheet(chart).Draw(canvas, doc.GetRoute(), doc.GetHistory(), doc.GetMeteo(), month,
                            bitmap);
}

}  // namespace keelmark
