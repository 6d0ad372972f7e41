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

namespace keelmark {
namespace {

// --- Charts and publications ---------------------------------------------------------------

struct NthCase {
  const char* kinds;  // one letter per record in list order: C chart, P publication, X other
  bool charts;        // NthChart, else NthPublication
  int n;
  int expectedIndex;  // -1: none
};

class NthKindTest : public testing::TestWithParam<NthCase> {};

TEST_P(NthKindTest, CountsOnlyTheRecordsOfThatKind) {
  const NthCase& c = GetParam();
  ChartList list;
  std::vector<const Chart*> records;
  for (const char* kind = c.kinds; *kind != '\0'; ++kind) {
    auto chart = std::make_unique<Chart>();
    chart->IsChart = *kind == 'C' ? 1 : *kind == 'P' ? 0 : 2;
    records.push_back(list.Add(std::move(chart)));
  }
  const Chart* found = c.charts ? list.NthChart(c.n) : list.NthPublication(c.n);
  const Chart* expected = c.expectedIndex < 0 ? nullptr : records[c.expectedIndex];
  EXPECT_EQ(found, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Interleaved, NthKindTest,
    testing::Values(NthCase{"PCC", true, 2, -1}, NthCase{"PCC", false, 1, -1},
                    NthCase{"CPCPPC", true, 2, 5}, NthCase{"CPCPPC", false, 2, 4},
                    NthCase{"CP", true, -1, -1},
                    // Any IsChart but 1 is a publication, as the Publications list shows it:
                    // its row must open that record, not the next publication.
                    NthCase{"XCP", true, 0, 1}, NthCase{"XCP", false, 0, 0},
                    NthCase{"XCP", false, 1, 2}));

// --- Forecast areas ------------------------------------------------------------------------

struct ContainsCase {
  double latitude;
  double longitude;
  bool inside;
};

class ForecastContainsTest : public testing::TestWithParam<ContainsCase> {};

TEST_P(ForecastContainsTest, StrictlyInsideTheCorners) {
  ForecastArea area;
  area.NorthWest.SetLatitude(50.0);
  area.NorthWest.SetLongitude(-20.0);
  area.SouthEast.SetLatitude(40.0);
  area.SouthEast.SetLongitude(-5.0);
  CPosition2 p;
  p.SetLatitude(GetParam().latitude);
  p.SetLongitude(GetParam().longitude);
  EXPECT_EQ(area.Contains(p), GetParam().inside);
}

INSTANTIATE_TEST_SUITE_P(
    Edges, ForecastContainsTest,
    testing::Values(ContainsCase{49.999, -19.999, true}, ContainsCase{40.001, -5.001, true},
                    // Each border is outside.
                    ContainsCase{50.0, -10.0, false}, ContainsCase{40.0, -10.0, false},
                    ContainsCase{45.0, -20.0, false}, ContainsCase{45.0, -5.0, false}));

TEST(ForecastContains, CornersSwappedOrAcross180ContainNothing) {
  ForecastArea across;
  across.NorthWest.SetLatitude(10.0);
  across.NorthWest.SetLongitude(170.0);
  across.SouthEast.SetLatitude(-10.0);
  across.SouthEast.SetLongitude(-170.0);
  CPosition2 p;
  p.SetLatitude(0.0);
  for (double longitude : {179.0, -179.0, 180.0, 0.0}) {
    p.SetLongitude(longitude);
    EXPECT_FALSE(across.Contains(p)) << longitude;
  }
  // A default area has both corners at 45N 5E: nothing lies strictly between them.
  p.SetLatitude(45.0);
  p.SetLongitude(5.0);
  EXPECT_FALSE(ForecastArea().Contains(p));
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

struct CentreCase {
  std::vector<std::pair<double, double>> outline;
  double latitude;
  double longitude;
};

class UpdateCentreTest : public testing::TestWithParam<CentreCase> {};

TEST_P(UpdateCentreTest, CentreIsThePlainMeanOfTheOutline) {
  NavWarning warning = WarningWith(GetParam().outline);
  EXPECT_FALSE(warning.IsModified());
  warning.UpdateCentre();
  EXPECT_DOUBLE_EQ(warning.Latitude, GetParam().latitude);
  EXPECT_DOUBLE_EQ(warning.Longitude, GetParam().longitude);
  EXPECT_TRUE(warning.IsModified()) << "set through the setters";
}

INSTANTIATE_TEST_SUITE_P(
    Outlines, UpdateCentreTest,
    testing::Values(CentreCase{{{36.0, -5.0}, {35.0, -6.0}, {34.0, -4.0}}, 35.0, -5.0},
                    // Across 180 degrees the plain numbers are averaged.
                    CentreCase{{{0.0, 179.0}, {0.0, -179.0}}, 0.0, 0.0},
                    CentreCase{{{-60.0, 170.0}, {-62.0, -170.0}, {-64.0, 180.0}}, -62.0, 60.0}));

TEST(WarningOutline, NoOutlineLeavesThePositionAlone) {
  NavWarning warning;
  warning.Latitude = 12.5;
  warning.Longitude = -33.0;
  warning.UpdateCentre();
  EXPECT_EQ(warning.Latitude, 12.5);
  EXPECT_EQ(warning.Longitude, -33.0);
  EXPECT_FALSE(warning.IsModified());
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
