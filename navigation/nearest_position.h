// NearestPositionFinder: many nearest-record look-ups in one list, with the answers of
// RecordList::Nearest (great-circle distance, the first record on a tie) at a fraction of
// the cost.
#pragma once

#include <array>
#include <vector>

#include "navigation/geo_point.h"

namespace keelmark {

class NearestPositionFinder {
 public:
  explicit NearestPositionFinder(std::vector<const GeoPoint*> positions);

  // Index of the position nearest this one; 0 when no distance can be compared (as the list
  // does), -1 when there are no positions.
  [[nodiscard]] int NearestIndex(const GeoPoint& position) const;

 private:
  using UnitVector = std::array<double, 3>;

  [[nodiscard]] int ExactNearest(const GeoPoint& position, const std::vector<int>& indices) const;

  std::vector<const GeoPoint*> positions_;
  std::vector<UnitVector> units_;  // the positions on the unit sphere
};

}  // namespace keelmark
