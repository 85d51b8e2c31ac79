#include "geometry/result_lengths.h"

#include <cmath>

#include "gcode/format_number.h"
#include "geometry/job_state.h"
#include "shell/control_ids.h"
#include "shell/panel.h"

namespace korvex {

ResultLengths MeasureResultLengths(const JobState& job, double atAngleDegrees) {
  const int n = job.parameters.cutSegments;
  const double radius = job.parameters.mainRadius;
  ResultLengths lengths;
  for (int i = 0; i <= n; ++i) {
    if (job.rightCut.x[i] > lengths.xMax) lengths.xMax = job.rightCut.x[i];
    if (job.leftCut.x[i] < lengths.xMin) lengths.xMin = job.leftCut.x[i];
    if (job.rightCut.y[i] > lengths.yMax) lengths.yMax = job.rightCut.y[i];
    if (job.leftCut.y[i] < lengths.yMin) lengths.yMin = job.leftCut.y[i];
  }
  const double step = std::nearbyint(atAngleDegrees * n / 360);
  lengths.lineY = 2 * kPi * radius * step / n - kPi * radius;
  return lengths;
}

void UpdateResultLengths(Panel& panel, const ResultLengths& lengths) {
  panel.setText(kXLengthField, FormatNumber(lengths.xLength(), "0.000"));
  panel.setText(kYLengthField, FormatNumber(lengths.yLength(), "0.000"));
}

void DrawMeasurementLine(const ResultLengths& lengths, double mainRadius, DrawList& list) {
  const auto y = static_cast<float>(lengths.lineY);
  const auto z = static_cast<float>(-mainRadius);
  list.beginLines({0, 1, 0, 1});
  list.addSegment({static_cast<float>(lengths.xMax), y, z},
                  {static_cast<float>(lengths.xMin), y, z});
}

}  // namespace korvex
