#include <benchmark/benchmark.h>

#include <filesystem>

#include "domain/computed_job.h"
#include "gcode/gcode_writer.h"

namespace korvex {
namespace {

// A program of 2 x 1001 points with tilt, as the heaviest job gives.
ComputedJob ThousandSegmentJob() {
  JobParameters job = DefaultJob();
  job.cutSegments = 1000;
  for (EndCutParameters* end : {&job.left, &job.right}) {
    end->cutOval = true;
    end->mode3d = 1;
  }
  return *ComputeJob(job, 180).job;
}

const ProgramHeader kHeader{"/home/operator/Projects/frame.kvx", "A", 40, 2};

void BM_FormatGcodeProgram(benchmark::State& state) {
  const ComputedJob job = ThousandSegmentJob();
  for (auto _ : state)
    benchmark::DoNotOptimize(FormatGcodeProgram(job, kHeader));
}
BENCHMARK(BM_FormatGcodeProgram)->Unit(benchmark::kMicrosecond);

void BM_WriteGcodeProgram(benchmark::State& state) {
  const ComputedJob job = ThousandSegmentJob();
  const std::string path = (std::filesystem::temp_directory_path() / "korvex-bench.ngc").string();
  for (auto _ : state)
    benchmark::DoNotOptimize(WriteGcodeProgram(path, job, kHeader));
  std::filesystem::remove(path);
}
BENCHMARK(BM_WriteGcodeProgram)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace korvex
