#include <benchmark/benchmark.h>

#include "app/control_ids.h"
#include "app/memory_panel.h"
#include "app/rebuild_scene.h"
#include "app/workspace.h"

namespace korvex {
namespace {

// The heaviest scene: N = 1000, tube joints with torch tilt at both ends, every DISPLAY box on.
MemoryPanel HeaviestJob() {
  MemoryPanel panel;
  panel.setText(kCutSegmentsField, "1000");
  for (int box : {kLeftCutOvalBox, kRightCutOvalBox, kLeftMode3dBox, kRightMode3dBox,
                  kDisplayGridBox, kDisplayMainBox, kDisplayCutBox}) {
    panel.setCheckState(box, 1);
  }
  return panel;
}

void BM_RebuildSceneHeaviest(benchmark::State& state) {
  MemoryPanel panel = HeaviestJob();
  Workspace workspace;
  for (auto _ : state) {
    benchmark::DoNotOptimize(RebuildScene(panel, workspace));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_RebuildSceneHeaviest)->Unit(benchmark::kMicrosecond);

void BM_RebuildSceneDefault(benchmark::State& state) {
  MemoryPanel panel;
  Workspace workspace;
  for (auto _ : state)
    benchmark::DoNotOptimize(RebuildScene(panel, workspace));
}
BENCHMARK(BM_RebuildSceneDefault)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace korvex
