#pragma once

#include <vector>

#include "app/project_panel.h"

namespace korvex::test {

// A line of a project file together with the panel control it belongs to.
struct PanelProjectLine {
  int controlId;
  bool isCheckState;
  const char* name;
};

inline std::vector<PanelProjectLine> PanelProjectLines() {
  std::vector<PanelProjectLine> lines;
  for (std::size_t i = 0; i < kProjectLineCount; ++i) {
    lines.push_back({ProjectControls()[i], ProjectLines()[i].isCheckState, ProjectLines()[i].name});
  }
  return lines;
}

}  // namespace korvex::test
