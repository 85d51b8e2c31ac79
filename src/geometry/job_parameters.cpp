#include "geometry/job_parameters.h"

#include "geometry/parse_number.h"
#include "shell/control_ids.h"
#include "shell/panel.h"

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

double Radians(double degrees) {
  return degrees * kPi / 180;
}

double Number(const Panel& panel, int id) {
  return ParseNumber(panel.text(id));
}

EndCutParameters ReadEndCut(const Panel& panel, const EndCutControls& ids) {
  EndCutParameters end;
  end.cutOval = panel.checkState(ids.cutOval) == 1;
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

}  // namespace korvex
