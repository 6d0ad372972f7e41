// Rendering printouts to PDF through the whole print path: the sheet recorded once, then each
// page's band replayed onto a QPdfWriter (A4, 5 mm margins, 1200 dpi).
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPdfWriter>
#include <filesystem>
#include <memory>

#include "document/keelmark_document.h"
#include "document/prompter.h"
#include "navigation/clock.h"
#include "platform/sheet_printer.h"
#include "records/settings_store.h"
#include "reports/printout.h"

namespace {

using namespace keelmark;
namespace fs = std::filesystem;

constexpr PrintoutKind kAllPrintouts[] = {
    PrintoutKind::WaypointList, PrintoutKind::History,         PrintoutKind::VoyageSchedule,
    PrintoutKind::Warnings,     PrintoutKind::ReportingPoints, PrintoutKind::Publications,
    PrintoutKind::PortSheet,    PrintoutKind::Charts,          PrintoutKind::RouteWeather,
    PrintoutKind::Storms,       PrintoutKind::CoverPage,       PrintoutKind::Performance};

QGuiApplication& Application() {
  static int argc = 1;
  static char name[] = "keelmark_bench";
  static char* argv[] = {name, nullptr};
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static QGuiApplication application(argc, argv);
  return application;
}

// The example data in a folder of its own, with its route open.
struct Example {
  Example() : folder(fs::temp_directory_path() / "keelmark-print-bench") {
    fs::remove_all(folder);
    fs::create_directories(folder);
    for (const auto& entry : fs::directory_iterator(KEELMARK_EXAMPLES)) {
      if (entry.is_regular_file()) fs::copy_file(entry.path(), folder / entry.path().filename());
    }
    doc = std::make_unique<CKeelmarkRouteXPDoc>(store, prompter, folder.string());
    (void)doc->OpenRouteDocument((folder / "atlantic-westbound.q3v").string());
    doc->performanceTill = doc->GetHistory().GetCount() - 1;
  }
  ~Example() {
    doc.reset();
    fs::remove_all(folder);
  }
  fs::path folder;
  MemorySettingsStore store;
  ScriptedPrompter prompter;
  std::unique_ptr<CKeelmarkRouteXPDoc> doc;
};

int PrintToPdf(CKeelmarkRouteXPDoc& doc) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  QPdfWriter writer(&buffer);
  writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                   QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter));
  return PrintPrintout(DocumentPrintout(doc, "atlantic-westbound.q3v"), writer);
}

void BM_EveryExamplePrintoutToPdf(benchmark::State& state) {
  Application();
  Example example;
  for (auto _ : state) {
    int pages = 0;
    for (PrintoutKind kind : kAllPrintouts) {
      SelectPrintout(example.doc->GetSettings(), kind);
      pages += PrintToPdf(*example.doc);
    }
    benchmark::DoNotOptimize(pages);
  }
}
BENCHMARK(BM_EveryExamplePrintoutToPdf)->Unit(benchmark::kMillisecond);

void BM_WaypointListOf2000ToPdf(benchmark::State& state) {
  Application();
  Example example;
  Voyage& route = example.doc->GetRoute();
  route.RemoveAll();
  for (int i = 0; i < 2000; ++i) {
    auto waypoint = std::make_unique<Waypoint>();
    waypoint->SetName("Waypoint " + std::to_string(i));
    waypoint->SetLatitude(40.0 + (i % 100) * 0.05);
    waypoint->SetLongitude(-70.0 + i * 0.03);
    waypoint->LegDistance = 1.8;
    route.Add(std::move(waypoint));
  }
  SelectPrintout(example.doc->GetSettings(), PrintoutKind::WaypointList);
  for (auto _ : state) benchmark::DoNotOptimize(PrintToPdf(*example.doc));
}
BENCHMARK(BM_WaypointListOf2000ToPdf)->Unit(benchmark::kMillisecond);

}  // namespace
