// Costs of the navigation operations every leg, fix and list refresh calls.
#include <benchmark/benchmark.h>

#include "navigation/navigation.h"
#include "records/position.h"

namespace {

using keelmark::CNavigation;
using keelmark::CPosition2;

CPosition2 At(double latitude, double longitude) {
  CPosition2 p;
  p.SetLatitude(latitude);
  p.SetLongitude(longitude);
  return p;
}

void BM_Distance(benchmark::State& state) {
  const CNavigation nav;
  const CPosition2 from = At(49.9, -6.4);
  const CPosition2 to = At(40.5, -73.8);
  const bool greatCircle = state.range(0) != 0;
  for (auto _ : state) benchmark::DoNotOptimize(nav.Distance(from, to, greatCircle));
}
BENCHMARK(BM_Distance)->ArgName("greatCircle")->Arg(1)->Arg(0);

void BM_Course(benchmark::State& state) {
  const CNavigation nav;
  const CPosition2 from = At(49.9, -6.4);
  const CPosition2 to = At(40.5, -73.8);
  const bool greatCircle = state.range(0) != 0;
  for (auto _ : state) benchmark::DoNotOptimize(nav.Course(from, to, greatCircle));
}
BENCHMARK(BM_Course)->ArgName("greatCircle")->Arg(1)->Arg(0);

void BM_DeadReckon(benchmark::State& state) {
  const CNavigation nav;
  CPosition2 p = At(49.9, -6.4);
  for (auto _ : state) {
    p.SetLatitude(49.9);
    p.SetLongitude(-6.4);
    nav.DeadReckon(p, 250.0, 237.0);
    benchmark::DoNotOptimize(p.Latitude);
  }
}
BENCHMARK(BM_DeadReckon);

}  // namespace
