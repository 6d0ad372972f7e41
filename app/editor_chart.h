// CSheetChart: the editor of a nautical chart (details, scale and corners, background bitmap)
// and of a nautical publication (details only).
#pragma once

#include <cstdint>

#include "app/record_sheet.h"
#include "records/chart.h"

namespace keelmark {

class CSheetChart : public RecordSheet<Chart> {
  Q_OBJECT

 public:
  // What the pages show besides the chart's own fields: the record keeps the top left corner
  // and the extents, and no bitmap as an empty path.
  struct Shown {
    double bottomRightLatitude = 0.0;
    double bottomRightLongitude = 0.0;
    std::int32_t useBitmap = 0;
  };

  // A chart editor shows every page; a publication editor the details only.
  using Kind = ChartKind;

  CSheetChart(const QString& caption, Chart& chart, Kind kind, Prompter& prompter,
              QWidget* parent = nullptr);

 protected:
  void Opened() override;
  void Taking() override;

 private:
  Chart& chart_;
  Kind kind_;
  Shown shown_;
};

}  // namespace keelmark
