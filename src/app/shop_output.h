#pragma once

#include "template/template_files.h"

namespace korvex {

struct Workspace;

// The workspace's last accepted job as a template or flat pattern, named after its project.
FormattedOutput FormatWorkspaceOutput(const Workspace& workspace, ShopOutput output, Paper paper);

}  // namespace korvex
