// Benchmarks of the simulation: one explicit time step, and the colours of
// the whole 12 x 12 grid as the disc asks for them each frame.
#include <benchmark/benchmark.h>

#include "bench/alloc_count.h"
#include "sim/heat_grid.h"
#include "sim/heat_step.h"
#include "sim/temp_color.h"

namespace {

// The allocations made inside the timed loop, per iteration.
void ReportAllocations(benchmark::State& state, int64_t before) {
  state.counters["allocs"] = benchmark::Counter(static_cast<double>(HeapAllocations() - before),
                                                benchmark::Counter::kAvgIterations);
}

// A run in progress: heat is still entering, every row differs.
void StartRun(int steps) {
  boundaryTemp = 2.3;
  InitHeatGrid();
  for (int s = 0; s < steps; ++s) StepHeat();
}

void BM_StepHeat(benchmark::State& state) {
  StartRun(0);
  int stepsSinceStart = 0;
  int64_t before = HeapAllocations();
  for (auto _ : state) {
    StepHeat();
    benchmark::ClobberMemory();
    // Begin again before the field settles, so every step works on a changing field.
    if (++stepsSinceStart == 250) {
      InitHeatGrid();
      stepsSinceStart = 0;
    }
  }
  ReportAllocations(state, before);
  benchmark::DoNotOptimize(tempGrid);
}
BENCHMARK(BM_StepHeat);

// The settled field, where the step keeps running without effect.
void BM_StepHeatSettled(benchmark::State& state) {
  StartRun(2000);
  int64_t before = HeapAllocations();
  for (auto _ : state) {
    StepHeat();
    benchmark::ClobberMemory();
  }
  ReportAllocations(state, before);
  benchmark::DoNotOptimize(tempGrid);
}
BENCHMARK(BM_StepHeatSettled);

void BM_TempToColorGrid(benchmark::State& state) {
  StartRun(40);
  float rgb[3];
  int64_t before = HeapAllocations();
  for (auto _ : state) {
    for (int i = 0; i < 12; ++i)
      for (int j = 0; j < 12; ++j) {
        TempToColor(tempGrid[i][j], rgb);
        benchmark::DoNotOptimize(rgb);
      }
  }
  ReportAllocations(state, before);
  state.SetItemsProcessed(state.iterations() * 144);
}
BENCHMARK(BM_TempToColorGrid);

}  // namespace
