// PageModel: how a printout's continuous sheet falls onto pages. Page n shows the band of the
// sheet from y = 0 - (n - 1) x H downwards, H being the printable height of the page in page
// units (0.1 mm). The page header and footer sit at fixed places of the first page.
//
// Rows of a list never straddle two pages: a row that would cross a page's bottom edge, or
// reach into the footer of the first page, goes to the top of the next page instead. On a
// page too short for the footer (US letter) the footer moves up until it fits.
#pragma once

#include <optional>

namespace keelmark {

// Page units per millimetre.
inline constexpr int kUnitsPerMm = 10;

// The footer's lines, their fixed tops on the first page and the lowest point they reach.
inline constexpr int kFooterTop = -2750;
inline constexpr int kFooterFileNameTop = -2800;
inline constexpr int kFooterBottom = -2840;
// How far below the top of a later page a row moved there starts.
inline constexpr int kContinuedRowTop = 200;

class PageModel {
 public:
  // The printable height of a page, page units (at least 1).
  explicit PageModel(int pageHeight);

  [[nodiscard]] int PageHeight() const { return pageHeight_; }
  // The sheet's y at the top of page n (from 1).
  [[nodiscard]] int BandTop(int page) const { return -(page - 1) * pageHeight_; }
  // The page (from 1) whose band holds the sheet's y; y above the sheet is on page 1.
  [[nodiscard]] int PageOf(int y) const;
  // How far up the footer moves so that it ends on the page: 0 on pages of A4 height.
  [[nodiscard]] int FooterLift() const;
  // The number of pages to print: the count the selection asks for (N div 20 + 1), or more
  // when the drawing reaches further down (lowestY, page units, at most 0).
  [[nodiscard]] int PageCount(int selectionPages, int lowestY) const;
  // Where a row or block of this height that would start at `top` starts: there, or
  // kContinuedRowTop below the next page's top when it would not fit on its own page.
  [[nodiscard]] int PlaceRow(int top, int height) const;

 private:
  int pageHeight_;
};

// A computed page coordinate truncated toward zero; none when it is no number or lies more
// than kFarOffPage units (100 m) off the page, so that no cast sees a value an int cannot hold.
inline constexpr double kFarOffPage = 1.0e6;
[[nodiscard]] std::optional<int> PageCoordinate(double value);

// The page count the print dialog offers for N listed records: N div 20 + 1.
[[nodiscard]] int SelectionPageCount(int recordCount);

}  // namespace keelmark
