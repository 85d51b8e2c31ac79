#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "project/part_fields.h"

namespace korvex {

// One line of a project file: whether it holds a text or a check state, and what it holds.
struct ProjectLine {
  bool isCheckState;
  const char* name;  // as the operator finds the value in the panel
  PartPlace place;   // the part's value the line holds; PartField::Whole for a reserved line
};

inline constexpr int kProjectLineCount = 19;

// The lines of a project file in file order: 12 texts, then 7 check states.
std::span<const ProjectLine, kProjectLineCount> ProjectLines();

// The 19 fields of a project in file order, as texts: a check state as CheckStateText gives it.
using ProjectFields = std::array<std::string, kProjectLineCount>;

// The file for the fields, or why it cannot be stored.
struct FormattedProject {
  std::string bytes;
  std::optional<std::string> refusal;  // set when a text would not read back unchanged
};

// Fields are written as they stand, one a line with CR LF; a text the reader would take apart
// (comma, TAB, CR, LF, Ctrl-Z, a leading blank or double quote) is put between double quotes.
FormattedProject FormatProjectFile(const ProjectFields& fields);

// A check state as it stands in a file: " 0", " 1", "-1".
std::string CheckStateText(int state);

// A check-state field read back as a number, rounded to a whole one.
int CheckStateOf(const std::string& field);

// Takes the fields of a project file one by one. Past the end of the data, or from a Ctrl-Z
// on, every field is empty.
class ProjectFieldReader {
 public:
  explicit ProjectFieldReader(std::string_view data)
      : data_(data), linesEndInLf_(data.find('\r') == std::string_view::npos) {}

  std::string next();

 private:
  std::string quotedField();
  std::string plainField();
  void endLine();
  bool atEnd() const { return position_ >= data_.size(); }
  char peek() const { return data_[position_]; }

  std::string_view data_;
  std::size_t position_ = 0;
  bool ended_ = false;
  bool linesEndInLf_;  // no CR anywhere: the lines end in LF alone
};

// The first 19 fields of the data; what follows them is never read.
ProjectFields ReadProjectFields(std::string_view data);

// The part with the project's values, read as the panel reads its texts and check states; the
// values a project does not hold stay as they are in part.
Part PartFromProjectFields(const ProjectFields& fields, Part part);

}  // namespace korvex
