// The plotting sheet drawn straight onto a QImage through QtCanvas, smoothed as the window draws
// it: an A4 page at 150 dpi with 2,000 history fixes and 10,000 average-weather records around
// the centre (target: under 100 ms), and one frame of the window while panning.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <memory>

#include "platform/ellipse_stamps.h"
#include "platform/qt_canvas.h"
#include "records/chart.h"
#include "records/history_list.h"
#include "records/meteo_list.h"
#include "records/voyage.h"
#include "reports/plotting_sheet.h"

namespace {

using namespace keelmark;

void EnsureApplication() {
  static int argc = 1;
  static char name[] = "keelmark_bench";
  static char* argv[] = {name, nullptr};
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static QGuiApplication application(argc, argv);
}

template <typename Record, typename List>
Record& AddAt(List& list, double latitude, double longitude) {
  auto record = std::make_unique<Record>();
  record->SetLatitude(latitude);
  record->SetLongitude(longitude);
  record->SetName("Fix");
  return *list.Add(std::move(record));
}

// One drawing of a sheet with `fixes` history fixes and `records` weather records onto an image
// of the given size at the given zoom (pixels per page unit). A window keeps its marks' images
// from frame to frame (`stamps`); a printout starts afresh (none).
void DrawSheets(benchmark::State& state, int fixes, int records, QSize size, double zoom,
                EllipseStamps* stamps) {
  EnsureApplication();
  Chart chart;
  chart.SetLatitude(42.0);
  chart.SetLongitude(-40.0);
  chart.Projection = static_cast<int>(state.range(0));
  chart.Scale = 5000000.0;
  chart.ChartSpare = 1.0;
  Voyage route;
  for (int i = 0; i < 12; ++i) AddAt<Waypoint>(route, 40.0 + i * 0.5, -50.0 + i * 2.0);
  HistoryList history;
  for (int i = 0; i < fixes; ++i) {
    AddAt<PositionFix>(history, 38.0 + i * 8.0 / fixes, -48.0 + i * 16.0 / fixes);
  }
  MeteoList meteo;
  for (int i = 0; i < records; ++i) {
    MeteoObservation& record =
        AddAt<MeteoObservation>(meteo, 32.0 + (i % 100) * 0.2, -50.0 + (i / 100) * 0.2);
    record.SepDec.WindSpeed = 30.0;
    record.SepDec.WindDirection = 225.0;
    record.SepDec.CurrentRate = 1.0;
    record.SepDec.CurrentSet = 90.0;
  }
  const PlottingSheet sheet(chart);
  QImage image(size, QImage::Format_RGB32);
  for (auto _ : state) {
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QtCanvas canvas(painter, zoom, 0, stamps);
    sheet.Draw(canvas, route, history, meteo, 12, "");
  }
}

// An A4 page at 150 dpi: 2,000 fixes and 10,000 weather records.
void BM_PlottingSheetToImage(benchmark::State& state) {
  DrawSheets(state, 2000, 10000, QSize(1240, 1754), 150.0 / 254.0, nullptr);
}
BENCHMARK(BM_PlottingSheetToImage)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// One frame of the Plotting sheet window while panning: a 600 x 800 window with the page
// fitted (0.28 pixels a unit), a history of 200 fixes and 500 weather records.
void BM_PlottingSheetWindowFrame(benchmark::State& state) {
  EllipseStamps stamps;
  DrawSheets(state, 200, 500, QSize(600, 800), 0.28, &stamps);
}
BENCHMARK(BM_PlottingSheetWindowFrame)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace
