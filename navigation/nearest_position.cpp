#include "navigation/nearest_position.h"

#include <algorithm>
#include <array>
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
// A cell is passed over only when even its bound, less this allowance for the bound's own
// rounding, lies beyond the margin.
constexpr double kBoundSlack = 1.0e-12;

// Beyond this many degrees of longitude the formula's difference of longitudes loses enough
// digits that the filter's margin might not cover it; such positions, and latitudes beyond the
// poles, are measured on every look-up instead.
constexpr double kLargestIndexedDegrees = 1000.0;

constexpr int kRows = 180;     // one a degree of latitude, from the south pole
constexpr int kColumns = 360;  // one a degree of longitude, from 0 eastwards

// Sines and cosines of whole degrees: the cells' edges and their differences of longitude.
struct DegreeTables {
  std::array<double, kRows + 1> sinEdge{};  // latitude -90 + i
  std::array<double, kRows + 1> cosEdge{};
  std::array<double, kColumns / 2 + 1> cosDegrees{};  // i degrees
  DegreeTables() {
    const CNavigation navigation;
    for (int i = 0; i <= kRows; ++i) {
      const double phi = navigation.DegToRad(-90.0 + i);
      sinEdge[static_cast<std::size_t>(i)] = std::sin(phi);
      // Never below 0: the bound relies on cosines of latitudes being positive.
      cosEdge[static_cast<std::size_t>(i)] = std::max(0.0, std::cos(phi));
    }
    for (int i = 0; i <= kColumns / 2; ++i) {
      cosDegrees[static_cast<std::size_t>(i)] = std::cos(navigation.DegToRad(i));
    }
  }
};

const DegreeTables& Tables() {
  static const DegreeTables tables;
  return tables;
}

bool Indexable(const GeoPoint& p) {
  return std::fabs(p.GetLatitude()) <= 90.0 &&
         std::fabs(p.GetLongitude()) <= kLargestIndexedDegrees;
}

int RowOf(double latitude) {
  return std::clamp(static_cast<int>(std::floor(latitude + 90.0)), 0, kRows - 1);
}

int ColumnOf(double longitude) {
  const double east = longitude - 360.0 * std::floor(longitude / 360.0);
  return std::clamp(static_cast<int>(std::floor(east)), 0, kColumns - 1);
}

void UnitVectorOf(const GeoPoint& p, double (&out)[3]) {
  const CNavigation navigation;
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

// The least squared chord from the query to any point of row `row` whose longitude differs
// from the query's by at least `degrees` (0 to 180). The cosine of the angle between them is
// sin(q) sin(p) + cos(q) cos(p) cos(dLon); cos(q) cos(p) is never negative, so the nearest
// longitude gives the most, and over the row's latitudes a sin(p) + b cos(p) peaks inside the
// row where its slope turns, else at an edge.
double CellBound(int row, int degrees, double sinQ, double cosQ) {
  const DegreeTables& t = Tables();
  const auto r = static_cast<std::size_t>(row);
  const double a = sinQ;
  const double b = cosQ * t.cosDegrees[static_cast<std::size_t>(degrees)];
  const double s0 = t.sinEdge[r], c0 = t.cosEdge[r], s1 = t.sinEdge[r + 1], c1 = t.cosEdge[r + 1];
  const bool peakInside = a * c0 - b * s0 >= 0.0 && a * c1 - b * s1 <= 0.0;
  const double most =
      peakInside ? std::sqrt(a * a + b * b) : std::max(a * s0 + b * c0, a * s1 + b * c1);
  return 2.0 - 2.0 * std::min(1.0, most);
}

}  // namespace

