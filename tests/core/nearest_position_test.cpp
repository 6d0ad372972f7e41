#include "navigation/nearest_position.h"

#include <gtest/gtest.h>

#include <cmath>
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

TEST(NearestPositionFinder, AgreesWithTheListOnRandomGridsDuplicatesAndTheDateLine) {
  std::mt19937 random(20261206);
  std::uniform_real_distribution<double> latitude(-80.0, 80.0);
  std::uniform_real_distribution<double> longitude(-180.0, 180.0);
  RecordList<CPosition2> grid;
  for (int i = 0; i < 400; ++i) grid.Add(At(latitude(random), longitude(random)));
  // Exact duplicates and near-duplicates: ties go to the first, as in the list's own search.
  grid.Add(At(10.0, 20.0));
  grid.Add(At(10.0, 20.0));
  grid.Add(At(10.0, 20.0 + 1e-12));
  grid.Add(At(0.0, 179.9));
  grid.Add(At(0.0, -179.9));
  const NearestPositionFinder finder(PointersOf(grid));
  std::vector<std::unique_ptr<CPosition2>> queries;
  for (int i = 0; i < 2000; ++i) queries.push_back(At(latitude(random), longitude(random)));
  queries.push_back(At(10.0, 20.0));
  queries.push_back(At(0.0, 180.0));
  queries.push_back(At(0.0, -180.0));
  queries.push_back(At(90.0, 0.0));
  for (const auto& q : queries) {
    const int index = finder.NearestIndex(*q);
    ASSERT_EQ(grid.GetAt(index), grid.Nearest(*q)) << q->GetLatitude() << "," << q->GetLongitude();
  }
}

TEST(NearestPositionFinder, EmptyAndNotFinite) {
  EXPECT_EQ(NearestPositionFinder({}).NearestIndex(CPosition2()), -1);
  RecordList<CPosition2> grid;
  grid.Add(At(NAN, 0.0));
  grid.Add(At(50.0, 0.0));
  const NearestPositionFinder finder(PointersOf(grid));
  EXPECT_EQ(finder.NearestIndex(*At(49.0, 0.0)), 1);
  EXPECT_EQ(finder.NearestIndex(*At(NAN, NAN)), 0);  // the list's own answer
  EXPECT_EQ(grid.GetAt(0), grid.Nearest(*At(NAN, NAN)));
}

}  // namespace
}  // namespace keelmark
