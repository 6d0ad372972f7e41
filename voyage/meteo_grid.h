// MeteoGrid: the nearest record of an average-weather list for many positions in a row while
// records are being added, as an import merges line after line into a large grid.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "navigation/nearest_position.h"

namespace keelmark {

class CPosition2;
class MeteoList;
class MeteoObservation;

class MeteoGrid {
 public:
  // Indexes the list as it is; the list must change only through Add while the grid is used.
  explicit MeteoGrid(MeteoList& list);

  // What the list's own search (MeteoList::Nearest) gives: the nearest record by great-circle
  // distance, the first on a tie, the first record when no distance compares; none when the
  // list is empty.
  [[nodiscard]] MeteoObservation* Nearest(const CPosition2& position) const;
  // Appends the record to the list.
  MeteoObservation* Add(std::unique_ptr<MeteoObservation> record);

 private:
  void Index();

  MeteoList& list_;
  std::vector<MeteoObservation*> indexed_;
  std::optional<NearestPositionFinder> finder_;
  // Records added since the index was built, searched one by one until there are enough of
  // them to be worth indexing again.
  std::vector<MeteoObservation*> added_;
};

}  // namespace keelmark
