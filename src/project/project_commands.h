#pragma once

#include <optional>
#include <string>

namespace korvex {

class Panel;
class Prompts;
struct Workspace;

// Fills the panel's texts and check states from the project file at path. A file that cannot
// be read changes nothing; the reason is returned.
std::optional<std::string> LoadProject(const std::string& path, Panel& panel);

// OPEN: prompts for a project, fills the panel from it and rebuilds the scene. True when the
// scene was rebuilt, so the view must be redrawn.
bool OpenProject(Panel& panel, Prompts& prompts, Workspace& workspace);

// SAVE: prompts for a name and stores the panel's texts and check states.
void SaveProject(Panel& panel, Prompts& prompts, Workspace& workspace);

}  // namespace korvex
