#include "navigation/nearest_position.h"

#include <cmath>
#include <numeric>

#include "navigation/navigation.h"

namespace keelmark {
namespace {

// Dot products of unit vectors order positions by great-circle distance without a single
// trigonometric call. They are only a filter: every position whose dot product comes within
// this margin of the best is measured with the navigation's own formula, so rounding can never
// pick another record than the full search would.
constexpr double kDotMargin = 1.0e-12;

std::array<double, 3> UnitVectorOf(const CNavigation& navigation, const GeoPoint& p) {
  const double phi = navigation.DegToRad(p.GetLatitude());
  const double lambda = navigation.DegToRad(p.GetLongitude());
  return {std::cos(phi) * std::cos(lambda), std::cos(phi) * std::sin(lambda), std::sin(phi)};
}

}  // namespace

NearestPositionFinder::NearestPositionFinder(std::vector<const GeoPoint*> positions)
    : positions_(std::move(positions)) {
  const CNavigation navigation;
  units_.reserve(positions_.size());
  for (const GeoPoint* p : positions_) units_.push_back(UnitVectorOf(navigation, *p));
}

int NearestPositionFinder::ExactNearest(const GeoPoint& position,
                                        const std::vector<int>& indices) const {
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
  const CNavigation navigation;
  const auto q = UnitVectorOf(navigation, position);
  std::vector<double> dots(units_.size());
  double bestDot = -2.0;
  for (std::size_t i = 0; i < units_.size(); ++i) {
    const auto& u = units_[i];
    dots[i] = u[0] * q[0] + u[1] * q[1] + u[2] * q[2];
    if (dots[i] > bestDot) bestDot = dots[i];
  }
  std::vector<int> candidates;
  if (!std::isfinite(bestDot) || bestDot < -1.5) {
    // Nothing comparable (a position that is not finite): the full search decides.
    candidates.resize(positions_.size());
    std::iota(candidates.begin(), candidates.end(), 0);
  } else {
    for (std::size_t i = 0; i < dots.size(); ++i) {
      if (dots[i] >= bestDot - kDotMargin) candidates.push_back(static_cast<int>(i));
    }
  }
  return ExactNearest(position, candidates);
}

}  // namespace keelmark
