// CategoryTable: what the main list shows for one category: its eight columns and, per record,
// the row image and the eight cell texts.
//
// The list widget, the list export and the list printouts all show these texts, so they are
// built here once. The fill only reads the document: its caller first lets the document bring
// what the list shows up to date (CKeelmarkRouteXPDoc::UpdateForList).
#pragma once

#include <array>
#include <string>
#include <vector>

#include "document/category.h"

namespace keelmark {

class CKeelmarkRouteXPDoc;

inline constexpr int kListColumnCount = 8;

enum class Alignment { Left, Right };

struct Column {
  std::string text;  // header text; empty for the unused columns of a category
  Alignment align = Alignment::Left;
  int width = 100;  // pixels; 0 hides the column
};

// The row images, by index into the list's image list.
enum RowImage : int {
  kImageWaypoint = 0,
  kImagePassed = 1,  // a passed waypoint, a completed report
  kImageFix = 2,
  kImageChart = 3,  // charts and publications
  kImageStorm = 4,
  kImagePort = 5,
  kImageForecast = 6,
  kImageNewFix = 7,  // a fix later than the departure
  kImageWarning = 8,
};
inline constexpr int kRowImageCount = 9;

// The icon resource shown for each row image, in image-list order.
inline constexpr std::array<int, kRowImageCount> kRowImageIcons = {146, 147, 138, 144, 140,
                                                                   132, 135, 133, 136};

struct Row {
  int image = kImageWaypoint;
  std::array<std::string, kListColumnCount> cells;  // cells[0] is the record's name
};

using ColumnSet = std::array<Column, kListColumnCount>;

struct Table {
  ColumnSet columns;
  std::vector<Row> rows;  // one per record, in collection order
};

// The column heads, alignments and widths of a category.
[[nodiscard]] const ColumnSet& CategoryColumns(Category category);

// The list of a category as the document holds it now.
[[nodiscard]] Table FillCategory(const CKeelmarkRouteXPDoc& doc, Category category);

// The "Local Time" text of a zone offset in hours: "UTC + 1.0 hrs", "UTC -5.0 hrs", "UTC";
// "NA" when it is not a number.
[[nodiscard]] std::string ZoneText(double hours);

}  // namespace keelmark
