#include "voyage/meteo_grid.h"

#include <algorithm>

#include "navigation/navigation.h"
#include "records/meteo_list.h"

namespace keelmark {
namespace {

// Records added before the index is built again: a few, or a small share of the grid, so that
// neither searching them nor building the index comes to dominate an import.
std::size_t AddedBeforeIndexing(std::size_t indexed) {
  return std::max<std::size_t>(32, indexed / 256);
}

// The list's own search starts from this distance.
constexpr double kFarther = 1.0e16;

}  // namespace

MeteoGrid::MeteoGrid(MeteoList& list) : list_(list) { Index(); }

void MeteoGrid::Index() {
  indexed_.clear();
  indexed_.reserve(static_cast<std::size_t>(list_.GetCount()));
  for (const auto& record : list_) indexed_.push_back(record.get());
  finder_.emplace(std::vector<const GeoPoint*>(indexed_.begin(), indexed_.end()));
  added_.clear();
}

MeteoObservation* MeteoGrid::Nearest(const CPosition2& position) const {
  if (list_.IsEmpty()) return nullptr;
  // The indexed records come first in the list, and the added ones after them in the order
  // they came: an added record wins only when it is strictly nearer, as in the list's search.
  const CNavigation navigation;
  MeteoObservation* best = list_.GetFirst();
  double bestDistance = kFarther;
  const int index = finder_->NearestIndex(position);
  if (index >= 0) {
    MeteoObservation* found = indexed_[static_cast<std::size_t>(index)];
    const double d = navigation.Distance(position, *found, true);
    if (d < bestDistance) {
      bestDistance = d;
      best = found;
    }
  }
  for (MeteoObservation* record : added_) {
    const double d = navigation.Distance(position, *record, true);
    if (d < bestDistance) {
      bestDistance = d;
      best = record;
    }
  }
  return best;
}

MeteoObservation* MeteoGrid::Add(std::unique_ptr<MeteoObservation> record) {
  MeteoObservation* added = list_.Add(std::move(record));
  added_.push_back(added);
  if (added_.size() > AddedBeforeIndexing(indexed_.size())) Index();
  return added;
}

}  // namespace keelmark
