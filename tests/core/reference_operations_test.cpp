// Operations of the reference records: charts and publications by kind, forecast area
// containment, warning outlines and their centre, adding reporting points.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "records/chart_list.h"
#include "records/forecast_area.h"
#include "records/nav_warning.h"
#include "records/reporting_point_list.h"
#include "tests/core/test_files.h"

namespace keelmark {
namespace {

// --- Charts and publications ---------------------------------------------------------------

// The cases of tests/data/tables/nth_charts.txt.
TEST(ChartList, NthChartAndPublicationCountOnlyTheRecordsOfThatKind) {
  const auto rows = test::ReadTable("tables/nth_charts.txt");
  ASSERT_EQ(rows.size(), 8u);
  for (const auto& row : rows) {
    SCOPED_TRACE(row.at(0) + " " + row.at(1) + " " + row.at(2));
    ChartList list;
    std::vector<const Chart*> records;
    for (const char kind : row[0]) {
      auto chart = std::make_unique<Chart>();
      chart->IsChart = kind == 'C' ? 1 : kind == 'P' ? 0 : 2;
      records.push_back(list.Add(std::move(chart)));
    }
    const int n = std::stoi(row[2]);
    const int expected = std::stoi(row.at(3));
    EXPECT_EQ(row[1] == "chart" ? list.NthChart(n) : list.NthPublication(n),
              expected < 0 ? nullptr : records.at(expected));
  }
}

// --- Forecast areas ------------------------------------------------------------------------

// The areas of tests/data/tables/forecast_areas.txt.
TEST(ForecastArea, ContainsStrictlyInsideTheCornersOnly) {
  const auto rows = test::ReadTable("tables/forecast_areas.txt");
  ASSERT_EQ(rows.size(), 8u);
  for (const auto& row : rows) {
    double v[6];
    for (int i = 0; i < 6; ++i) v[i] = std::stod(row.at(i));
    ForecastArea area;
    area.NorthWest.SetLatitude(v[0]);
    area.NorthWest.SetLongitude(v[1]);
    area.SouthEast.SetLatitude(v[2]);
    area.SouthEast.SetLongitude(v[3]);
    EXPECT_EQ(area.Contains(test::At(v[4], v[5])), row.at(6) == "inside") << v[4] << " " << v[5];
  }
  // A default area has both corners at 45N 5E: nothing lies strictly between them.
  EXPECT_FALSE(ForecastArea().Contains(test::At(45.0, 5.0)));
}

// --- Warning outlines ----------------------------------------------------------------------

NavWarning WarningWith(const std::vector<std::pair<double, double>>& outline) {
  NavWarning warning;
  for (const auto& [latitude, longitude] : outline) {
    CPosition2* position = warning.AddOutlinePosition();
    position->SetLatitude(latitude);
    position->SetLongitude(longitude);
  }
  return warning;
}

TEST(WarningOutline, AddGetAndRemovePositions) {
  NavWarning warning;
  CPosition2* first = warning.AddOutlinePosition();
  CPosition2* second = warning.AddOutlinePosition();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(warning.GetOutlinePosition(1), second);
  // Out of range is none, not the last position as a plain list would give.
  EXPECT_EQ(warning.GetOutlinePosition(2), nullptr);
  EXPECT_EQ(warning.GetOutlinePosition(-1), nullptr);

  NavWarning other;
  CPosition2* foreign = other.AddOutlinePosition();
  EXPECT_FALSE(warning.RemoveOutlinePosition(foreign));
  EXPECT_EQ(other.OutlineCount(), 1);

  EXPECT_TRUE(warning.RemoveOutlinePosition(first));
  EXPECT_EQ(warning.OutlineCount(), 1);
  EXPECT_EQ(warning.GetOutlinePosition(0), second);
  EXPECT_FALSE(warning.RemoveOutlinePosition(first)) << "already gone";
}

TEST(WarningOutline, CentreIsThePlainMeanOfTheOutline) {
  const struct {
    std::vector<std::pair<double, double>> outline;
    double latitude, longitude;
  } cases[] = {{{{36.0, -5.0}, {35.0, -6.0}, {34.0, -4.0}}, 35.0, -5.0},
               // Across 180 degrees the plain numbers are averaged.
               {{{0.0, 179.0}, {0.0, -179.0}}, 0.0, 0.0},
               {{{-60.0, 170.0}, {-62.0, -170.0}, {-64.0, 180.0}}, -62.0, 60.0},
               // No outline leaves the position alone.
               {{}, 12.5, -33.0}};
  for (const auto& c : cases) {
    NavWarning warning = WarningWith(c.outline);
    warning.Latitude = 12.5;
    warning.Longitude = -33.0;
    warning.UpdateCentre();
    EXPECT_DOUBLE_EQ(warning.Latitude, c.latitude);
    EXPECT_DOUBLE_EQ(warning.Longitude, c.longitude);
    EXPECT_EQ(warning.IsModified(), !c.outline.empty()) << "set through the setters";
  }
}

// --- Reporting points ----------------------------------------------------------------------

TEST(ReportingPointList, NewPointsAreNamedAndPlacedAfterTheGivenOne) {
  ReportingPointList points;
  ReportingPoint* first = points.AddNew();
  ReportingPoint* last = points.AddNew();
  ReportingPoint* middle = points.AddNew(first);
  EXPECT_EQ(points.IndexOf(middle), 1);
  EXPECT_EQ(points.IndexOf(last), 2);

  ReportingPointList other;
  const ReportingPoint* foreign = other.AddNew();
  ReportingPoint* appended = points.AddNew(foreign);
  EXPECT_EQ(points.GetLast(), appended);
  EXPECT_EQ(points.GetCount(), 4);
}

}  // namespace
}  // namespace keelmark
