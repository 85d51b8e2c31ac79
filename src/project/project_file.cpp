#include "project/project_file.h"

#include <charconv>

#include "base/parse_number.h"

namespace korvex {
namespace {

constexpr char kCtrlZ = 26;
constexpr std::string_view kLineEnd = "\r\n";

using enum PartField;
constexpr TubeEnd kLeft = TubeEnd::Left;
constexpr TubeEnd kRight = TubeEnd::Right;

constexpr std::array<ProjectLine, kProjectLineCount> kProjectLines{{
    {false, "reserved text", {}},
    {false, "MAIN TUBE CUT SEGMENTS", {Segments}},
    {false, "MAIN TUBE DIAMETER", {Diameter}},
    {false, "MAIN TUBE THICKNESS", {Wall}},
    {false, "LEFT CUT DISTANCE", {Distance, kLeft}},
    {false, "LEFT CUT DIAMETER", {Diameter, kLeft}},
    {false, "LEFT CUT ANGLE", {Angle, kLeft}},
    {false, "LEFT CUT Angle DIFF", {Turn, kLeft}},
    {false, "RIGHT CUT DISTANCE", {Distance, kRight}},
    {false, "RIGHT CUT DIAMETER", {Diameter, kRight}},
    {false, "RIGHT CUT ANGLE", {Angle, kRight}},
    {false, "RIGHT CUT Angle DIFF", {Turn, kRight}},
    {true, "LEFT CUT 3D MODE", {Mode3d, kLeft}},
    {true, "LEFT CUT CUT OVAL", {Oval, kLeft}},
    {true, "LEFT CUT COMPENSATION MODE", {Compensation, kLeft}},
    {true, "RIGHT CUT 3D MODE", {Mode3d, kRight}},
    {true, "RIGHT CUT CUT OVAL", {Oval, kRight}},
    {true, "RIGHT CUT COMPENSATION MODE", {Compensation, kRight}},
    {true, "reserved check box", {}},
}};

// True when the field reader would not give the text back as it stands.
bool NeedsQuotes(std::string_view text) {
  if (text.empty()) return false;
  if (text.front() == ' ' || text.front() == '"') return true;
  return text.find_first_of(std::string_view(",\t\r\n\x1a", 5)) != std::string_view::npos;
}

}  // namespace

std::span<const ProjectLine, kProjectLineCount> ProjectLines() {
  return kProjectLines;
}

std::string CheckStateText(int state) {
  char digits[16];
  const auto [end, error] = std::to_chars(digits, digits + sizeof digits, state);
  const std::string number(digits, end);
  return state >= 0 ? " " + number : number;
}

int CheckStateOf(const std::string& field) {
  return RoundToInt(ParseNumber(field));
}

FormattedProject FormatProjectFile(const ProjectFields& fields) {
  FormattedProject project;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const ProjectLine& line = kProjectLines[i];
    const std::string& text = fields[i];
    if (line.isCheckState || !NeedsQuotes(text)) {
      project.bytes += text;
    } else if (text.find('"') == std::string::npos) {
      project.bytes += '"' + text + '"';
    } else {
      project.refusal = std::string(line.name) +
                        " holds a double quote together with a comma, TAB, line break or "
                        "leading blank or quote, which a project file cannot keep";
      project.bytes.clear();
      return project;
    }
    project.bytes += kLineEnd;
  }
  return project;
}

std::string ProjectFieldReader::next() {
  if (ended_) return {};
  while (!atEnd() && peek() == ' ')
    ++position_;
  if (atEnd() || peek() == kCtrlZ) {
    ended_ = true;
    return {};
  }
  return peek() == '"' ? quotedField() : plainField();
}

// Everything up to the closing quote, line breaks and commas included; without one, the rest
// of the data.
std::string ProjectFieldReader::quotedField() {
  ++position_;
  const std::size_t close = data_.find('"', position_);
  if (close == std::string_view::npos) {
    std::string field(data_.substr(position_));
    position_ = data_.size();
    return field;
  }
  std::string field(data_.substr(position_, close - position_));
  position_ = close + 1;
  // LF bytes are skipped with the blanks and TABs, unless they are what ends the file's lines.
  while (!atEnd() && (peek() == ' ' || peek() == '\t' || (peek() == '\n' && !linesEndInLf_)))
    ++position_;
  if (!atEnd() && peek() == ',') {
    ++position_;
  } else {
    endLine();
  }
  return field;
}

// Up to a comma, a line end, a Ctrl-Z (left for the next read) or the end; TABs are dropped.
std::string ProjectFieldReader::plainField() {
  std::string field;
  while (!atEnd()) {
    const char c = peek();
    if (c == ',') {
      ++position_;
      break;
    }
    if (c == '\r' || c == '\n') {
      endLine();
      break;
    }
    if (c == kCtrlZ) break;
    if (c != '\t') field += c;
    ++position_;
  }
  return field;
}

// Consumes CR LF, a lone CR or a lone LF.
void ProjectFieldReader::endLine() {
  if (atEnd()) return;
  if (peek() == '\r') {
    ++position_;
    if (!atEnd() && peek() == '\n') ++position_;
  } else if (peek() == '\n') {
    ++position_;
  }
}

ProjectFields ReadProjectFields(std::string_view data) {
  ProjectFieldReader reader(data);
  ProjectFields fields;
  for (std::string& field : fields)
    field = reader.next();
  return fields;
}

Part PartFromProjectFields(const ProjectFields& fields, Part part) {
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const ProjectLine& line = kProjectLines[i];
    if (line.isCheckState) {
      SetCheckState(part, line.place, CheckStateOf(fields[i]));
    } else {
      SetPanelText(part, line.place, fields[i]);
    }
  }
  return part;
}

}  // namespace korvex
