// CSheetChart: the editor of a nautical chart (details, scale and corners, background bitmap)
// and of a nautical publication (details only).
#pragma once

#include <cstdint>
#include <string>

#include "app/property_sheet.h"
#include "records/chart.h"

namespace keelmark {

class CSheetChart : public PropertySheet {
  Q_OBJECT

 public:
  struct Values {
    std::string name;
    TimeValue edition = 0;
    std::string publisher;
    std::string number;
    double topLeftLatitude = 0.0;
    double topLeftLongitude = 0.0;
    double bottomRightLatitude = 0.0;
    double bottomRightLongitude = 0.0;
    double scale = 0.0;
    double scaleLatitude = 0.0;
    std::int32_t projection = 0;  // 0 Mercator, 1 Gnomonic
    std::string bitmapPath;
    std::int32_t useBitmap = 0;
  };

  // A chart editor shows every page; a publication editor the details only.
  using Kind = ChartKind;

  CSheetChart(const QString& caption, Chart& chart, Kind kind, Prompter& prompter,
              QWidget* parent = nullptr);

 protected:
  void CopyIn() override;
  void CopyBack() override;

 private:
  Chart& chart_;
  Kind kind_;
  Values values_;
  Values opened_;  // as copied in, to keep the corners' extents exact when they are not changed
};

}  // namespace keelmark
