#include "gcode/program_lines.h"

#include "base/format_number.h"
#include "gcode/comment_text.h"
#include "gcode/gcode_writer.h"

namespace korvex {
namespace {

constexpr std::size_t kZoneWidth = 14;
// The "(Begin" line is "(Begin", the path, each padded to the next zone, then ")": a path of up
// to 223 characters gives at most 17 zones and 239 characters.
constexpr std::size_t kLongestBeginPath = 223;
static_assert(kZoneWidth * ((kZoneWidth + kLongestBeginPath) / kZoneWidth + 1) + 1 <=
              kLongestProgramLine);

}  // namespace

void AppendLine(std::string& text, std::string_view line) {
  text += line;
  text += "\r\n";
}

void AppendZonedLine(std::string& text, std::initializer_list<std::string_view> items) {
  const std::size_t lineStart = text.size();
  for (const std::string_view item : items) {
    text += item;
    text.append(kZoneWidth - (text.size() - lineStart) % kZoneWidth, ' ');
  }
  AppendLine(text, ")");
}

void AppendHeaderComments(std::string& text, const ProgramHeader& header) {
  AppendZonedLine(text, {"(Version", " 4 "});
  AppendZonedLine(text, {"(Begin", CommentPath(header.projectPath, kLongestBeginPath)});
  AppendZonedLine(text, {"(Units", "mm"});
  AppendZonedLine(text, {"(ToolOfset", " 0 "});
  AppendLine(text, "(TUBE DIAMETER)");
  AppendLine(text, "(" + FormatNumber(header.tubeDiameter, "000.0") + ")");
  AppendLine(text, "(Objects)");
  AppendLine(text, "(" + FormatNumber(header.objectCount, "000") + ")");
}

void AppendModeLines(std::string& text) {
  AppendLine(text, "G21 (Unit IN mm)");
  AppendLine(text, "G90 (Absolute distance MODE)");
  AppendLine(text, "G64 P0.1 (exact path mode)");
  AppendLine(text, "G17 ");
  AppendLine(text, "G40 (CANCEL diameter comp.) ");
  AppendLine(text, "G49 (CANCEL length comp.) ");
}

void AppendSetupLines(std::string& text) {
  AppendModeLines(text);
  AppendLine(text, "G10 L1 P2 R0.75");
  AppendLine(text, "T1M6 (Tool change TO T1) ");
}

}  // namespace korvex
