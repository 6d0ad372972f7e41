// The storm advisory as drawing calls: the scale from the start's distance, the storm at the
// crossing of the axes, the route points placed relative to the storm, and the table.
#include "reports/storm_advisory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "records/storm.h"
#include "records/voyage.h"
#include "reports/recording_canvas.h"
#include "tests/core/test_files.h"

namespace keelmark {
namespace {

// 2026-12-06 12:00 UTC as a day number.
constexpr double kDay = 9837.5;
constexpr double kHour = 1.0 / 24.0;

Storm StormAt(double latitude, double longitude, double course = 0.0, double speed = 0.0) {
  Storm storm = test::At<Storm>(latitude, longitude, kDay);
  storm.SetName("ALPHA");
  storm.Course = course;
  storm.Speed = speed;
  storm.EyeDiameter = 30;
  return storm;
}

PositionFix StartAt(double latitude, double longitude) {
  PositionFix start = test::At<PositionFix>(latitude, longitude, kDay);
  start.SetName("Start");
  start.SpeedMadeGood = 10.0;
  start.CourseMadeGood = 90.0;
  return start;
}

// Along the equator from 0E to 10E at 10 knots, 60 hours.
class StormAdvisoryTest : public testing::Test {
 protected:
  StormAdvisoryTest() {
    Add("Departure", 0.0, 0.0, kDay)->LegCourse = 0.0;  // as the calculation leaves it
    Add("Arrival", 0.0, 10.0, kDay + 60 * kHour);
  }

  Waypoint* Add(const std::string& name, double latitude, double longitude, double required) {
    Waypoint* waypoint = test::AddAt<Waypoint>(route_, latitude, longitude, name);
    waypoint->SetTime(required);
    waypoint->SetRequiredTime(required);
    waypoint->LegCourse = 90.0;
    waypoint->GroundSpeed = 10.0;
    return waypoint;
  }

  RecordingCanvas Draw(const Storm& storm, const PositionFix& start) const {
    RecordingCanvas canvas;
    DrawStormAdvisory(canvas, storm, route_, start);
    return canvas;
  }

  static std::vector<DrawCall> Ellipses(const RecordingCanvas& canvas) {
    std::vector<DrawCall> ellipses;
    for (const DrawCall& c : canvas.Calls()) {
      if (c.kind == DrawCall::Kind::Ellipse) ellipses.push_back(c);
    }
    return ellipses;
  }

  Voyage route_;
};

TEST_F(StormAdvisoryTest, StartLiesOnTheSeventyFiveMillimetreCircle) {
  const struct {
    double startLatitude;
    const char* scaleText;
    std::vector<int> stormCircle;  // left, top, right, bottom
  } cases[] = {// 360 nM out: 2.083 units per nM, and the 30 nM eye has a radius of 62.5 units.
               {6.0, "Scale 1 cm = 48.0000 nM", {847, -687, 972, -812}},
               // Regression: a start on the storm divided by zero; it takes 100 nM to 75 mm.
               {0.0, "Scale 1 cm = 13.3333 nM", {685, -525, 1135, -975}}};
  for (const auto& c : cases) {
    const RecordingCanvas canvas = Draw(StormAt(0.0, 0.0), StartAt(c.startLatitude, 0.0));
    const DrawCall* scale = canvas.FindText(c.scaleText);
    ASSERT_NE(scale, nullptr) << c.scaleText;
    EXPECT_EQ(std::pair(scale->x1, scale->y1), std::pair(1500, -1500));
    EXPECT_EQ(scale->textColor, kBlack);
    const std::vector<DrawCall> ellipses = Ellipses(canvas);
    ASSERT_FALSE(ellipses.empty());
    const DrawCall& eye = ellipses.front();
    EXPECT_EQ(std::vector<int>({eye.x1, eye.y1, eye.x2, eye.y2}), c.stormCircle);
    EXPECT_EQ(eye.brush, (Brush{BrushStyle::HatchDiagonalDown, kRed}));
  }
}

TEST_F(StormAdvisoryTest, ShipDueNorthPlotsJustLeftOfTheAxis) {
  // The storm 300 nM due south of the start: bearing 180, and 360 / 57.3 falls short of a full
  // turn, so the point lands at (909.65, -0.00008), truncated to (909, 0).
  const RecordingCanvas canvas = Draw(StormAt(0.0, 0.0), StartAt(5.0, 0.0));
  const std::vector<DrawCall> ellipses = Ellipses(canvas);
  ASSERT_GE(ellipses.size(), 2u);
  const DrawCall& start = ellipses[1];
  EXPECT_EQ(std::vector<int>({start.x1, start.y1, start.x2, start.y2}),
            std::vector<int>({899, 10, 919, -10}));
  const DrawCall* name = canvas.FindText("Start");
  ASSERT_NE(name, nullptr);
  EXPECT_EQ(std::pair(name->x1, name->y1), std::pair(919, -10));
}

TEST_F(StormAdvisoryTest, TableRowsTakeTheStormWhereItWillBe) {
  // Moving north at 10 knots: at the arrival, 60 hours on, it is 600 nM further, at 15N 0E.
  const Storm storm = StormAt(5.0, 0.0, 0.0, 10.0);
  const RecordingCanvas canvas = Draw(storm, StartAt(0.0, 0.0));
  const auto cells = test::ReadTable("printing/storm_advisory_table.txt");
  ASSERT_EQ(cells.size(), 12u);
  const std::vector<DrawCall> texts = canvas.Texts();
  for (const auto& cell : cells) {
    EXPECT_TRUE(std::any_of(texts.begin(), texts.end(),
                            [&cell](const DrawCall& t) {
                              return t.text == cell.at(2) && t.x1 == std::stoi(cell[0]) &&
                                     t.y1 == std::stoi(cell[1]);
                            }))
        << cell[2] << " at " << cell[0] << ", " << cell[1];
  }
  // The departure is behind the start's next waypoint: two rows only, each with its box.
  EXPECT_EQ(canvas.FindText("Departure"), nullptr);
  int rows = 0;
  for (const DrawCall& c : canvas.Calls()) {
    if (c.kind == DrawCall::Kind::Rectangle && c.x1 == 100 && c.x2 == 1900) {
      EXPECT_EQ(c.y1 - c.y2, 50);
      ++rows;
    }
  }
  EXPECT_EQ(rows, 2);
}

}  // namespace
}  // namespace keelmark
