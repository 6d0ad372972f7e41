#include "navigation/nearest_position.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "records/meteo_list.h"
#include "records/record_list.h"
#include "voyage/meteo_grid.h"

namespace keelmark {
namespace {

std::unique_ptr<CPosition2> At(double latitude, double longitude) {
  auto p = std::make_unique<CPosition2>();
  p->SetLatitude(latitude);
  p->SetLongitude(longitude);
  return p;
}

// Records and the positions looked up among them.
struct Lookups {
  RecordList<CPosition2> grid;
  std::vector<std::unique_ptr<CPosition2>> queries;
};

// The finder must give what the list's own search gives for every position looked up: its
// lowest index on a tie, and its answer for records and positions that are no numbers.
TEST(NearestPositionFinder, AgreesWithTheList) {
  std::mt19937 random(20261206);
  std::uniform_real_distribution<double> latitude(-80.0, 80.0), longitude(-180.0, 180.0),
      nearPole(85.0, 90.0);
  // Random ocean with exact duplicates and near-duplicates, the date line, the poles under every
  // longitude (one point on the sphere, many records) and a ring of records around each.
  Lookups ocean;
  for (int i = 0; i < 5000; ++i) ocean.grid.Add(At(latitude(random), longitude(random)));
  for (const auto& [lat, lon] :
       {std::pair{10.0, 20.0}, {10.0, 20.0}, {10.0, 20.0 + 1e-12}, {0.0, 179.9}, {0.0, -179.9}}) {
    ocean.grid.Add(At(lat, lon));
  }
  for (int lon = -180; lon < 180; lon += 15) {
    for (const auto& [lat, shift] :
         {std::pair{90.0, 0.0}, {-90.0, 0.0}, {89.0, 0.0}, {-89.5, 7.5}}) {
      ocean.grid.Add(At(lat, lon + shift));
    }
  }
  for (int i = 0; i < 2000; ++i) {
    ocean.queries.push_back(At(latitude(random), longitude(random)));
    ocean.queries.push_back(At(nearPole(random), longitude(random)));
    ocean.queries.push_back(At(-nearPole(random), longitude(random)));
  }
  for (const auto& [lat, lon] : {std::pair{10.0, 20.0},
                                 {0.0, 180.0},
                                 {0.0, -180.0},
                                 {90.0, 0.0},
                                 {90.0, 33.0},
                                 {-90.0, 0.0}}) {
    ocean.queries.push_back(At(lat, lon));
  }
  // A whole-degree grid, listed twice over and with the date line as both 180 and -180, looked
  // up half way between its points: every answer is a tie of two or four records.
  Lookups ties;
  for (int copy = 0; copy < 2; ++copy) {
    for (int lat = -10; lat <= 10; ++lat) {
      for (int lon = 170; lon <= 190; ++lon) ties.grid.Add(At(lat, lon > 180 ? lon - 360 : lon));
      ties.grid.Add(At(lat, -180.0));
    }
  }
  std::uniform_int_distribution<int> step(-20, 20);
  for (int i = 0; i < 2000; ++i) {
    ties.queries.push_back(At(step(random) * 0.5, 180.0 + step(random) * 0.5));
    ties.queries.push_back(At(step(random) * 0.5, -180.0 + step(random) * 0.5));
  }
  // Records and positions that are not numbers or lie far outside the chart (from damaged or
  // hand-made files), among records within 60 degrees of the equator.
  Lookups outside;
  outside.grid.Add(At(NAN, 0.0));
  outside.grid.Add(At(0.0, INFINITY));
  for (int i = 0; i < 500; ++i) outside.grid.Add(At(latitude(random) * 0.75, longitude(random)));
  outside.grid.Add(At(30.0, 360.0 * 1e6 + 10.0));
  outside.grid.Add(At(1e5, 20.0));
  outside.grid.Add(At(-45.0, 720.0 + 40.0));
  for (int i = 0; i < 1000; ++i)
    outside.queries.push_back(At(latitude(random) * 0.75, longitude(random)));
  for (const auto& [lat, lon] : {std::pair{30.0, 10.0},
                                 {1e5, 20.0},
                                 {-45.0, 40.0},
                                 {NAN, 0.0},
                                 {0.0, -INFINITY},
                                 {3e300, -3e300},
                                 {NAN, NAN}}) {
    outside.queries.push_back(At(lat, lon));
  }
  for (const Lookups* lookups : {&ocean, &ties, &outside}) {
    std::vector<const GeoPoint*> pointers;
    for (const auto& p : lookups->grid) pointers.push_back(p.get());
    const NearestPositionFinder finder(pointers);
    for (const auto& q : lookups->queries) {
      ASSERT_EQ(lookups->grid.GetAt(finder.NearestIndex(*q)), lookups->grid.Nearest(*q))
          << q->GetLatitude() << "," << q->GetLongitude();
    }
  }
  // Nothing comparable at all: the first record, as the list gives; no records: none.
  RecordList<CPosition2> unknown;
  unknown.Add(At(NAN, 1.0));
  unknown.Add(At(2.0, NAN));
  EXPECT_EQ(NearestPositionFinder({unknown.GetAt(0), unknown.GetAt(1)}).NearestIndex(*At(2.0, 1.0)),
            0);
  EXPECT_EQ(NearestPositionFinder({}).NearestIndex(CPosition2()), -1);
}

std::unique_ptr<MeteoObservation> Observation(double latitude, double longitude) {
  auto record = std::make_unique<MeteoObservation>();
  record->SetLatitude(latitude);
  record->SetLongitude(longitude);
  return record;
}

// An import's grid must give what the list's own search gives while it adds records, before
// and after it indexes them again: ties between indexed and added records go to the indexed
// (earlier) one, ties among added ones to the first added.
TEST(MeteoGrid, AgreesWithTheListWhileRecordsAreAdded) {
  std::mt19937 random(20261207);
  std::uniform_real_distribution<double> latitude(-60.0, 60.0), longitude(-180.0, 180.0);
  std::uniform_int_distribution<int> step(-8, 8);
  MeteoList list;
  list.Add(Observation(NAN, 0.0));
  for (int i = 0; i < 3000; ++i) list.Add(Observation(latitude(random), longitude(random)));
  for (int lat = -8; lat <= 8; lat += 2) {
    for (int lon = -8; lon <= 8; lon += 2) list.Add(Observation(lat, lon));
  }
  MeteoGrid grid(list);
  for (int i = 0; i < 3000; ++i) {
    const auto q = At(step(random) * 0.5, step(random) * 0.5);
    ASSERT_EQ(grid.Nearest(*q), list.Nearest(*q)) << i;
    if (i % 2 == 0) grid.Add(Observation(step(random), step(random)));
  }
  // From an empty list, where no distance compares at first.
  MeteoList empty;
  MeteoGrid fresh(empty);
  EXPECT_EQ(fresh.Nearest(*At(1.0, 1.0)), nullptr);
  fresh.Add(Observation(NAN, 1.0));
  EXPECT_EQ(fresh.Nearest(*At(1.0, 1.0)), empty.GetFirst());
  fresh.Add(Observation(2.0, 3.0));
  EXPECT_EQ(fresh.Nearest(*At(1.0, 1.0)), empty.GetLast());
}

}  // namespace
}  // namespace keelmark
