// The plotting sheet as drawing calls: where the three projections put known points, which
// sheets are refused, and what a small route, history and average weather draw.
#include "reports/plotting_sheet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "records/chart.h"
#include "records/history_list.h"
#include "records/meteo_list.h"
#include "records/voyage.h"
#include "reports/recording_canvas.h"
#include "tests/core/test_files.h"

namespace keelmark {
namespace {

using test::AddAt;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kMinute = 1.0 / 60.0;

Chart SheetChart(double latitude, double longitude, int projection, double scale,
                 double grid = 0.5) {
  Chart chart;
  chart.SetLatitude(latitude);
  chart.SetLongitude(longitude);
  chart.Projection = projection;
  chart.Scale = scale;
  chart.ScaleLatitude = 0.0;
  chart.ChartSpare = grid;
  return chart;
}

// --- Projection ------------------------------------------------------------------------------

// The points of tests/data/plotting/projections.txt, worked by hand.
TEST(Projecting, PutsKnownPointsOnRoundPageUnits) {
  const auto rows = test::ReadTable("plotting/projections.txt");
  ASSERT_EQ(rows.size(), 13u);
  for (const auto& row : rows) {
    const auto number = [&row](int column) { return std::stod(row.at(column)); };
    const PlottingSheet sheet(SheetChart(number(1), number(2), std::stoi(row.at(3)), number(4)));
    EXPECT_EQ(sheet.Project(number(5), number(6)),
              (PagePoint{std::stoi(row.at(7)), std::stoi(row.at(8))}))
        << row[0];
  }
}

TEST(Projecting, PointsWithNoNumberOrFarOffThePageHaveNoPlace) {
  const PlottingSheet sheet(SheetChart(52.3, 4.7, 0, 1e5));
  EXPECT_FALSE(sheet.Project(kNaN, 4.7).has_value());
  EXPECT_FALSE(sheet.Project(52.3, std::numeric_limits<double>::infinity()).has_value());
  // 100 degrees east at 1:100000 is about a kilometre off the page.
  EXPECT_FALSE(sheet.Project(52.3, 104.7).has_value());
  EXPECT_FALSE(PlottingSheet(SheetChart(52.3, 4.7, 0, 0.0)).Project(52.4, 4.7).has_value());
}

// --- Refusals --------------------------------------------------------------------------------

// The sheets of tests/data/plotting/refusals.txt.
TEST(Refusing, ImpossibleGridsAreRefusedWithWhatToDoAndDrawNothing) {
  const auto rows = test::ReadTable("plotting/refusals.txt");
  ASSERT_EQ(rows.size(), 9u);
  for (const auto& row : rows) {
    const PlottingSheet sheet(
        SheetChart(std::stod(row.at(1)), 4.7, 0, std::stod(row.at(2)), std::stod(row.at(3))));
    const bool refused = row.at(4) == "1";
    EXPECT_EQ(!sheet.Refusal().empty(), refused) << row[0] << ": " << sheet.Refusal();
    RecordingCanvas canvas;
    sheet.Draw(canvas, Voyage(), HistoryList(), MeteoList(), 12, "");
    EXPECT_EQ(canvas.Calls().empty(), refused) << row[0];
  }
  const std::string refusal = PlottingSheet(SheetChart(52.3, 4.7, 0, 1e5, 1e-4)).Refusal();
  EXPECT_NE(refusal.find("0.0001 deg"), std::string::npos) << refusal;
  EXPECT_NE(refusal.find("larger interval"), std::string::npos) << refusal;
}

// --- Graticule -------------------------------------------------------------------------------

bool IsCrossArm(const DrawCall& c) {
  const int dx = std::abs(c.x2 - c.x1);
  const int dy = std::abs(c.y2 - c.y1);
  return (dx == 10 && dy == 0) || (dx == 0 && dy == 10);
}

std::vector<DrawCall> Lines(const RecordingCanvas& canvas, const Pen& pen) {
  std::vector<DrawCall> lines;
  for (const DrawCall& c : canvas.Calls()) {
    if (c.kind == DrawCall::Kind::Line && c.pen == pen) lines.push_back(c);
  }
  return lines;
}

constexpr Pen kFrame{PenStyle::Solid, 2, kBlack};

TEST(Graticule, JoinsEveryIntersectionAndLabelsIt) {
  const struct {
    double centreLatitude, centreLongitude;
    int projection, parallels, meridians;
    const char* firstLabel;
    const char* lastLabel;
  } cases[] = {
      // 47.0 to 57.0 and -1.0 to 9.5: from the truncated centre, below centre + 5 degrees.
      {52.3, 4.7, 0, 21, 22, "Lat 47.00 deg Lon -1.00 deg", "Lat 57.00 deg Lon 9.50 deg"},
      {52.3, 4.7, 1, 21, 22, "Lat 47.00 deg Lon -1.00 deg", "Lat 57.00 deg Lon 9.50 deg"},
      {52.3, 4.7, 2, 21, 22, "Lat 47.00 deg Lon -1.00 deg", "Lat 57.00 deg Lon 9.50 deg"},
      // Southern latitudes print signed; truncation toward zero moves the start north.
      {-33.5, -70.25, 0, 19, 20, "Lat -38.00 deg Lon -75.00 deg", "Lat -29.00 deg Lon -65.50 deg"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.lastLabel);
    const PlottingSheet sheet(SheetChart(c.centreLatitude, c.centreLongitude, c.projection, 1e6));
    EXPECT_EQ(sheet.ParallelCount(), c.parallels);
    EXPECT_EQ(sheet.MeridianCount(), c.meridians);
    RecordingCanvas canvas;
    sheet.Draw(canvas, Voyage(), HistoryList(), MeteoList(), 12, "");
    std::vector<std::string> labels;
    for (const DrawCall& t : canvas.Texts()) {
      if (t.text.rfind("Lat ", 0) == 0) labels.push_back(t.text);
    }
    ASSERT_EQ(labels.size(), static_cast<std::size_t>(c.parallels * c.meridians));
    EXPECT_EQ(labels.front(), c.firstLabel);
    EXPECT_EQ(labels.back(), c.lastLabel);
    // Segments between intersections: each parallel crosses every meridian and each meridian
    // every parallel; the first point of a line is joined only to itself. Four arms at every
    // cross: at each line's start and at each of its intersections.
    int segments = 0;
    int arms = 0;
    for (const DrawCall& line : Lines(canvas, kFrame)) {
      if (IsCrossArm(line)) {
        ++arms;
      } else if (line.x1 != line.x2 || line.y1 != line.y2) {
        ++segments;
      }
    }
    EXPECT_EQ(segments, c.parallels * (c.meridians - 1) + c.meridians * (c.parallels - 1));
    EXPECT_EQ(arms, 4 * (c.parallels * (c.meridians + 1) + c.meridians * (c.parallels + 1)));
  }
}

TEST(Graticule, TitleBlockNamesTheProjectionScaleAndCentreOverTheBitmap) {
  Chart chart = SheetChart(52.5, 4.75, 2, 250000.0);
  RecordingCanvas canvas;
  PlottingSheet(chart).Draw(canvas, Voyage(), HistoryList(), MeteoList(), 12, "/charts/a.bmp");
  ASSERT_FALSE(canvas.Calls().empty());
  EXPECT_EQ(canvas.Calls().front().kind, DrawCall::Kind::Bitmap);  // under everything else
  EXPECT_EQ(canvas.Calls().front().text, "/charts/a.bmp");
  for (const std::string& text :
       {std::string("Polair"), std::string("1 :   250000"), chart.LatitudeText()}) {
    EXPECT_NE(canvas.FindText(text), nullptr) << text;
  }
}

// --- Route, history and average weather ------------------------------------------------------

std::vector<int> Ends(const DrawCall& c) { return {c.x1, c.y1, c.x2, c.y2}; }

// Centre 0N 0E at 1:100000 with a 10 degree grid (its lines far off the page): one minute is
// 185 units east and 185 north. The route: blue legs and named crosses; the history: a dashed
// red track of circles; the current: a dashed green arrow of 2 mm a knot.
TEST(SmallSheet, RouteHistoryAndCurrentMarks) {
  Voyage route;
  HistoryList history;
  MeteoList meteo;
  AddAt<Waypoint>(route, 0.0, 0.0, "Start");
  AddAt<Waypoint>(route, kMinute, kMinute, "Turn")->GreatCircle = 1;
  AddAt<PositionFix>(history, 0.0, 0.0, "Fix 1");
  AddAt<PositionFix>(history, -kMinute, 0.0, "Fix 2");
  AddAt<PositionFix>(history, -kMinute, -kMinute, "Fix 3");
  for (const double latitude : {0.0, 10.0}) {  // two records at least; the second far off
    MeteoObservation* record = AddAt<MeteoObservation>(meteo, latitude, 0.0, "");
    record->JanFeb.CurrentSet = 90.0;
    record->JanFeb.CurrentRate = 1.5;
  }
  const auto draw = [&] {
    RecordingCanvas canvas;
    PlottingSheet(SheetChart(0.0, 0.0, 0, 1e5, 10.0)).Draw(canvas, route, history, meteo, 1, "");
    return canvas;
  };
  const RecordingCanvas canvas = draw();
  const std::vector<DrawCall> legs = Lines(canvas, Pen{PenStyle::Solid, 3, kBlue});
  ASSERT_EQ(legs.size(), 1u);
  EXPECT_EQ(Ends(legs[0]), std::vector<int>({910, -1250, 1095, -1065}));
  const std::vector<DrawCall> marks = Lines(canvas, Pen{PenStyle::Solid, 2, kBlue});
  EXPECT_EQ(marks.size(), 8u);  // two crosses of four arms
  EXPECT_TRUE(std::all_of(marks.begin(), marks.end(), IsCrossArm));
  EXPECT_EQ(std::pair(canvas.FindText("Turn")->x1, canvas.FindText("Turn")->y1),
            std::pair(1105, -1075));
  const std::vector<DrawCall> track = Lines(canvas, Pen{PenStyle::Dash, 1, kRed});
  ASSERT_EQ(track.size(), 2u);
  EXPECT_EQ(Ends(track[1]), std::vector<int>({910, -1435, 725, -1435}));
  std::vector<DrawCall> circles;
  for (const DrawCall& c : canvas.Calls()) {
    if (c.kind == DrawCall::Kind::Ellipse && c.pen.color != kGreen)
      circles.push_back(c);  // not weather
  }
  ASSERT_EQ(circles.size(), 3u);
  EXPECT_EQ(circles[2].pen, (Pen{PenStyle::Solid, 2, kRed}));
  EXPECT_EQ(Ends(circles[2]), std::vector<int>({715, -1425, 735, -1445}));
  const std::vector<DrawCall> currents = Lines(canvas, Pen{PenStyle::Dash, 1, kGreen});
  ASSERT_EQ(currents.size(), 2u);
  // 30 units east; 90 / 57.3 falls just short of a right angle, so after truncation toward
  // zero the end is 939.9999998 -> 939 and -1249.9965 -> -1249.
  EXPECT_EQ(Ends(currents[0]), std::vector<int>({910, -1250, 939, -1249}));

  // One waypoint draws no route; a single fix is a circle and its name without a track; one
  // record alone draws no weather at all.
  route.Remove(route.GetLast());
  history.Remove(history.GetLast());
  history.Remove(history.GetLast());
  meteo.Remove(meteo.GetLast());
  const RecordingCanvas one = draw();
  EXPECT_EQ(one.FindText("Start"), nullptr);
  EXPECT_TRUE(Lines(one, Pen{PenStyle::Dash, 1, kRed}).empty());
  EXPECT_NE(one.FindText("Fix 1"), nullptr);
  EXPECT_TRUE(Lines(one, Pen{PenStyle::Dash, 1, kGreen}).empty());
}

TEST(WindMarks, ShaftAndTicksByWindSpeed) {
  using Strokes = std::vector<std::vector<int>>;
  const Strokes shaft = {{910, -1250, 910, -1230}};
  const std::vector<int> tick1 = {910, -1230, 920, -1230}, tick2 = {910, -1238, 920, -1238},
                         tick3 = {910, -1244, 920, -1244};
  const std::pair<double, Strokes> cases[] = {{0.0, {}},
                                              {5.0, shaft},
                                              {5.1, {shaft[0], tick1}},
                                              {16.0, {shaft[0], tick1, tick2}},
                                              {30.0, {shaft[0], tick1, tick2, tick3}}};
  for (const auto& [windSpeed, expected] : cases) {
    MeteoList meteo;
    for (const double latitude : {0.0, 10.0}) {  // two records at least; the second far off
      MeteoObservation* record = AddAt<MeteoObservation>(meteo, latitude, 0.0, "");
      record->SepDec.WindDirection = 0.0;
      record->SepDec.WindSpeed = windSpeed;
      record->JanFeb.WindSpeed = 40.0;  // another season's wind is not drawn
    }
    RecordingCanvas canvas;
    PlottingSheet(SheetChart(0.0, 0.0, 0, 1e5, 10.0))
        .Draw(canvas, Voyage(), HistoryList(), meteo, 11, "");
    Strokes strokes;
    for (const DrawCall& line : Lines(canvas, Pen{PenStyle::Solid, 2, kGreen})) {
      if (line.y1 < 0) strokes.push_back({line.x1, line.y1, line.x2, line.y2});
    }
    EXPECT_EQ(strokes, expected) << windSpeed;
  }
}

}  // namespace
}  // namespace keelmark