NearestPositionFinder::NearestPositionFinder(std::vector<const GeoPoint*> positions)
    : positions_(std::move(positions)) {
  // Counting sort by cell: count, turn counts into starts, then place.
  std::vector<int> cellOf(positions_.size(), -1);
  cellStart_.assign(kRows * kColumns + 1, 0);
  for (std::size_t i = 0; i < positions_.size(); ++i) {
    const GeoPoint& p = *positions_[i];
    // A position that is not a number is at no distance the formula can compare: it never
    // wins, so it stays out.
    if (!(std::isfinite(p.GetLatitude()) && std::isfinite(p.GetLongitude()))) continue;
    if (!Indexable(p)) {
      unindexed_.push_back(static_cast<int>(i));
      continue;
    }
    cellOf[i] = RowOf(p.GetLatitude()) * kColumns + ColumnOf(p.GetLongitude());
    ++cellStart_[static_cast<std::size_t>(cellOf[i]) + 1];
  }
  std::partial_sum(cellStart_.begin(), cellStart_.end(), cellStart_.begin());
  entries_.resize(static_cast<std::size_t>(cellStart_.back()));
  std::vector<int> next(cellStart_.begin(), cellStart_.end() - 1);
  for (std::size_t i = 0; i < positions_.size(); ++i) {
    if (cellOf[i] < 0) continue;
    const int slot = next[static_cast<std::size_t>(cellOf[i])]++;
    entries_[static_cast<std::size_t>(slot)].index = static_cast<int>(i);
  }
  cellFilled_.assign(kRows * kColumns, 0);
}

void NearestPositionFinder::SearchCell(int cell, const Query& q, double& best2,
                                       std::vector<Candidate>& found) const {
  const auto c = static_cast<std::size_t>(cell);
  const auto begin = static_cast<std::size_t>(cellStart_[c]);
  const auto end = static_cast<std::size_t>(cellStart_[c + 1]);
  if (begin == end) return;
  if (cellFilled_[c] == 0) {
    for (std::size_t i = begin; i < end; ++i) {
      UnitVectorOf(*positions_[static_cast<std::size_t>(entries_[i].index)], entries_[i].xyz);
    }
    cellFilled_[c] = 1;
  }
  for (std::size_t i = begin; i < end; ++i) {
    const double chord2 = SquaredChord(entries_[i].xyz, q.xyz);
    if (chord2 > best2 + kChordMargin) continue;
    best2 = std::min(best2, chord2);
    found.push_back({chord2, entries_[i].index});
  }
}

void NearestPositionFinder::SearchRow(int row, const Query& q, double& best2,
                                      std::vector<Candidate>& found) const {
  // Outwards in both directions at once; the bound grows with the columns' distance, so the
  // first column out of reach ends the row.
  for (int step = 0; step <= kColumns / 2; ++step) {
    const int degrees = std::max(0, step - 1);  // the least difference of longitude in the cell
    if (CellBound(row, degrees, q.sinLatitude, q.cosLatitude) - kBoundSlack >
        best2 + kChordMargin) {
      return;
    }
    const int east = (q.column + step) % kColumns;
    const int west = (q.column - step + kColumns) % kColumns;
    SearchCell(row * kColumns + east, q, best2, found);
    if (west != east) SearchCell(row * kColumns + west, q, best2, found);
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
    // Nothing comparable, or outside the cells: the full search decides.
    std::vector<int> all(positions_.size());
    std::iota(all.begin(), all.end(), 0);
    return ExactNearest(position, std::move(all));
  }
  Query q{};
  UnitVectorOf(position, q.xyz);
  q.sinLatitude = q.xyz[2];
  q.cosLatitude = std::max(0.0, std::cos(CNavigation().DegToRad(position.GetLatitude())));
  q.row = RowOf(position.GetLatitude());
  q.column = ColumnOf(position.GetLongitude());
  double best2 = 8.0;  // above any squared chord (at most 4)
  std::vector<Candidate> found;
  // Rows outwards from the query's; a row whose nearest point is out of reach ends that
  // direction, as every row beyond it lies farther in latitude.
  const auto reachable = [&](int row) {
    return CellBound(row, 0, q.sinLatitude, q.cosLatitude) - kBoundSlack <= best2 + kChordMargin;
  };
  SearchRow(q.row, q, best2, found);
  bool south = true;
  bool north = true;
  for (int step = 1; south || north; ++step) {
    south = south && q.row - step >= 0 && reachable(q.row - step);
    if (south) SearchRow(q.row - step, q, best2, found);
    north = north && q.row + step < kRows && reachable(q.row + step);
    if (north) SearchRow(q.row + step, q, best2, found);
  }
  std::vector<int> indices = unindexed_;
  for (const Candidate& c : found) {
    if (c.chord2 <= best2 + kChordMargin) indices.push_back(c.index);
  }
  return ExactNearest(position, std::move(indices));
}

}  // namespace keelmark
