// One recalculation as every list refresh and GPS tick runs it: average weather onto the
// waypoints, then the voyage calculation from the latest fix.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

#include "navigation/navigation.h"
#include "records/history_list.h"
#include "records/meteo_list.h"
#include "records/vessel.h"
#include "records/voyage.h"
#include "voyage/average_weather.h"
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

}  // namespace
