#pragma once

#include <optional>
#include <string>

#include "app/command_outcome.h"

namespace korvex {

class Panel;
class Prompts;
struct Part;
struct Workspace;

// Fills the panel's texts and check states from the project file at path, or from the part
// file when the path ends in ".kvxp", and makes part the part read, whose values beyond the
// panel's the panel's commands keep. A file that cannot be read or is refused changes nothing;
// the reason is returned, for a part file as "FILE:LINE: reason".
std::optional<std::string> LoadProject(const std::string& path, Panel& panel, Part& part);

// OPEN without its prompt: fills the panel from the project at path and rebuilds the scene,
// with OPEN's messages and outcomes.
CommandOutcome OpenProjectAt(const std::string& path, Panel& panel, Prompts& prompts,
                             Workspace& workspace);

// OPEN: prompts for a project, fills the panel from it and rebuilds the scene. Done when the
// scene was rebuilt, so the view must be redrawn; Refused when the project's job was refused.
CommandOutcome OpenProject(Panel& panel, Prompts& prompts, Workspace& workspace);

// SAVE: prompts for a name and stores the panel's texts and check states.
CommandOutcome SaveProject(Panel& panel, Prompts& prompts, Workspace& workspace);

}  // namespace korvex
