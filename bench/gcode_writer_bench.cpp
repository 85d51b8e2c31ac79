#include <benchmark/benchmark.h>

#include <filesystem>

#include "gcode/gcode_writer.h"
#include "geometry/rebuild_scene.h"
#include "shell/control_ids.h"
#include "shell/memory_panel.h"
#include "shell/workspace.h"

namespace korvex {
namespace {

// A program of 2 x 1001 points with tilt, as the heaviest job gives.
Workspace ThousandSegmentJob() {
  MemoryPanel panel;
  panel.setText(kCutSegmentsField, "1000");
  for (int box : {kLeftCutOvalBox, kRightCutOvalBox, kLeftMode3dBox, kRightMode3dBox}) {
    panel.setCheckState(box, 1);
  }
  Workspace workspace;
  RebuildScene(panel, workspace);
  workspace.cutObjectCount = 2;
  workspace.projectPath = "/home/operator/Projects/frame.kvx";
  return workspace;
}

void BM_FormatGcodeProgram(benchmark::State& state) {
  const Workspace workspace = ThousandSegmentJob();
  for (auto _ : state)
    benchmark::DoNotOptimize(FormatGcodeProgram(workspace, "A", 40));
}
BENCHMARK(BM_FormatGcodeProgram)->Unit(benchmark::kMicrosecond);

void BM_WriteGcodeProgram(benchmark::State& state) {
  const Workspace workspace = ThousandSegmentJob();
  const std::string path = (std::filesystem::temp_directory_path() / "korvex-bench.ngc").string();
  for (auto _ : state)
    benchmark::DoNotOptimize(WriteGcodeProgram(path, "A", 40, workspace));
  std::filesystem::remove(path);
}
BENCHMARK(BM_WriteGcodeProgram)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace korvex
