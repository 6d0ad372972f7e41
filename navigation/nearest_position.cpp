#include "navigation/nearest_position.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "navigation/navigation.h"

namespace keelmark {
namespace {

// Squared chords between unit vectors order positions by great-circle distance without a
// trigonometric call. They are only a filter: every position whose squared chord comes within
// this margin of the best is measured with the navigation's own formula, so rounding can never
// pick another record than the full search would. (Rounding moves either figure by a few 1e-15;
// two distances the formula finds equal have cosines within about 1e-15.)
constexpr double kChordMargin = 1.0e-11;

// Beyond this many degrees the formula's difference of longitudes loses enough digits that the
// filter's margin might not cover it; such positions are measured on every look-up instead.
constexpr double kLargestIndexedDegrees = 1000.0;

// Ranges this small are searched point by point.
constexpr std::size_t kLeafSize = 8;

bool Indexable(const GeoPoint& p) {
  return std::fabs(p.GetLatitude()) <= kLargestIndexedDegrees &&
         std::fabs(p.GetLongitude()) <= kLargestIndexedDegrees;
}

void UnitVectorOf(const CNavigation& navigation, const GeoPoint& p, double (&out)[3]) {
  const double phi = navigation.DegToRad(p.GetLatitude());
  const double lambda = navigation.DegToRad(p.GetLongitude());
  out[0] = std::cos(phi) * std::cos(lambda);
  out[1] = std::cos(phi) * std::sin(lambda);
  out[2] = std::sin(phi);
}

double SquaredChord(const double (&a)[3], const double (&b)[3]) {
  const double dx = a[0] - b[0];
  const double dy = a[1] - b[1];
  const double dz = a[2] - b[2];
  return dx * dx + dy * dy + dz * dz;
}

}  // namespace

NearestPositionFinder::NearestPositionFinder(std::vector<const GeoPoint*> positions)
    : positions_(std::move(positions)) {
  const CNavigation navigation;
  tree_.reserve(positions_.size());
  for (std::size_t i = 0; i < positions_.size(); ++i) {
    const GeoPoint& p = *positions_[i];
    const int index = static_cast<int>(i);
    // A position that is not a number is at no distance the formula can compare: it never
    // wins, so it stays out (NaN fails the test above as well as here).
    if (!(std::isfinite(p.GetLatitude()) && std::isfinite(p.GetLongitude()))) continue;
    if (!Indexable(p)) {
      unindexed_.push_back(index);
      continue;
    }
    UnitPoint point{{}, index};
    UnitVectorOf(navigation, p, point.xyz);
    tree_.push_back(point);
  }
  splitAxis_.assign(tree_.size(), 0);
  Build(0, tree_.size());
}

void NearestPositionFinder::Build(std::size_t begin, std::size_t end) {
  if (end - begin <= kLeafSize) return;
  // Split along the axis of the widest spread.
  double low[3] = {2.0, 2.0, 2.0};
  double high[3] = {-2.0, -2.0, -2.0};
  for (std::size_t i = begin; i < end; ++i) {
    for (int a = 0; a < 3; ++a) {
      low[a] = std::min(low[a], tree_[i].xyz[a]);
      high[a] = std::max(high[a], tree_[i].xyz[a]);
    }
  }
  int axis = 0;
  for (int a = 1; a < 3; ++a) {
    if (high[a] - low[a] > high[axis] - low[axis]) axis = a;
  }
  const std::size_t middle = begin + (end - begin) / 2;
  const auto base = tree_.begin();
  std::nth_element(
      base + static_cast<std::ptrdiff_t>(begin), base + static_cast<std::ptrdiff_t>(middle),
      base + static_cast<std::ptrdiff_t>(end),
      [axis](const UnitPoint& a, const UnitPoint& b) { return a.xyz[axis] < b.xyz[axis]; });
  splitAxis_[middle] = static_cast<std::uint8_t>(axis);
  Build(begin, middle);
  Build(middle + 1, end);
}

void NearestPositionFinder::Search(std::size_t begin, std::size_t end, const double (&q)[3],
                                   double& best2, std::vector<Candidate>& candidates) const {
  const auto consider = [&](const UnitPoint& point) {
    const double chord2 = SquaredChord(point.xyz, q);
    if (chord2 > best2 + kChordMargin) return;
    best2 = std::min(best2, chord2);
    candidates.push_back({chord2, point.index});
  };
  if (end - begin <= kLeafSize) {
    for (std::size_t i = begin; i < end; ++i) consider(tree_[i]);
    return;
  }
  const std::size_t middle = begin + (end - begin) / 2;
  const UnitPoint& split = tree_[middle];
  const int axis = splitAxis_[middle];
  const double offset = q[axis] - split.xyz[axis];
  consider(split);
  // The near side first, so that the best is small before the far side is weighed.
  if (offset <= 0.0) {
    Search(begin, middle, q, best2, candidates);
    if (offset * offset <= best2 + kChordMargin) Search(middle + 1, end, q, best2, candidates);
  } else {
    Search(middle + 1, end, q, best2, candidates);
    if (offset * offset <= best2 + kChordMargin) Search(begin, middle, q, best2, candidates);
  }
}

int NearestPositionFinder::ExactNearest(const GeoPoint& position, std::vector<int> indices) const {
  // In list order, so that the first of equal distances wins.
  std::sort(indices.begin(), indices.end());
  const CNavigation navigation;
  double best = 1.0e16;
  int bestIndex = 0;
  for (const int i : indices) {
    const double d = navigation.Distance(position, *positions_[static_cast<std::size_t>(i)], true);
    if (d < best) {
      best = d;
      bestIndex = i;
    }
  }
  return bestIndex;
}

int NearestPositionFinder::NearestIndex(const GeoPoint& position) const {
  if (positions_.empty()) return -1;
  const bool finite =
      std::isfinite(position.GetLatitude()) && std::isfinite(position.GetLongitude());
  if (!finite || !Indexable(position)) {
    // Nothing comparable, or too far outside the chart for the filter: the full search decides.
    std::vector<int> all(positions_.size());
    std::iota(all.begin(), all.end(), 0);
    return ExactNearest(position, std::move(all));
  }
  double q[3];
  UnitVectorOf(CNavigation(), position, q);
  double best2 = 8.0;  // above any squared chord (at most 4)
  std::vector<Candidate> found;
  Search(0, tree_.size(), q, best2, found);
  std::vector<int> indices = unindexed_;
  for (const Candidate& c : found) {
    if (c.chord2 <= best2 + kChordMargin) indices.push_back(c.index);
  }
  return ExactNearest(position, std::move(indices));
}

}  // namespace keelmark
