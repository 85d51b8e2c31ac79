#include "app/panel_job.h"

#include "app/control_ids.h"
#include "app/panel.h"
#include "base/format_number.h"
#include "base/parse_number.h"
#include "domain/result_lengths.h"

namespace korvex {
namespace {

struct EndCutControls {
  int diameter, angle, distance, angleDiff, compensation, mode3d, cutOval;
};

constexpr EndCutControls kLeftControls{
    kLeftDiameterField,   kLeftAngleField, kLeftDistanceField, kLeftAngleDiffField,
    kLeftCompensationBox, kLeftMode3dBox,  kLeftCutOvalBox};
constexpr EndCutControls kRightControls{
    kRightDiameterField,   kRightAngleField, kRightDistanceField, kRightAngleDiffField,
    kRightCompensationBox, kRightMode3dBox,  kRightCutOvalBox};

double Number(const Panel& panel, int id) {
  return ParseNumber(panel.text(id));
}

bool Ticked(const Panel& panel, int id) {
  return panel.checkState(id) == 1;
}

EndCutParameters ReadEndCut(const Panel& panel, const EndCutControls& ids) {
  EndCutParameters end;
  end.cutOval = Ticked(panel, ids.cutOval);
  end.joinRadius = Number(panel, ids.diameter) / 2;
  end.angle = Radians(Number(panel, ids.angle));
  end.distance = Number(panel, ids.distance);
  end.angleDiff = Radians(Number(panel, ids.angleDiff));
  end.compensation = panel.checkState(ids.compensation);
  end.mode3d = panel.checkState(ids.mode3d);
  return end;
}

}  // namespace

JobParameters ReadJobParameters(const Panel& panel) {
  JobParameters job;
  job.axisLetter = panel.text(kAngleLetterField);
  job.cutSegments = RoundToInt(Number(panel, kCutSegmentsField));
  job.mainRadius = Number(panel, kMainDiameterField) / 2;
  job.mainDiameter = 2 * job.mainRadius;
  job.wallThickness = Number(panel, kThicknessField);
  job.left = ReadEndCut(panel, kLeftControls);
  job.right = ReadEndCut(panel, kRightControls);
  return job;
}

DisplayOptions ReadDisplayOptions(const Panel& panel) {
  return {Ticked(panel, kDisplayGridBox), Ticked(panel, kDisplayMainBox),
          Ticked(panel, kDisplayCutBox)};
}

void ShowResultLengths(Panel& panel, const ResultLengths& lengths) {
  panel.setText(kXLengthField, FormatNumber(lengths.xLength(), "0.000"));
  panel.setText(kYLengthField, FormatNumber(lengths.yLength(), "0.000"));
}

}  // namespace korvex
