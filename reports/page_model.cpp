#include "reports/page_model.h"

#include <algorithm>
#include <cmath>

namespace keelmark {

PageModel::PageModel(int pageHeight) : pageHeight_(std::max(pageHeight, 1)) {}

int PageModel::PageOf(int y) const { return y >= 0 ? 1 : -y / pageHeight_ + 1; }

int PageModel::FooterLift() const { return std::max(0, -kFooterBottom - pageHeight_); }

int PageModel::PageCount(int selectionPages, int lowestY) const {
  const int reached = (std::max(0, -lowestY) + pageHeight_ - 1) / pageHeight_;
  return std::max({selectionPages, reached, 1});
}

int PageModel::PlaceRow(int top, int height) const {
  const int page = PageOf(top);
  const int pageBottom = page == 1 ? kFooterTop + FooterLift() : BandTop(page + 1);
  if (top - height >= pageBottom) return top;
  return BandTop(page + 1) - kContinuedRowTop;
}

std::optional<int> PageCoordinate(double value) {
  if (!std::isfinite(value) || std::fabs(value) > kFarOffPage) return std::nullopt;
  return static_cast<int>(value);
}

int SelectionPageCount(int recordCount) { return std::max(recordCount, 0) / 20 + 1; }

}  // namespace keelmark
