// Loading and storing a large average-weather file ("meteo.dat", 200,000 grid points), against
// a plain read of the same bytes.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include <malloc.h>
#include <unistd.h>

#include "records/archive_file.h"
#include "records/meteo_list.h"

namespace {

using keelmark::Archive;
using keelmark::MeteoList;
using keelmark::MeteoObservation;

constexpr int kPoints = 200000;

// The grid points of the benchmark: a 1-degree grid with filled season blocks.
void FillList(MeteoList& list) {
  for (int i = 0; i < kPoints; ++i) {
    auto point = std::make_unique<MeteoObservation>();
    point->Latitude = -60.0 + (i % 120);
    point->Longitude = -180.0 + (i / 120) % 360;
    point->Name = "Grid " + std::to_string(i);
    for (auto* block :
         {&point->JunAug, &point->JanFeb, &point->MarMay, &point->SepDec, &point->Latest}) {
      block->ObservationCount = i % 17;
      block->WindDirection = (i * 7) % 360;
      block->WindSpeed = (i % 40) * 0.5;
      block->WeatherText = "GOOD";
    }
    list.Add(std::move(point));
  }
}

// Written once per run and removed at exit.
class MeteoFile {
 public:
  MeteoFile() {
    path_ = (std::filesystem::temp_directory_path() /
             ("keelmark_meteo_bench_" + std::to_string(::getpid()) + ".dat"))
                .string();
    MeteoList list;
    FillList(list);
    if (!keelmark::StoreArchiveFile(path_, [&list](Archive& a) { list.Serialize(a); })) {
      path_.clear();
      return;
    }
    size_ = std::filesystem::file_size(path_);
  }
  ~MeteoFile() {
    if (!path_.empty()) std::remove(path_.c_str());
  }
  [[nodiscard]] const std::string& Path() const { return path_; }
  [[nodiscard]] std::int64_t Size() const { return static_cast<std::int64_t>(size_); }

 private:
  std::string path_;
  std::uintmax_t size_ = 0;
};

const MeteoFile& TheFile() {
  static const MeteoFile file;
  return file;
}

void BM_MeteoPlainRead(benchmark::State& state) {
  const MeteoFile& file = TheFile();
  if (file.Path().empty()) return state.SkipWithError("cannot write the benchmark file");
  for (auto _ : state) {
    auto bytes = keelmark::ReadWholeFile(file.Path(), keelmark::kLargestMeteoFile);
    if (!bytes) state.SkipWithError("cannot read the benchmark file");
    benchmark::DoNotOptimize(bytes);
  }
  state.SetBytesProcessed(state.iterations() * file.Size());
}
BENCHMARK(BM_MeteoPlainRead)->Unit(benchmark::kMillisecond);

// Bytes the heap hands out, small blocks and large ones alike.
double HeapInUse() {
  const struct mallinfo2 info = ::mallinfo2();
  return static_cast<double>(info.uordblks + info.hblkhd);
}

// Also counts the heap the loaded records hold, per byte of the file (target: at most 1.5).
void BM_MeteoLoad(benchmark::State& state) {
  const MeteoFile& file = TheFile();
  if (file.Path().empty()) return state.SkipWithError("cannot write the benchmark file");
  double heapPerFileByte = 0.0;
  for (auto _ : state) {
    const double before = HeapInUse();
    MeteoList list;
    const auto result = keelmark::LoadArchiveFile(
        file.Path(), [&list](Archive& a) { list.Serialize(a); }, keelmark::kLargestMeteoFile);
    if (!result.Ok() || list.GetCount() != kPoints) state.SkipWithError("load failed");
    heapPerFileByte = (HeapInUse() - before) / static_cast<double>(file.Size());
    benchmark::DoNotOptimize(list);
  }
  state.SetBytesProcessed(state.iterations() * file.Size());
  state.counters["heap_per_file_byte"] = heapPerFileByte;
}
BENCHMARK(BM_MeteoLoad)->Unit(benchmark::kMillisecond);

void BM_MeteoStore(benchmark::State& state) {
  const MeteoFile& file = TheFile();
  if (file.Path().empty()) return state.SkipWithError("cannot write the benchmark file");
  MeteoList list;
  FillList(list);
  const std::string target = file.Path() + ".out";
  for (auto _ : state) {
    if (!keelmark::StoreArchiveFile(target, [&list](Archive& a) { list.Serialize(a); })) {
      state.SkipWithError("store failed");
    }
  }
  std::remove(target.c_str());
  state.SetBytesProcessed(state.iterations() * file.Size());
}
BENCHMARK(BM_MeteoStore)->Unit(benchmark::kMillisecond);

// The same two directions without the file: the cost of the encoding alone.
void BM_MeteoDecodeInMemory(benchmark::State& state) {
  const MeteoFile& file = TheFile();
  const auto bytes = keelmark::ReadWholeFile(file.Path(), keelmark::kLargestMeteoFile);
  if (!bytes) return state.SkipWithError("cannot read the benchmark file");
  for (auto _ : state) {
    MeteoList list;
    Archive archive = Archive::ForLoading(*bytes);
    list.Serialize(archive);
    benchmark::DoNotOptimize(list);
  }
  state.SetBytesProcessed(state.iterations() * file.Size());
}
BENCHMARK(BM_MeteoDecodeInMemory)->Unit(benchmark::kMillisecond);

void BM_MeteoEncodeInMemory(benchmark::State& state) {
  const MeteoFile& file = TheFile();
  MeteoList list;
  FillList(list);
  for (auto _ : state) {
    Archive archive = Archive::ForStoring();
    list.Serialize(archive);
    benchmark::DoNotOptimize(archive.StoredBytes().data());
  }
  state.SetBytesProcessed(state.iterations() * file.Size());
}
BENCHMARK(BM_MeteoEncodeInMemory)->Unit(benchmark::kMillisecond);

}  // namespace
