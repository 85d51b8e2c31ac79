// Project bytes to program bytes as korvex-cli converts them: read the fields into a panel
// holding its defaults, rebuild the job, write the program of an accepted job.
#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/control_ids.h"
#include "app/memory_panel.h"
#include "app/project_panel.h"
#include "app/rebuild_scene.h"
#include "app/workspace.h"
#include "gcode/comment_text.h"
#include "gcode/gcode_writer.h"
#include "project/project_file.h"
#include "require.h"

namespace {

using korvex::fuzz::Require;

// The lines of a text whose every line ends in CR LF, without their ends.
std::vector<std::string_view> CrLfLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find("\r\n");
    Require(end != std::string_view::npos, "the program's last line ends in CR LF");
    const std::string_view line = text.substr(0, end);
    Require(line.find_first_of("\r\n") == std::string_view::npos,
            "CR and LF appear only together, as a line end");
    Require(line.size() <= korvex::kLongestProgramLine, "every line fits what a controller reads");
    lines.push_back(line);
    text.remove_prefix(end + 2);
  }
  return lines;
}

// The number in a "(NNN)" comment line, or -1.
int CommentNumber(std::string_view line) {
  if (line.size() < 3 || line.front() != '(' || line.back() != ')') return -1;
  int number = -1;
  const auto [end, error] = std::from_chars(line.data() + 1, line.data() + line.size() - 1, number);
  return error == std::errc() && end == line.data() + line.size() - 1 ? number : -1;
}

// Each "(Object)" announces its number of points two lines further on; they must all follow.
void RequireAnnouncedPoints(const std::vector<std::string_view>& lines) {
  int objects = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i] != "(Object)") continue;
    ++objects;
    Require(i + 2 < lines.size(), "an object announces its number and its points");
    const int announced = CommentNumber(lines[i + 2]);
    int points = 0;
    for (std::size_t j = i + 3; j < lines.size() && lines[j] != "M5"; ++j) {
      if (lines[j].starts_with("G0 X ") || lines[j].starts_with("G1 X ")) ++points;
    }
    Require(points == announced, "an object holds as many points as it announces");
  }
  Require(objects == 2, "the program holds the left and the right cut");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  korvex::MemoryPanel panel;
  korvex::ApplyProjectFields(
      korvex::ReadProjectFields(std::string_view(reinterpret_cast<const char*>(data), size)),
      panel);
  const std::string xLength = panel.text(korvex::kXLengthField);
  const std::string yLength = panel.text(korvex::kYLengthField);

  korvex::Workspace workspace;
  workspace.projectPath = "fuzz.kvx";
  workspace.cutObjectCount = 2;
  if (!korvex::RebuildScene(panel, workspace).empty()) {
    Require(panel.text(korvex::kXLengthField) == xLength &&
                panel.text(korvex::kYLengthField) == yLength,
            "a refused job leaves the results as they were");
    return 0;
  }

  const std::string program =
      korvex::FormatGcodeProgram(workspace.job, korvex::ProgramHeaderFor(workspace));
  Require(!program.empty(), "an accepted job gives a program");
  std::string lower = program;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  Require(lower.find("nan") == std::string::npos && lower.find("inf") == std::string::npos,
          "a program holds no nan or inf");
  RequireAnnouncedPoints(CrLfLines(program));
  return 0;
}
