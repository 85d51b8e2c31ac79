#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "domain/job_parameters.h"
#include "project/part_file.h"

namespace korvex {

class Panel;

// An end's values that a part file holds and the panel does not show.
struct EndExtras {
  double offset = 0;
  EndFit fit = EndFit::Outside;
};

// What the open part holds beside the panel's values: its name and quantity, the ends' offsets
// and fits, and its holes. Empty for a .kvx project, whose job is the panel's alone.
struct PartExtras {
  std::string name;
  std::int64_t quantity = 1;
  EndExtras left;
  EndExtras right;
  std::vector<PartHole> holes;

  // True when a .kvx project would lose part of the job: an offset or a hole.
  bool changesTheJob() const;
};

// A part as the panel starts: the controls' default values, no offsets, no holes.
PartFile PanelDefaultPart();

// The values a [[hole]] takes for keys it leaves out: a square set-on branch of the panel's
// default end DIAMETER and THICKNESS, at X 0, unturned.
PartHole DefaultPartHole();

// The panel's values with the extras, as a part file holds them. A check box counts as ticked
// when its state is 1, as the job reads it.
PartFile PartFromPanel(const Panel& panel, const PartExtras& extras);

// Fills the panel's texts and check states with the part's values and keeps the rest in
// extras.
void ApplyPart(const PartFile& part, Panel& panel, PartExtras& extras);

// The job with the extras' offsets and holes.
JobParameters WithPartExtras(JobParameters job, const PartExtras& extras);

}  // namespace korvex
