#pragma once

#include "app/command_outcome.h"

namespace korvex {

class Prompts;
struct Workspace;

// SAVE G CODE: proposes a name from the project, prompts, guards an existing file, writes the
// program of the last accepted rebuild and reports the outcome.
CommandOutcome SaveGcodeCommand(Prompts& prompts, Workspace& workspace);

}  // namespace korvex
