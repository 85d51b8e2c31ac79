#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvex {

// The most of one part a cut list may ask for.
inline constexpr int kMaxCutListQuantity = 10000;

// One part a cut list asks for.
struct CutListRow {
  int line = 0;      // where its record starts, from 1
  std::string file;  // a project or part file, relative to the list
  int quantity = 0;  // 1..kMaxCutListQuantity
  std::string name;  // as given, else the file's name without its folder and extension
};

struct CutListProblem {
  int line = 0;  // 0: the list as a whole
  std::string what;
};

struct CutList {
  std::vector<CutListRow> rows;
  std::vector<CutListProblem> problems;  // when any, the rows are not to be used
};

// Reads a cut list: comma-separated values as RFC 4180 has them (fields in double quotes may
// hold commas, line breaks and doubled quotes; lines end in CR LF or LF), a header row naming
// the columns "file", "quantity" and optionally "name" in any order and case (other columns are
// ignored). Blank lines are skipped, blanks round a field are not part of it, and a UTF-8 byte
// order mark is ignored. Names must be unique and usable as file names.
CutList ParseCutList(std::string_view bytes);

// A quantity as a list gives it: a whole number from 1 to kMaxCutListQuantity, nothing else.
std::optional<int> ReadCutListQuantity(std::string_view text);
// Why a list refuses text as a quantity.
std::string CutListQuantityProblem(std::string_view text);
// True when outputs can be named after name: a plain file name, no folder, no control character.
bool CanNameFile(std::string_view name);

// The rows as a cut list: the header "file,quantity,name", then a record a row, CR LF line
// ends. A field holding a comma, a double quote, a line break or a blank at either end stands
// in double quotes, so that ParseCutList reads the same rows back.
std::string FormatCutList(const std::vector<CutListRow>& rows);

}  // namespace korvex
