// PlottingSheet: the printed chart substitute of the document's current chart: a graticule in
// the Mercator, gnomonic or polar projection at the chart's scale around its centre, with the
// route, the history track and the average-weather marks drawn over it, and optionally a
// background bitmap. Page units are 0.1 mm, y upwards from the top left corner of the page.
#pragma once

#include <optional>
#include <string>

namespace keelmark {

class Canvas;
class Chart;
class CPosition2;
class CKeelmarkRouteXPDoc;
class HistoryList;
class MeteoList;
class PageModel;
class Voyage;

struct PagePoint {
  int x = 0;
  int y = 0;
  bool operator==(const PagePoint&) const = default;
};

// The sheet's centre on the page: 91 mm from the left edge, 125 mm below the top.
inline constexpr PagePoint kSheetCentre{910, -1250};
// The most parallels and meridians together that the graticule draws; a smaller grid interval
// is refused rather than drawn for minutes.
inline constexpr int kMaximumGridLines = 1000;

enum class SheetProjection { Mercator = 0, Gnomonic = 1, Polar = 2 };

class PlottingSheet {
 public:
  // Takes the chart's centre (Latitude, Longitude, degrees), projection index, scale
  // denominator, latitude of scale (degrees) and grid interval (ChartSpare, degrees).
  explicit PlottingSheet(const Chart& chart);

  // The projection the sheet draws in: the chart's index 1 or 2, Mercator for any other.
  [[nodiscard]] SheetProjection Projection() const { return projection_; }

  // The page point of a geographic position (degrees, north and east positive), truncated
  // toward zero; none when it has no number or lies more than 100 m off the page.
  [[nodiscard]] std::optional<PagePoint> Project(double latitude, double longitude) const;

  // Why the graticule cannot be drawn (a grid interval of 0 or less or no number, so small that
  // it needs more than kMaximumGridLines lines, or a centre with no number); empty when it can.
  [[nodiscard]] std::string Refusal() const;

  // Draws the sheet, unless it is refused: the bitmap (path as given) when there is one, the
  // title block, the graticule, the route when it has two waypoints or more, the history
  // track, and the average-weather marks (the season block of `month`, 1-12) when the list
  // holds two records or more.
  void Draw(Canvas& canvas, const Voyage& route, const HistoryList& history, const MeteoList& meteo,
            int month, const std::string& bitmapPath) const;

  // The graticule's parallels and meridians (latitudes and longitudes of its lines).
  [[nodiscard]] int ParallelCount() const;
  [[nodiscard]] int MeridianCount() const;

 private:
  void DrawTitle(Canvas& canvas) const;
  void DrawGraticule(Canvas& canvas) const;
  void DrawRoute(Canvas& canvas, const Voyage& route) const;
  void DrawHistory(Canvas& canvas, const HistoryList& history) const;
  void DrawWeather(Canvas& canvas, const MeteoList& meteo, int month) const;

  double centreLatitude_;
  double centreLongitude_;
  SheetProjection projection_;
  double scale_;
  double scaleLatitude_;
  double grid_;
  std::string centreLatitudeText_;
  std::string centreLongitudeText_;
};

// Centres the chart on the whole degrees (truncated) of the position, with its hemispheres, as
// the Plottingsheet dialog fills its centre from the latest fix.
void CentreOnPosition(Chart& chart, const CPosition2& position);

// The print routine of the plotting-sheet selection: the document's current chart with its
// route, history and average weather, the season of the present month.
void PrintPlottingSheet(Canvas& canvas, const PageModel& page, CKeelmarkRouteXPDoc& doc);

}  // namespace keelmark
