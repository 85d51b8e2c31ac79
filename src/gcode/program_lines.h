#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace korvex {

struct ProgramHeader;

// Appends line and its CR LF.
void AppendLine(std::string& text, std::string_view line);

// A header line of 14-column print zones: the items, each followed by the blanks up to the next
// zone (a whole zone when it ends on a boundary), then ")".
void AppendZonedLine(std::string& text, std::initializer_list<std::string_view> items);

// The comment lines every program starts with: version, the project's path, units, tool
// offset, the tube's diameter and the object count.
void AppendHeaderComments(std::string& text, const ProgramHeader& header);

// The lines that set the controller's modes, before any tool line or feed.
void AppendModeLines(std::string& text);

// The mode lines, then the described program's tool lines: tool 2's radius and tool 1 loaded.
void AppendSetupLines(std::string& text);

}  // namespace korvex
