// The plotting sheet as drawing calls: where the three projections put known points, which
// sheets are refused, and what a small route, history and average weather draw.
#include "reports/plotting_sheet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "records/chart.h"
#include "records/history_list.h"
#include "records/meteo_list.h"
#include "records/voyage.h"
#include "reports/recording_canvas.h"

namespace keelmark {
namespace {

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

struct ProjectCase {
  const char* name;
  double centreLatitude, centreLongitude;
  int projection;
  double scale;
  double latitude, longitude;
  int x, y;
};

class Projecting : public testing::TestWithParam<ProjectCase> {};

TEST_P(Projecting, PutsKnownPointsOnRoundPageUnits) {
  const ProjectCase& c = GetParam();
  const PlottingSheet sheet(SheetChart(c.centreLatitude, c.centreLongitude, c.projection, c.scale));
  const std::optional<PagePoint> p = sheet.Project(c.latitude, c.longitude);
  ASSERT_TRUE(p.has_value());
  EXPECT_EQ(*p, (PagePoint{c.x, c.y}));
}

// Figures worked by hand from 1 nM = 1852 m and the sheet's 1/57.3 degrees per radian.
INSTANTIATE_TEST_SUITE_P(
    Sheet, Projecting,
    testing::Values(
        // The centre lands at 91 mm, -125 mm in every projection.
        ProjectCase{"MercatorCentre", 52.3, 4.7, 0, 1e5, 52.3, 4.7, 910, -1250},
        ProjectCase{"GnomonicCentre", 52.3, 4.7, 1, 1e5, 52.3, 4.7, 910, -1250},
        ProjectCase{"PolarCentre", 52.3, 4.7, 2, 1e5, 52.3, 4.7, 910, -1250},
        // One minute of longitude at 1:100000 is 18.52 mm, truncated to 185 units.
        ProjectCase{"MercatorMinuteEast", 52.3, 4.7, 0, 1e5, 52.3, 4.7 + kMinute, 1095, -1250},
        // Truncation is toward zero on the west side as well.
        ProjectCase{"MercatorMinuteWest", 52.3, 4.7, 0, 1e5, 52.3, 4.7 - kMinute, 725, -1250},
        // Northwards the minute is shortened by cos(52.308 / 57.3): 113.24 units.
        ProjectCase{"MercatorMinuteNorth", 52.3, 4.7, 0, 1e5, 52.3 + kMinute, 4.7, 910, -1137},
        // An index the dialog never offers draws as Mercator.
        ProjectCase{"IndexSevenIsMercator", 52.3, 4.7, 7, 1e5, 52.3, 4.7 + kMinute, 1095, -1250},
        ProjectCase{"NegativeIndexIsMercator", 52.3, 4.7, -1, 1e5, 52.3 + kMinute, 4.7, 910, -1137},
        // Gnomonic at 1:1000000: one degree is 111.12 mm times cos(1 / 57.3).
        ProjectCase{"GnomonicDegreeNorth", 0.0, 0.0, 1, 1e6, 1.0, 0.0, 910, -139},
        ProjectCase{"GnomonicDegreeEast", 0.0, 0.0, 1, 1e6, 0.0, 1.0, 2021, -1250},
        // Polar: 60 nM out on the rhumb-line course; 90 / 57.3 falls just short of a right
        // angle, so the east point keeps a sliver of y that truncates away.
        ProjectCase{"PolarDegreeNorth", 0.0, 0.0, 2, 1e6, 1.0, 0.0, 910, -139},
        ProjectCase{"PolarDegreeEast", 0.0, 0.0, 2, 1e6, 0.0, 1.0, 2021, -1250},
        ProjectCase{"PolarDegreeWest", 0.0, 0.0, 2, 1e6, 0.0, -1.0, -201, -1250}),
    [](const testing::TestParamInfo<ProjectCase>& row) { return row.param.name; });

TEST(Projecting, PointsWithNoNumberOrFarOffThePageHaveNoPlace) {
  const PlottingSheet sheet(SheetChart(52.3, 4.7, 0, 1e5));
  EXPECT_FALSE(sheet.Project(kNaN, 4.7).has_value());
  EXPECT_FALSE(sheet.Project(52.3, std::numeric_limits<double>::infinity()).has_value());
  // 100 degrees east at 1:100000 is about a kilometre off the page.
  EXPECT_FALSE(sheet.Project(52.3, 104.7).has_value());
  EXPECT_FALSE(PlottingSheet(SheetChart(52.3, 4.7, 0, 0.0)).Project(52.4, 4.7).has_value());
}

// --- Refusals --------------------------------------------------------------------------------

struct RefusalCase {
  const char* name;
  double centreLatitude;
  double scale;
  double grid;
  bool refused;
};

class Refusing : public testing::TestWithParam<RefusalCase> {};

TEST_P(Refusing, ImpossibleGridsAreRefusedAndDrawNothing) {
  const RefusalCase& c = GetParam();
  const PlottingSheet sheet(SheetChart(c.centreLatitude, 4.7, 0, c.scale, c.grid));
  EXPECT_EQ(!sheet.Refusal().empty(), c.refused) << sheet.Refusal();
  RecordingCanvas canvas;
  sheet.Draw(canvas, Voyage(), HistoryList(), MeteoList(), 12, "");
  EXPECT_EQ(canvas.Calls().empty(), c.refused);
}

INSTANTIATE_TEST_SUITE_P(
    Sheet, Refusing,
    testing::Values(
        RefusalCase{"HalfDegree", 52.3, 1e5, 0.5, false},
        // 50 parallels and 90 meridians: the fraction of the centre adds lines, still drawn.
        RefusalCase{"HundredthDegree", 52.3, 1e5, 0.01, false},
        RefusalCase{"ZeroGrid", 52.3, 1e5, 0.0, true},
        RefusalCase{"NegativeGrid", 52.3, 1e5, -0.5, true},
        RefusalCase{"GridWithNoNumber", 52.3, 1e5, kNaN, true},
        // 3020 parallels from 51.999 to 52.301.
        RefusalCase{"TenThousandthDegree", 52.3, 1e5, 1e-4, true},
        // Regression: so far from zero that adding the interval changes nothing; the lines
        // were counted by adding it until the upper bound, which never came.
        RefusalCase{"CentreBeyondDoublePrecision", 1e16, 1e5, 0.5, true},
        RefusalCase{"CentreWithNoNumber", kNaN, 1e5, 0.5, true},
        RefusalCase{"ZeroScale", 52.3, 0.0, 0.5, true}),
    [](const testing::TestParamInfo<RefusalCase>& row) { return row.param.name; });

TEST(Refusing, TooSmallAGridSaysWhatToDo) {
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

struct GraticuleCase {
  const char* name;
  double centreLatitude, centreLongitude;
  int projection;
  int parallels, meridians;
  const char* firstLabel;
  const char* lastLabel;
};

class Graticule : public testing::TestWithParam<GraticuleCase> {};

TEST_P(Graticule, JoinsEveryIntersectionAndLabelsIt) {
  const GraticuleCase& c = GetParam();
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
  // every parallel; the first point of a line is joined only to itself.
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
  // Four arms at every cross: at each line's start and at each of its intersections.
  EXPECT_EQ(arms, 4 * (c.parallels * (c.meridians + 1) + c.meridians * (c.parallels + 1)));
}

INSTANTIATE_TEST_SUITE_P(
    Sheet, Graticule,
    testing::Values(
        // 47.0 to 57.0 and -1.0 to 9.5: from the truncated centre, below centre + 5 degrees.
        GraticuleCase{"Mercator", 52.3, 4.7, 0, 21, 22, "Lat 47.00 deg Lon -1.00 deg",
                      "Lat 57.00 deg Lon 9.50 deg"},
        GraticuleCase{"Gnomonic", 52.3, 4.7, 1, 21, 22, "Lat 47.00 deg Lon -1.00 deg",
                      "Lat 57.00 deg Lon 9.50 deg"},
        GraticuleCase{"Polar", 52.3, 4.7, 2, 21, 22, "Lat 47.00 deg Lon -1.00 deg",
                      "Lat 57.00 deg Lon 9.50 deg"},
        // Southern latitudes print signed; truncation toward zero moves the start north.
        GraticuleCase{"SouthWest", -33.5, -70.25, 0, 19, 20, "Lat -38.00 deg Lon -75.00 deg",
                      "Lat -29.00 deg Lon -65.50 deg"}),
    [](const testing::TestParamInfo<GraticuleCase>& row) { return row.param.name; });

TEST(Graticule, TitleBlockNamesTheProjectionScaleAndCentre) {
  Chart chart = SheetChart(52.5, 4.75, 2, 250000.0);
  RecordingCanvas canvas;
  PlottingSheet(chart).Draw(canvas, Voyage(), HistoryList(), MeteoList(), 12, "/charts/a.bmp");
  ASSERT_FALSE(canvas.Calls().empty());
  EXPECT_EQ(canvas.Calls().front().kind, DrawCall::Kind::Bitmap);  // under everything else
  EXPECT_EQ(canvas.Calls().front().text, "/charts/a.bmp");
  for (const auto& [text, x, y] :
       std::vector<std::tuple<std::string, int, int>>{{"Plottingsheet", 1350, -210},
                                                      {"Polair", 1600, -210},
                                                      {"1 :   250000", 1600, -250},
                                                      {"Center at", 1350, -290},
                                                      {chart.LatitudeText(), 1600, -290},
                                                      {chart.LongitudeText(), 1600, -330}}) {
    const DrawCall* call = canvas.FindText(text);
    ASSERT_NE(call, nullptr) << text;
    EXPECT_EQ(call->x1, x) << text;
    EXPECT_EQ(call->y1, y) << text;
    EXPECT_EQ(call->font, (Font{"Times New Roman", 32, 400})) << text;
  }
  // Without a bitmap path nothing is copied.
  RecordingCanvas plain;
  PlottingSheet(chart).Draw(plain, Voyage(), HistoryList(), MeteoList(), 12, "");
  EXPECT_EQ(plain.Calls().front().kind, DrawCall::Kind::Rectangle);
  EXPECT_EQ(plain.Calls().front().pen, kFrame);
}

// --- Route, history and average weather ------------------------------------------------------

template <typename Record, typename List>
Record* AddAt(List& list, double latitude, double longitude, const std::string& name) {
  auto record = std::make_unique<Record>();
  record->SetLatitude(latitude);
  record->SetLongitude(longitude);
  record->SetName(name);
  return list.Add(std::move(record));
}

// Centre 0N 0E at 1:100000 with a 10 degree grid (its lines far off the page): one minute is
// 185 units east and 185 north.
class SmallSheet : public testing::Test {
 protected:
  RecordingCanvas Draw(int month = 12) const {
    RecordingCanvas canvas;
    PlottingSheet(SheetChart(0.0, 0.0, 0, 1e5, 10.0))
        .Draw(canvas, route_, history_, meteo_, month, "");
    return canvas;
  }

  Voyage route_;
  HistoryList history_;
  MeteoList meteo_;
};

TEST_F(SmallSheet, RouteLegsAreStraightBlueLinesWithNamedCrosses) {
  AddAt<Waypoint>(route_, 0.0, 0.0, "Start");
  AddAt<Waypoint>(route_, kMinute, kMinute, "Turn")->GreatCircle = 1;
  const RecordingCanvas canvas = Draw();
  const std::vector<DrawCall> legs = Lines(canvas, Pen{PenStyle::Solid, 3, kBlue});
  ASSERT_EQ(legs.size(), 1u);
  EXPECT_EQ(std::vector<int>({legs[0].x1, legs[0].y1, legs[0].x2, legs[0].y2}),
            std::vector<int>({910, -1250, 1095, -1065}));
  const std::vector<DrawCall> marks = Lines(canvas, Pen{PenStyle::Solid, 2, kBlue});
  EXPECT_EQ(marks.size(), 8u);  // two crosses of four arms
  EXPECT_TRUE(std::all_of(marks.begin(), marks.end(), IsCrossArm));
  const DrawCall* turn = canvas.FindText("Turn");
  ASSERT_NE(turn, nullptr);
  EXPECT_EQ(std::pair(turn->x1, turn->y1), std::pair(1105, -1075));
  // A route of one waypoint draws nothing of the route.
  route_.Remove(route_.GetLast());
  EXPECT_EQ(Draw().FindText("Start"), nullptr);
}

TEST_F(SmallSheet, HistoryIsADashedRedTrackOfCircles) {
  AddAt<PositionFix>(history_, 0.0, 0.0, "Fix 1");
  AddAt<PositionFix>(history_, -kMinute, 0.0, "Fix 2");
  AddAt<PositionFix>(history_, -kMinute, -kMinute, "Fix 3");
  const RecordingCanvas canvas = Draw();
  const std::vector<DrawCall> legs = Lines(canvas, Pen{PenStyle::Dash, 1, kRed});
  ASSERT_EQ(legs.size(), 2u);
  EXPECT_EQ(std::vector<int>({legs[1].x1, legs[1].y1, legs[1].x2, legs[1].y2}),
            std::vector<int>({910, -1435, 725, -1435}));
  std::vector<DrawCall> circles;
  for (const DrawCall& c : canvas.Calls()) {
    if (c.kind == DrawCall::Kind::Ellipse) circles.push_back(c);
  }
  ASSERT_EQ(circles.size(), 3u);
  EXPECT_EQ(circles[2].pen, (Pen{PenStyle::Solid, 2, kRed}));
  EXPECT_EQ(std::vector<int>({circles[2].x1, circles[2].y1, circles[2].x2, circles[2].y2}),
            std::vector<int>({715, -1425, 735, -1445}));
  // A single fix is a circle and its name, without a track.
  history_.Remove(history_.GetLast());
  history_.Remove(history_.GetLast());
  const RecordingCanvas one = Draw();
  EXPECT_TRUE(Lines(one, Pen{PenStyle::Dash, 1, kRed}).empty());
  EXPECT_NE(one.FindText("Fix 1"), nullptr);
}

// A weather mark at the centre (910, -1250): the wind from the north puts the shaft's end at
// (910, -1230); ticks are 10 units long towards +x, at the shaft's end, 0.6 and 0.3 along it.
struct WindCase {
  const char* name;
  double windSpeed;
  std::vector<std::vector<int>> strokes;
};

class WindMarks : public testing::TestWithParam<WindCase> {};

TEST_P(WindMarks, ShaftAndTicksByWindSpeed) {
  const WindCase& c = GetParam();
  MeteoList meteo;
  for (const double latitude : {0.0, 10.0}) {  // two records at least; the second far off
    MeteoObservation* record = AddAt<MeteoObservation>(meteo, latitude, 0.0, "");
    record->SepDec.WindDirection = 0.0;
    record->SepDec.WindSpeed = c.windSpeed;
    record->JanFeb.WindSpeed = 40.0;  // another season's wind is not drawn
  }
  RecordingCanvas canvas;
  PlottingSheet(SheetChart(0.0, 0.0, 0, 1e5, 10.0))
      .Draw(canvas, Voyage(), HistoryList(), meteo, 11, "");
  std::vector<std::vector<int>> strokes;
  for (const DrawCall& line : Lines(canvas, Pen{PenStyle::Solid, 2, kGreen})) {
    if (line.y1 < 0) strokes.push_back({line.x1, line.y1, line.x2, line.y2});
  }
  EXPECT_EQ(strokes, c.strokes);
}

INSTANTIATE_TEST_SUITE_P(
    Sheet, WindMarks,
    testing::Values(
        WindCase{"Calm", 0.0, {}}, WindCase{"FiveKnotsShaftOnly", 5.0, {{910, -1250, 910, -1230}}},
        WindCase{"FivePointOneOneTick", 5.1, {{910, -1250, 910, -1230}, {910, -1230, 920, -1230}}},
        WindCase{"SixteenTwoTicks",
                 16.0,
                 {{910, -1250, 910, -1230}, {910, -1230, 920, -1230}, {910, -1238, 920, -1238}}},
        WindCase{"ThirtyThreeTicks",
                 30.0,
                 {{910, -1250, 910, -1230},
                  {910, -1230, 920, -1230},
                  {910, -1238, 920, -1238},
                  {910, -1244, 920, -1244}}}),
    [](const testing::TestParamInfo<WindCase>& row) { return row.param.name; });

TEST_F(SmallSheet, CurrentIsADashedGreenArrowOfTwoMillimetresAKnot) {
  for (const double latitude : {0.0, 10.0}) {
    MeteoObservation* record = AddAt<MeteoObservation>(meteo_, latitude, 0.0, "");
    record->JanFeb.CurrentSet = 90.0;
    record->JanFeb.CurrentRate = 1.5;
  }
  const RecordingCanvas canvas = Draw(1);
  const std::vector<DrawCall> currents = Lines(canvas, Pen{PenStyle::Dash, 1, kGreen});
  ASSERT_EQ(currents.size(), 2u);
  // 30 units east; 90 / 57.3 falls just short of a right angle, so after truncation toward
  // zero the end is 939.9999998 -> 939 and -1249.9965 -> -1249.
  EXPECT_EQ(std::vector<int>({currents[0].x1, currents[0].y1, currents[0].x2, currents[0].y2}),
            std::vector<int>({910, -1250, 939, -1249}));
  // One record alone draws no weather at all.
  meteo_.Remove(meteo_.GetLast());
  EXPECT_TRUE(Lines(Draw(1), Pen{PenStyle::Dash, 1, kGreen}).empty());
}

}  // namespace
}  // namespace keelmark
