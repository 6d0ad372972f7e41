// Filling the lists of the route as the list view does (the document brought up to date, then
// the rows), at 500, 2,000, 8,000 and 32,000 waypoints: every fill should grow linearly.
#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <string>

#include <unistd.h>

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

void FillList(benchmark::State& state, Category category) {
  RouteDocument route(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    route.doc->UpdateForList(category);
    const Table table = FillCategory(*route.doc, category);
    benchmark::DoNotOptimize(table.rows.data());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  state.SetComplexityN(state.range(0));
}

// The row counts every fill is timed at, so that Google Benchmark can fit it as linear.
void RowCounts(benchmark::internal::Benchmark* bench) {
  for (const int rows : {500, 2000, 8000, 32000}) bench->Arg(rows);
  bench->Unit(benchmark::kMillisecond)->Complexity();
}

void BM_FillScheduleList(benchmark::State& state) { FillList(state, Category::Schedule); }
BENCHMARK(BM_FillScheduleList)->Apply(RowCounts);

void BM_FillWaypointList(benchmark::State& state) { FillList(state, Category::Waypoints); }
BENCHMARK(BM_FillWaypointList)->Apply(RowCounts);

}  // namespace
