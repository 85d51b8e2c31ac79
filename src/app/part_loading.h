#pragma once

#include <memory>
#include <optional>
#include <string>

namespace korvex {

struct Workspace;

// A part read from a file: the workspace holds its job as UPDATE PARAMS accepted it, with the
// path as its project.
struct LoadedPart {
  std::unique_ptr<Workspace> workspace;
  std::optional<std::string> failure;  // why there is no part: unreadable, or the job refused
};

// The one place a part is loaded from a path: a .kvx project or a .kvxp part file opened as OPEN
// does into a panel with its defaults and rebuilt as UPDATE PARAMS does.
LoadedPart LoadPart(const std::string& path);

}  // namespace korvex
