#include "navigation/nearest_position.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>

#include "records/record_list.h"

namespace keelmark {
namespace {

std::unique_ptr<CPosition2> At(double latitude, double longitude) {
  auto p = std::make_unique<CPosition2>();
  p->SetLatitude(latitude);
  p->SetLongitude(longitude);
  return p;
}

std::vector<const GeoPoint*> PointersOf(const RecordList<CPosition2>& list) {
  std::vector<const GeoPoint*> pointers;
  for (const auto& p : list) pointers.push_back(p.get());
  return pointers;
}

// A grid of records and the positions looked up in it; the finder must give what the list's
// own search gives for every one.
struct GridCase {
  const char* name;
  std::function<void(RecordList<CPosition2>&, std::vector<std::unique_ptr<CPosition2>>&,
                     std::mt19937&)>
      make;
};

class NearestAgreesWithTheList : public testing::TestWithParam<GridCase> {};

TEST_P(NearestAgreesWithTheList, OnEveryPosition) {
  std::mt19937 random(20261206);
  RecordList<CPosition2> grid;
  std::vector<std::unique_ptr<CPosition2>> queries;
  GetParam().make(grid, queries, random);
  const NearestPositionFinder finder(PointersOf(grid));
  for (const auto& q : queries) {
    const int index = finder.NearestIndex(*q);
    ASSERT_EQ(grid.GetAt(index), grid.Nearest(*q)) << q->GetLatitude() << "," << q->GetLongitude();
  }
}

void RandomOcean(RecordList<CPosition2>& grid, std::vector<std::unique_ptr<CPosition2>>& queries,
                 std::mt19937& random) {
  std::uniform_real_distribution<double> latitude(-80.0, 80.0);
  std::uniform_real_distribution<double> longitude(-180.0, 180.0);
  for (int i = 0; i < 5000; ++i) grid.Add(At(latitude(random), longitude(random)));
  // Exact duplicates and near-duplicates: ties go to the first, as in the list's own search.
  grid.Add(At(10.0, 20.0));
  grid.Add(At(10.0, 20.0));
  grid.Add(At(10.0, 20.0 + 1e-12));
  grid.Add(At(0.0, 179.9));
  grid.Add(At(0.0, -179.9));
  for (int i = 0; i < 3000; ++i) queries.push_back(At(latitude(random), longitude(random)));
  for (const auto& [lat, lon] : {std::pair{10.0, 20.0}, {0.0, 180.0}, {0.0, -180.0}, {90.0, 0.0}}) {
    queries.push_back(At(lat, lon));
  }
}

// A whole-degree grid, listed twice over and with the date line as both 180 and -180, looked
// up half way between its points: every answer is a tie of two or four records.
void WholeDegrees(RecordList<CPosition2>& grid, std::vector<std::unique_ptr<CPosition2>>& queries,
                  std::mt19937& random) {
  for (int copy = 0; copy < 2; ++copy) {
    for (int lat = -10; lat <= 10; ++lat) {
      for (int lon = 170; lon <= 190; ++lon) grid.Add(At(lat, lon > 180 ? lon - 360 : lon));
      grid.Add(At(lat, -180.0));
    }
  }
  std::uniform_int_distribution<int> step(-20, 20);
  for (int i = 0; i < 2000; ++i) {
    queries.push_back(At(step(random) * 0.5, 180.0 + step(random) * 0.5));
    queries.push_back(At(step(random) * 0.5, -180.0 + step(random) * 0.5));
  }
}

// The poles under every longitude (one point on the sphere, many records) and a ring of
// records around each, with positions near and on the poles.
void Poles(RecordList<CPosition2>& grid, std::vector<std::unique_ptr<CPosition2>>& queries,
           std::mt19937& random) {
  for (int lon = -180; lon < 180; lon += 15) {
    grid.Add(At(90.0, lon));
    grid.Add(At(-90.0, lon));
    grid.Add(At(89.0, lon));
    grid.Add(At(-89.5, lon + 7.5));
  }
  std::uniform_real_distribution<double> nearPole(85.0, 90.0);
  std::uniform_real_distribution<double> longitude(-180.0, 180.0);
  for (int i = 0; i < 1000; ++i) {
    queries.push_back(At(nearPole(random), longitude(random)));
    queries.push_back(At(-nearPole(random), longitude(random)));
  }
  queries.push_back(At(90.0, 33.0));
  queries.push_back(At(-90.0, 0.0));
}

// Records that are not numbers, and coordinates far outside the chart (from damaged or
// hand-made files), with positions of the same kinds.
void OutsideTheChart(RecordList<CPosition2>& grid,
                     std::vector<std::unique_ptr<CPosition2>>& queries, std::mt19937& random) {
  grid.Add(At(NAN, 0.0));
  grid.Add(At(0.0, INFINITY));
  std::uniform_real_distribution<double> latitude(-60.0, 60.0);
  std::uniform_real_distribution<double> longitude(-180.0, 180.0);
  for (int i = 0; i < 500; ++i) grid.Add(At(latitude(random), longitude(random)));
  grid.Add(At(30.0, 360.0 * 1e6 + 10.0));
  grid.Add(At(1e5, 20.0));
  grid.Add(At(-45.0, 720.0 + 40.0));
  for (int i = 0; i < 1000; ++i) queries.push_back(At(latitude(random), longitude(random)));
  for (const auto& [lat, lon] : {std::pair{30.0, 10.0},
                                 {1e5, 20.0},
                                 {-45.0, 40.0},
                                 {NAN, 0.0},
                                 {0.0, -INFINITY},
                                 {3e300, -3e300}}) {
    queries.push_back(At(lat, lon));
  }
}

INSTANTIATE_TEST_SUITE_P(Grids, NearestAgreesWithTheList,
                         testing::Values(GridCase{"RandomOcean", RandomOcean},
                                         GridCase{"WholeDegreesAcrossTheDateLine", WholeDegrees},
                                         GridCase{"Poles", Poles},
                                         GridCase{"OutsideTheChart", OutsideTheChart}),
                         [](const testing::TestParamInfo<GridCase>& row) {
                           return row.param.name;
                         });

TEST(NearestPositionFinder, EmptyAndNotFinite) {
  EXPECT_EQ(NearestPositionFinder({}).NearestIndex(CPosition2()), -1);
  RecordList<CPosition2> grid;
  grid.Add(At(NAN, 0.0));
  grid.Add(At(50.0, 0.0));
  const NearestPositionFinder finder(PointersOf(grid));
  EXPECT_EQ(finder.NearestIndex(*At(49.0, 0.0)), 1);
  EXPECT_EQ(finder.NearestIndex(*At(NAN, NAN)), 0);  // the list's own answer
  EXPECT_EQ(grid.GetAt(0), grid.Nearest(*At(NAN, NAN)));
  // Nothing comparable at all: the first record, as the list gives.
  RecordList<CPosition2> unknown;
  unknown.Add(At(NAN, 1.0));
  unknown.Add(At(2.0, NAN));
  EXPECT_EQ(NearestPositionFinder(PointersOf(unknown)).NearestIndex(*At(2.0, 1.0)), 0);
}

}  // namespace
}  // namespace keelmark
