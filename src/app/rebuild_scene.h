#pragma once

#include <string>
#include <vector>

namespace korvex {

class Panel;
class Prompts;
struct Workspace;

// Reads the job from the panel, computes both end cuts, writes X LENGTH and Y LENGTH and
// records the scene. A job the geometry cannot use is refused: the returned list names every
// offending field, and the workspace and the panel stay as they were. Empty means accepted.
std::vector<std::string> RebuildScene(Panel& panel, Workspace& workspace);

// RebuildScene for a command: a refusal is shown to the operator. True when the scene changed.
bool RebuildSceneOrExplain(Panel& panel, Prompts& prompts, Workspace& workspace);

// The refusal as the operator reads it, one problem a line.
std::string RefusalMessage(const std::vector<std::string>& problems);

}  // namespace korvex
