#pragma once

namespace korvex {

class Prompts;
struct Workspace;

// SAVE G CODE: proposes a name from the project, prompts, guards an existing file, writes the
// program of the last accepted rebuild and reports the outcome. 0 when the prompt was
// cancelled, 1 otherwise.
int SaveGcodeCommand(Prompts& prompts, Workspace& workspace);

}  // namespace korvex
