// One recalculation as every list refresh and GPS tick runs it: average weather onto the
// waypoints, then the voyage calculation from the latest fix.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

#include "navigation/navigation.h"
#include "records/history_list.h"
#include "records/meteo_list.h"
#include "records/vessel.h"
#include "records/voyage.h"
#include "voyage/average_weather.h"
#include "voyage/meteo_grid.h"
#include "voyage/voyage_calculation.h"

namespace {

using namespace keelmark;

struct Passage {
  Voyage voyage;
  MeteoList meteo;
  HistoryList history;
  CVessel2 vessel;
};

// A 500-waypoint route across the North Atlantic and back, an average-weather grid of 1,000
// points around it and 2,000 fixes along the first part.
std::unique_ptr<Passage> MakePassage() {
  auto passage = std::make_unique<Passage>();
  const double departure = 9800.0;
  for (int i = 0; i < 500; ++i) {
    auto w = std::make_unique<Waypoint>();
    w->SetLatitude(40.0 + 10.0 * std::sin(i * 0.05));
    w->SetLongitude(-70.0 + (i % 250) * 0.25 * (i < 250 ? 1 : -1) + (i >= 250 ? 62.25 : 0.0));
    w->GreatCircle = i % 2;
    w->ManualSpeed = (i % 50 == 7) ? 1 : 0;
    w->GroundSpeed = 14.0;
    passage->voyage.Add(std::move(w));
  }
  passage->voyage.GetFirst()->SetTime(departure);
  passage->voyage.GetLast()->SetScheduledTime(departure + 30.0);
  for (int i = 0; i < 1000; ++i) {
    auto record = std::make_unique<MeteoObservation>();
    record->SetLatitude(25.0 + (i / 50) * 1.5);
    record->SetLongitude(-75.0 + (i % 50) * 1.4);
    for (WeatherConditions* block :
         {&record->JunAug, &record->SepDec, &record->JanFeb, &record->MarMay, &record->Latest}) {
      block->WindDirection = (i * 37) % 360;
      block->WindSpeed = 5.0 + i % 30;
      block->SwellHeight = 1.0 + i % 4;
      block->CurrentSet = (i * 11) % 360;
      block->CurrentRate = 0.1 * (i % 15);
    }
    passage->meteo.Add(std::move(record));
  }
  for (int i = 0; i < 2000; ++i) {
    auto fix = std::make_unique<PositionFix>();
    fix->SetLatitude(40.0 + i * 0.001);
    fix->SetLongitude(-70.0 + i * 0.01);
    fix->SetTime(departure + i / 24.0 / 6.0);
    fix->CourseMadeGood = 80.0;
    fix->SpeedMadeGood = 14.0;
    passage->history.Add(std::move(fix));
  }
  return passage;
}

void BM_Recalculation(benchmark::State& state) {
  auto passage = MakePassage();
  const PositionFix& latest = *passage->history.GetLast();
  for (auto _ : state) {
    ApplyAverageWeather(passage->voyage, passage->meteo);
    CalculateVoyage(passage->voyage, passage->vessel, latest);
    benchmark::DoNotOptimize(passage->voyage.GetLast()->GetRequiredTime());
  }
}
BENCHMARK(BM_Recalculation)->Unit(benchmark::kMillisecond);

void BM_ApplyAverageWeather(benchmark::State& state) {
  auto passage = MakePassage();
  for (auto _ : state) ApplyAverageWeather(passage->voyage, passage->meteo);
}
BENCHMARK(BM_ApplyAverageWeather)->Unit(benchmark::kMillisecond);

void BM_CalculateVoyage(benchmark::State& state) {
  auto passage = MakePassage();
  ApplyAverageWeather(passage->voyage, passage->meteo);
  const PositionFix& latest = *passage->history.GetLast();
  for (auto _ : state) CalculateVoyage(passage->voyage, passage->vessel, latest);
}
BENCHMARK(BM_CalculateVoyage)->Unit(benchmark::kMillisecond);

// The large set: a route of 2,000 waypoints across the North Atlantic against 200,000
// average-weather records on a half-degree grid from 70S to 70N.
struct LargePassage {
  Voyage voyage;
  MeteoList meteo;
  CVessel2 vessel;
};

std::unique_ptr<LargePassage> MakeLargePassage(int waypoints) {
  auto passage = std::make_unique<LargePassage>();
  for (int i = 0; i < waypoints; ++i) {
    auto w = std::make_unique<Waypoint>();
    w->SetLatitude(45.0 + 8.0 * std::sin(i * 0.01));
    w->SetLongitude(-5.0 - 70.0 * i / waypoints);
    w->GreatCircle = i % 2;
    passage->voyage.Add(std::move(w));
  }
  passage->voyage.GetFirst()->SetTime(9800.0);
  passage->voyage.GetLast()->SetScheduledTime(9812.0);
  for (int i = 0; i < 200000; ++i) {
    auto record = std::make_unique<MeteoObservation>();
    record->SetLatitude(-70.0 + (i / 720) * 0.5);
    record->SetLongitude(-180.0 + (i % 720) * 0.5);
    record->JanFeb.WindSpeed = i % 40;
    record->JanFeb.CurrentRate = 0.1 * (i % 15);
    passage->meteo.Add(std::move(record));
  }
  return passage;
}

// The whole recalculation (the index built once, then every waypoint looked up).
void BM_RecalculationLarge(benchmark::State& state) {
  auto passage = MakeLargePassage(2000);
  const PositionFix start = DeparturePosition(passage->voyage);
  for (auto _ : state) {
    ApplyAverageWeather(passage->voyage, passage->meteo);
    CalculateVoyage(passage->voyage, passage->vessel, start);
    benchmark::DoNotOptimize(passage->voyage.GetLast()->GetRequiredTime());
  }
  state.SetItemsProcessed(state.iterations() * 2000);
}
BENCHMARK(BM_RecalculationLarge)->Unit(benchmark::kMillisecond);

// The baseline: the list's own search for each waypoint, as every look-up was before the
// index (20 waypoints, per look-up figures comparable through items per second).
void BM_NearestPlainSearchLarge(benchmark::State& state) {
  auto passage = MakeLargePassage(20);
  for (auto _ : state) {
    for (const auto& waypoint : passage->voyage) {
      benchmark::DoNotOptimize(passage->meteo.Nearest(*waypoint));
    }
  }
  state.SetItemsProcessed(state.iterations() * 20);
}
BENCHMARK(BM_NearestPlainSearchLarge)->Unit(benchmark::kMillisecond);

// An import of 2,000 grid records into the 200,000 (one grid for the whole import, as the
// import builds it): most merge into a record within 300 nM, those south of 70S add records.
void BM_ImportIntoLargeGrid(benchmark::State& state) {
  auto passage = MakeLargePassage(2);
  std::vector<MeteoObservation> imported(2000);
  for (std::size_t i = 0; i < imported.size(); ++i) {
    imported[i].SetLatitude(-75.0 + 0.07 * static_cast<double>(i));
    imported[i].SetLongitude(-170.0 + 0.17 * static_cast<double>(i));
  }
  for (auto _ : state) {
    MeteoGrid grid(passage->meteo);
    for (const MeteoObservation& record : imported) {
      benchmark::DoNotOptimize(MergeRecord(grid, record));
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(imported.size()));
}
BENCHMARK(BM_ImportIntoLargeGrid)->Unit(benchmark::kMillisecond);

void BM_NearestIndexedLarge(benchmark::State& state) {
  auto passage = MakeLargePassage(2000);
  for (auto _ : state) ApplyAverageWeather(passage->voyage, passage->meteo);
  state.SetItemsProcessed(state.iterations() * 2000);
}
BENCHMARK(BM_NearestIndexedLarge)->Unit(benchmark::kMillisecond);

}  // namespace
