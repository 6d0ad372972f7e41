// Filling the lists as the list view does (the document brought up to date, then the rows), at
// 500, 2,000, 8,000 and 32,000 rows: every fill should grow linearly. The route's lists grow
// with the waypoints; every other list grows by its own records beside a route of 20.
#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <string>

#include <unistd.h>

#include "document/category_edits.h"
#include "document/keelmark_document.h"
#include "document/prompter.h"
#include "records/settings_store.h"
#include "reports/category_table.h"

namespace {

using namespace keelmark;
namespace fs = std::filesystem;

// A document on a folder of empty data files, its route `waypoints` long: a zig-zag west across
// the Atlantic, departing on the day number 9800 and due 60 days later.
struct RouteDocument {
  explicit RouteDocument(int waypoints)
      : folder(fs::temp_directory_path() / ("keelmark-list-bench-" + std::to_string(::getpid()))) {
    fs::create_directories(folder);
    doc = std::make_unique<CKeelmarkRouteXPDoc>(store, prompter, folder.string(),
                                                DataAccess::ReadOnly);
    Voyage& route = doc->GetRoute();
    for (int i = 0; i < waypoints; ++i) {
      auto w = std::make_unique<Waypoint>();
      w->SetName("WP" + std::to_string(i));
      w->SetLatitude(40.0 + 5.0 * std::sin(i * 0.01));
      w->SetLongitude(-10.0 - 60.0 * i / waypoints);
      w->GreatCircle = i % 2;
      w->UseVoyageWeather = 0;
      route.Add(std::move(w));
    }
    route.GetFirst()->SetTime(9800.0);
    route.GetLast()->SetScheduledTime(9860.0);
  }
  ~RouteDocument() {
    doc.reset();
    fs::remove_all(folder);
  }
  RouteDocument(const RouteDocument&) = delete;
  RouteDocument& operator=(const RouteDocument&) = delete;

  fs::path folder;
  MemorySettingsStore store;
  ScriptedPrompter prompter;
  std::unique_ptr<CKeelmarkRouteXPDoc> doc;
};

// Times the fill of a list of state.range(0) rows.
void TimeFill(benchmark::State& state, RouteDocument& route, Category category) {
  for (auto _ : state) {
    route.doc->UpdateForList(category);
    const Table table = FillCategory(*route.doc, category);
    benchmark::DoNotOptimize(table.rows.data());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  state.SetComplexityN(state.range(0));
}

// A list of the route's, as long as the route.
void FillList(benchmark::State& state, Category category) {
  RouteDocument route(static_cast<int>(state.range(0)));
  TimeFill(state, route, category);
}

// The row counts every fill is timed at, so that Google Benchmark can fit it as linear.
void RowCounts(benchmark::internal::Benchmark* bench) {
  for (const int rows : {500, 2000, 8000, 32000}) bench->Arg(rows);
  bench->Unit(benchmark::kMillisecond)->Complexity();
}

// A list of new records of the category, as the Insert command adds them.
void FillRecordList(benchmark::State& state, Category category) {
  RouteDocument route(20);
  for (int i = 0; i < state.range(0); ++i) (void)InsertNewRecord(*route.doc, category);
  TimeFill(state, route, category);
}

void BM_FillHistoryList(benchmark::State& state) { FillRecordList(state, Category::History); }
BENCHMARK(BM_FillHistoryList)->Apply(RowCounts);
void BM_FillWarningList(benchmark::State& state) { FillRecordList(state, Category::Warnings); }
BENCHMARK(BM_FillWarningList)->Apply(RowCounts);
void BM_FillReportingList(benchmark::State& state) { FillRecordList(state, Category::Reporting); }
BENCHMARK(BM_FillReportingList)->Apply(RowCounts);
void BM_FillPublicationList(benchmark::State& state) {
  FillRecordList(state, Category::Publications);
}
BENCHMARK(BM_FillPublicationList)->Apply(RowCounts);
void BM_FillPortList(benchmark::State& state) { FillRecordList(state, Category::Ports); }
BENCHMARK(BM_FillPortList)->Apply(RowCounts);
void BM_FillChartList(benchmark::State& state) { FillRecordList(state, Category::Charts); }
BENCHMARK(BM_FillChartList)->Apply(RowCounts);
void BM_FillForecastList(benchmark::State& state) { FillRecordList(state, Category::Forecast); }
BENCHMARK(BM_FillForecastList)->Apply(RowCounts);
void BM_FillStormList(benchmark::State& state) { FillRecordList(state, Category::Storms); }
BENCHMARK(BM_FillStormList)->Apply(RowCounts);

void BM_FillScheduleList(benchmark::State& state) { FillList(state, Category::Schedule); }
BENCHMARK(BM_FillScheduleList)->Apply(RowCounts);

void BM_FillWaypointList(benchmark::State& state) { FillList(state, Category::Waypoints); }
BENCHMARK(BM_FillWaypointList)->Apply(RowCounts);

}  // namespace
