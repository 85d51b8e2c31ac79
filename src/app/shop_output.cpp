#include "app/shop_output.h"

#include "app/workspace.h"

namespace korvex {

FormattedOutput FormatWorkspaceOutput(const Workspace& workspace, ShopOutput output, Paper paper) {
  const std::string& path = workspace.projectPath;
  const std::size_t separator = path.find_last_of("/\\");
  TemplateOptions options;
  options.projectName = separator == std::string::npos ? path : path.substr(separator + 1);
  options.paper = paper;
  return FormatShopOutput(workspace.job, output, options);
}

}  // namespace korvex
