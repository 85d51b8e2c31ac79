#pragma once

#include "app/control_ids.h"
#include "domain/part.h"
#include "project/part_fields.h"

namespace korvex {

class Panel;

// The panel as an adapter onto a part: the tube and end values it shows, by control id.

// The panel's control of a tube or end value; kNoId for a value the panel does not show
// (offsets, fits, holes, the name).
ControlId PanelControlOf(const PartPlace& place);

// A part as the panel starts: the controls' default values, no offsets, no holes.
Part PanelDefaultPart();

// AT ANGLE as the panel starts.
double PanelDefaultAtAngle();

// The values a [[hole]] takes for keys it leaves out: a square set-on branch of the panel's
// default end DIAMETER and THICKNESS, at X 0, unturned.
PartHole DefaultPartHole();

// base with every value the panel shows taken from the panel's texts and check states, read as
// the job reads them (a check box counts as ticked when its state is 1).
Part PartFromPanel(const Panel& panel, Part base);

// Shows the part's tube and end values in the panel.
void ShowPartInPanel(const Part& part, Panel& panel);

}  // namespace korvex
