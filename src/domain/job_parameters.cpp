#include "domain/job_parameters.h"

namespace korvex {
namespace {

EndCutParameters DefaultEnd(double distance) {
  EndCutParameters end;
  end.joinRadius = 20;
  end.angle = Radians(45);
  end.distance = distance;
  return end;
}

}  // namespace

JobParameters DefaultJob() {
  JobParameters job;
  job.axisLetter = "A";
  job.cutSegments = 90;
  job.mainRadius = 20;
  job.mainDiameter = 40;
  job.wallThickness = 4;
  job.left = DefaultEnd(-100);
  job.right = DefaultEnd(100);
  return job;
}

}  // namespace korvex
