// Benchmark of one frame: RenderScene with its buffer swap into an offscreen
// buffer of the program's window size (819 x 819, a 1024-pixel screen),
// through the headless platform and the real window procedure.
#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <string>

#include "app/entry.h"
#include "bench/alloc_count.h"
#include "platform/headless/headless.h"
#include "render/frame.h"
#include "shared/shell_state.h"
#include "sim/heat_step.h"

namespace {

// Opens the main window the way the entry does; its creation sets up the
// pixel format, the context, the lights, the grid and the view.
bool OpenWindow() {
  static bool open = false;
  if (open) return true;
  headless::Reset();
  open = CreateMainWindow(ProgramInstance()) != nullptr && glContext != nullptr;
  return open;
}

void BM_RenderScene(benchmark::State& state) {
  if (!OpenWindow()) {
    state.SkipWithError("no offscreen OpenGL context");
    return;
  }
  // A run some seconds in: a coloured field, all three digits drawn.
  for (int s = 0; s < 100; ++s) StepHeat();
  elapsedSeconds = 123;
  // The first frames compile the driver's shaders (and allocate); measure after them.
  for (int warm = 0; warm < 30; ++warm) RenderScene();

  int swapsBefore = headless::SwapCount();
  int64_t before = HeapAllocations();
  for (auto _ : state) benchmark::DoNotOptimize(RenderScene());
  state.counters["allocs"] = benchmark::Counter(static_cast<double>(HeapAllocations() - before),
                                                benchmark::Counter::kAvgIterations);
  state.counters["swaps"] = benchmark::Counter(static_cast<double>(headless::SwapCount() - swapsBefore),
                                               benchmark::Counter::kAvgIterations);
  state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  state.SetLabel(std::to_string(windowWidth) + "x" + std::to_string(windowHeight) + " " +
                 reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
}
// llvmpipe rasterises on threads of its own: wall time is the frame's cost.
BENCHMARK(BM_RenderScene)->UseRealTime()->Unit(benchmark::kMicrosecond);

}  // namespace
