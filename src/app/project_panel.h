#pragma once

#include <span>

#include "app/control_ids.h"
#include "project/project_file.h"

namespace korvex {

class Panel;

// The control behind each line of a project file, in file order.
std::span<const ControlId, kProjectLineCount> ProjectControls();

// The panel's texts and check states as the 19 fields of a project file, in file order.
ProjectFields ProjectFieldsFromPanel(const Panel& panel);

// Fills the panel's texts and check states from the fields in file order.
void ApplyProjectFields(const ProjectFields& fields, Panel& panel);

}  // namespace korvex
