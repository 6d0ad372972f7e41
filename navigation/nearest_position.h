// NearestPositionFinder: many nearest-record look-ups in one list, with the answers of
// RecordList::Nearest (great-circle distance, the first record on a tie) at a fraction of
// the cost.
#pragma once

#include <cstdint>
#include <vector>

#include "navigation/geo_point.h"

namespace keelmark {

class NearestPositionFinder {
 public:
  // Builds the index once (n log n); every look-up then visits a few dozen positions.
  explicit NearestPositionFinder(std::vector<const GeoPoint*> positions);

  // Index of the position nearest this one; 0 when no distance can be compared (as the list
  // does), -1 when there are no positions.
  [[nodiscard]] int NearestIndex(const GeoPoint& position) const;

 private:
  // A position on the unit sphere and its index in the list.
  struct UnitPoint {
    double xyz[3];
    int index;
  };

  void Build(std::size_t begin, std::size_t end);
  // Every point whose squared chord to q is within the margin of the best found so far goes
  // into candidates; best2 shrinks as the search goes.
  struct Candidate {
    double chord2;
    int index;
  };
  void Search(std::size_t begin, std::size_t end, const double (&q)[3], double& best2,
              std::vector<Candidate>& candidates) const;
  [[nodiscard]] int ExactNearest(const GeoPoint& position, std::vector<int> indices) const;

  std::vector<const GeoPoint*> positions_;
  // A k-d tree in one array: the range [begin, end) splits at its middle point along
  // splitAxis_[middle]; the lower half lies at or below that point, the upper half at or above.
  std::vector<UnitPoint> tree_;
  std::vector<std::uint8_t> splitAxis_;
  // Positions too far outside the chart for the unit-vector filter to be trusted (coordinates
  // beyond kLargestIndexedDegrees): measured on every look-up.
  std::vector<int> unindexed_;
};

}  // namespace keelmark
