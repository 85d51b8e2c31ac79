#include "app/part_loading.h"

#include "app/memory_panel.h"
#include "app/project_commands.h"
#include "app/rebuild_scene.h"
#include "app/workspace.h"

namespace korvex {

LoadedPart LoadPart(const std::string& path) {
  MemoryPanel panel;
  auto workspace = std::make_unique<Workspace>();
  if (auto failure = LoadProject(path, panel, workspace->part)) {
    return {nullptr, "not opened: " + *failure};
  }
  workspace->projectPath = path;
  if (const auto problems = RebuildScene(panel, *workspace); !problems.empty()) {
    std::string joined;
    for (const std::string& problem : problems)
      joined += (joined.empty() ? "" : "; ") + problem;
    return {nullptr, "job refused: " + joined};
  }
  return {std::move(workspace), std::nullopt};
}

}  // namespace korvex
