// The plotting sheet drawn straight onto a QImage (A4 at 150 dpi) through QtCanvas, with 2,000
// history fixes and 10,000 average-weather records around the centre: the figure per drawing
// is what a print page or an on-screen redraw costs. Target: under 100 ms.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <memory>

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

void BM_PlottingSheetToImage(benchmark::State& state) {
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
  for (int i = 0; i < 2000; ++i) AddAt<PositionFix>(history, 38.0 + i * 0.004, -48.0 + i * 0.008);
  MeteoList meteo;
  for (int i = 0; i < 10000; ++i) {
    MeteoObservation& record =
        AddAt<MeteoObservation>(meteo, 32.0 + (i % 100) * 0.2, -50.0 + (i / 100) * 0.2);
    record.SepDec.WindSpeed = 30.0;
    record.SepDec.WindDirection = 225.0;
    record.SepDec.CurrentRate = 1.0;
    record.SepDec.CurrentSet = 90.0;
  }
  const PlottingSheet sheet(chart);
  QImage image(1240, 1754, QImage::Format_RGB32);
  for (auto _ : state) {
    image.fill(Qt::white);
    QPainter painter(&image);
    QtCanvas canvas(painter, 150.0 / 254.0);
    sheet.Draw(canvas, route, history, meteo, 12, "");
  }
}
BENCHMARK(BM_PlottingSheetToImage)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace
