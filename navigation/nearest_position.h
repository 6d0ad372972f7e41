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
  // Sorts the positions into one-degree cells of latitude and longitude, in one pass: a
  // recalculation builds it every time, so the build must cost little more than reading the
  // positions once.
  explicit NearestPositionFinder(std::vector<const GeoPoint*> positions);

  // Index of the position nearest this one; 0 when no distance can be compared (as the list
  // does), -1 when there are no positions. Fills the cells' unit vectors as it goes, so one
  // finder must not be used from two threads at once.
  [[nodiscard]] int NearestIndex(const GeoPoint& position) const;

 private:
  // A position of a cell, its unit vector filled the first time the cell is searched.
  struct Entry {
    double xyz[3];
    int index;
  };
  struct Candidate {
    double chord2;
    int index;
  };
  // The query in the forms the cells' bounds and the chords need.
  struct Query {
    double xyz[3];
    double sinLatitude;
    double cosLatitude;
    int row;
    int column;
  };

  // Scans the positions of one cell: every one whose squared chord to the query is within the
  // margin of the best so far goes into candidates; best2 shrinks as the search goes.
  void SearchCell(int cell, const Query& q, double& best2, std::vector<Candidate>& found) const;
  // Searches one row of cells outwards from the query's column, as far as a cell could still
  // hold a position within the margin of the best.
  void SearchRow(int row, const Query& q, double& best2, std::vector<Candidate>& found) const;
  [[nodiscard]] int ExactNearest(const GeoPoint& position, std::vector<int> indices) const;

  std::vector<const GeoPoint*> positions_;
  // The positions of cell c are entries_[cellStart_[c] .. cellStart_[c + 1]).
  std::vector<int> cellStart_;
  mutable std::vector<Entry> entries_;
  mutable std::vector<std::uint8_t> cellFilled_;
  // Positions outside the cells (latitudes beyond the poles, coordinates beyond
  // kLargestIndexedDegrees): measured on every look-up.
  std::vector<int> unindexed_;
};

}  // namespace keelmark
