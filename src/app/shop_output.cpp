#include "app/shop_output.h"

#include "app/workspace.h"

namespace korvex {

FormattedOutput FormatJobOutput(const ComputedJob& job, const std::string& projectPath,
                                ShopOutput output, Paper paper) {
  const std::size_t separator = projectPath.find_last_of("/\\");
  TemplateOptions options;
  options.projectName =
      separator == std::string::npos ? projectPath : projectPath.substr(separator + 1);
  options.paper = paper;
  return FormatShopOutput(job, output, options);
}

FormattedOutput FormatWorkspaceOutput(const Workspace& workspace, ShopOutput output, Paper paper) {
  return FormatJobOutput(workspace.job, workspace.projectPath, output, paper);
}

}  // namespace korvex
