#pragma once

#include "template/template_files.h"

namespace korvex {

struct Workspace;

// The job as a template or flat pattern, named after its project's file name.
FormattedOutput FormatJobOutput(const ComputedJob& job, const std::string& projectPath,
                                ShopOutput output, Paper paper);

// The workspace's last accepted job as a template or flat pattern, named after its project.
FormattedOutput FormatWorkspaceOutput(const Workspace& workspace, ShopOutput output, Paper paper);

}  // namespace korvex
