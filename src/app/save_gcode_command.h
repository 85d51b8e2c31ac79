#pragma once

#include "app/command_outcome.h"

namespace korvex {

class Prompts;
struct Workspace;

// SAVE G CODE: proposes a name from the project, prompts, guards an existing file, writes the
// program of the last accepted rebuild and reports the outcome. The prompt also offers, after
// the program, the job's wrap-around templates and flat pattern, each with its own notice.
CommandOutcome SaveGcodeCommand(Prompts& prompts, Workspace& workspace);

}  // namespace korvex
