#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvex {

// The most of one part a cut list may ask for.
inline constexpr int kMaxCutListQuantity = 10000;
// The most parts a cut list may ask for, quantities counted: more than any order a shop nests
// in one go, and few enough that nesting and writing them stay within seconds and memory.
inline constexpr int kMaxCutListParts = 50000;
// A list is read no further after this many problems.
inline constexpr std::size_t kMaxCutListProblems = 20;

// The run's own outputs besides each part's: a part of the same name would be mistaken for them.
inline constexpr std::string_view kPlanFileStem = "plan";
inline constexpr std::string_view kCutSheetStem = "cut-sheet";
// A part's outputs add four bytes to its name (".ngc", ".pdf", ".svg"), and a file's name holds
// at most 255.
inline constexpr std::size_t kMaxPartNameBytes = 251;

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
// order mark is ignored. Names must be unique and usable as file names, and not those of the
// run's own outputs; the quantities add up to at most kMaxCutListParts. Problems quote at most
// the start of a long value; reading stops after kMaxCutListProblems of them.
CutList ParseCutList(std::string_view bytes);

// A CSV field as a cut list writes it: in double quotes when it holds a comma, a double quote,
// a line break or a blank at either end.
std::string CsvField(const std::string& text);

// The file's name without its folder and its last extension.
std::string StemOf(const std::string& file);

// Why outputs cannot be named after name (a plain file name, not too long, none of the run's own
// outputs, also where case is not told apart), or nothing when they can.
std::optional<std::string> CutListNameProblem(const std::string& name);

// True when the name can name a file of its own: outputs are named after parts.
bool UsableAsFileName(const std::string& name);

// A quantity as a list gives it: a whole number from 1 to kMaxCutListQuantity, nothing else.
std::optional<int> ReadCutListQuantity(std::string_view text);
// Why a list refuses text as a quantity.
std::string CutListQuantityProblem(std::string_view text);

// The rows as a cut list: the header "file,quantity,name", then a record a row, CR LF line
// ends. A field holding a comma, a double quote, a line break or a blank at either end stands
// in double quotes, so that ParseCutList reads the same rows back.
std::string FormatCutList(const std::vector<CutListRow>& rows);

// The last problem of a list read no further.
std::string TooManyCutListProblems();

}  // namespace korvex
