#include "project/cut_list.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <optional>

#include "base/abbreviated.h"

namespace korvex {
namespace {

struct Record {
  int line = 0;
  std::vector<std::string> fields;
};

std::string Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return std::string(text.substr(first, last - first + 1));
}

std::string Lowered(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

// Splits the bytes into records of fields. A record that breaks the quoting rules is reported
// and left out.
class CsvReader {
 public:
  explicit CsvReader(std::string_view bytes) : data_(bytes) {
    if (data_.starts_with("\xEF\xBB\xBF")) data_.remove_prefix(3);
  }

  bool atEnd() const { return position_ >= data_.size(); }
  int line() const { return line_; }

  // The next record; nothing for a blank line or a record with a mistake (then problem is set).
  std::optional<Record> next(std::optional<CutListProblem>& problem) {
    Record record{line_, {}};
    std::string field;
    bool quoted = false;
    while (true) {
      if (atEnd()) {
        record.fields.push_back(quoted ? field : Trimmed(field));
        break;
      }
      const char c = data_[position_++];
      if (c == '"') {
        if (!Trimmed(field).empty() || quoted) {
          problem = CutListProblem{record.line,
                                   "a double quote inside a field that does not "
                                   "start with one"};
          skipRecord();
          return std::nullopt;
        }
        field.clear();
        if (!quotedField(field)) {
          problem = CutListProblem{record.line, "a quoted field is not closed"};
          return std::nullopt;
        }
        quoted = true;
        skipBlanks();
        if (!atEnd() && data_[position_] != ',' && data_[position_] != '\r' &&
            data_[position_] != '\n') {
          problem = CutListProblem{record.line, "text after a field's closing double quote"};
          skipRecord();
          return std::nullopt;
        }
      } else if (c == ',') {
        record.fields.push_back(quoted ? field : Trimmed(field));
        field.clear();
        quoted = false;
      } else if (c == '\n' || c == '\r') {
        if (c == '\r' && !atEnd() && data_[position_] == '\n') ++position_;
        ++line_;
        record.fields.push_back(quoted ? field : Trimmed(field));
        break;
      } else {
        field += c;
      }
    }
    if (record.fields.size() == 1 && record.fields[0].empty() && !quoted) return std::nullopt;
    return record;
  }

 private:
  // Reads up to the closing quote; a doubled quote is one quote. False when none closes it.
  bool quotedField(std::string& field) {
    while (!atEnd()) {
      const char c = data_[position_++];
      if (c == '"') {
        if (!atEnd() && data_[position_] == '"') {
          field += '"';
          ++position_;
          continue;
        }
        return true;
      }
      if (c == '\n') ++line_;
      if (c == '\r' && (atEnd() || data_[position_] != '\n')) ++line_;
      field += c;
    }
    return false;
  }

  void skipBlanks() {
    while (!atEnd() && (data_[position_] == ' ' || data_[position_] == '\t'))
      ++position_;
  }

  // Past the end of the current line.
  void skipRecord() {
    while (!atEnd()) {
      const char c = data_[position_++];
      if (c == '\n' || c == '\r') {
        if (c == '\r' && !atEnd() && data_[position_] == '\n') ++position_;
        ++line_;
        return;
      }
    }
  }

  std::string_view data_;
  std::size_t position_ = 0;
  int line_ = 1;
};

std::string Quoted(std::string_view text) {
  return "\"" + Abbreviated(text) + "\"";
}

bool SameLetters(std::string_view a, std::string_view b) {
  return a.size() == b.size() && Lowered(std::string(a)) == Lowered(std::string(b));
}

// Outputs are named after the part, so a name must be a plain file name that none of the run's
// own outputs has, also where case is not told apart. Why not, or nothing.
std::optional<std::string> NameProblemOf(const std::string& name) {
  const std::string quoted = "the name " + Quoted(name);
  const bool plain = std::none_of(name.begin(), name.end(), [](char c) {
    return c == '/' || c == '\\' || static_cast<unsigned char>(c) < 32 || c == 127;
  });
  if (name.empty() || name == "." || name == ".." || !plain) return quoted + " cannot name a file";
  if (name.size() > kMaxPartNameBytes) {
    return quoted + " is " + std::to_string(name.size()) + " bytes long: a file's name holds " +
           std::to_string(kMaxPartNameBytes) + " before its extension";
  }
  if (SameLetters(name, kPlanFileStem) || SameLetters(name, kCutSheetStem)) {
    return quoted + " is kept for the plan's own " + std::string(kPlanFileStem) + ".json and " +
           std::string(kCutSheetStem) + ".pdf";
  }
  return std::nullopt;
}

struct Columns {
  std::size_t file = 0, quantity = 0;
  std::optional<std::size_t> name;
};

std::optional<Columns> ReadHeader(const Record& header, std::vector<CutListProblem>& problems) {
  std::map<std::string, std::size_t> found;
  for (std::size_t i = 0; i < header.fields.size(); ++i) {
    const std::string column = Lowered(header.fields[i]);
    if (!found.emplace(column, i).second && !column.empty()) {
      problems.push_back({header.line, "the column " + Quoted(column) + " is named twice"});
      return std::nullopt;
    }
  }
  for (const char* needed : {"file", "quantity"}) {
    if (!found.contains(needed)) {
      problems.push_back(
          {header.line, std::string("the header row has no \"") + needed + "\" column"});
      return std::nullopt;
    }
  }
  Columns columns{found["file"], found["quantity"], std::nullopt};
  if (found.contains("name")) columns.name = found["name"];
  return columns;
}

}  // namespace

CutList ParseCutList(std::string_view bytes) {
  CutList list;
  CsvReader reader(bytes);
  std::optional<Columns> columns;
  std::size_t width = 0;
  int headerLine = 0;
  int parts = 0;
  std::map<std::string, int> names;  // name -> the line that gave it first
  while (!reader.atEnd()) {
    if (list.problems.size() >= kMaxCutListProblems) {
      list.problems.push_back({reader.line(), TooManyCutListProblems()});
      return list;
    }
    std::optional<CutListProblem> problem;
    const std::optional<Record> record = reader.next(problem);
    if (problem) list.problems.push_back(*problem);
    if (!record) continue;
    if (!columns && headerLine == 0) {
      headerLine = record->line;
      columns = ReadHeader(*record, list.problems);
      width = record->fields.size();
      if (!columns) return list;
      continue;
    }
    const Record& r = *record;
    if (r.fields.size() != width) {
      list.problems.push_back({r.line, std::to_string(r.fields.size()) +
                                           " fields where the header has " +
                                           std::to_string(width)});
      continue;
    }
    CutListRow row{r.line, r.fields[columns->file], 0, {}};
    if (row.file.empty()) {
      list.problems.push_back({r.line, "no file is given"});
      continue;
    }
    const std::string& quantity = r.fields[columns->quantity];
    if (const auto value = ReadCutListQuantity(quantity)) {
      row.quantity = *value;
    } else {
      list.problems.push_back({r.line, CutListQuantityProblem(quantity)});
      continue;
    }
    row.name = columns->name && !r.fields[*columns->name].empty() ? r.fields[*columns->name]
                                                                  : StemOf(row.file);
    if (auto why = NameProblemOf(row.name)) {
      list.problems.push_back({r.line, std::move(*why)});
      continue;
    }
    if (const auto [first, added] = names.emplace(row.name, r.line); !added) {
      list.problems.push_back({r.line, "the name " + Quoted(row.name) +
                                           " is already used on line " +
                                           std::to_string(first->second)});
      continue;
    }
    // Said once, where the list passes the limit.
    const bool within = parts <= kMaxCutListParts;
    parts += row.quantity;
    if (parts > kMaxCutListParts) {
      if (within) {
        list.problems.push_back({r.line, "with this line the list asks for " +
                                             std::to_string(parts) + " parts, more than the " +
                                             std::to_string(kMaxCutListParts) +
                                             " a list may hold"});
      }
      continue;
    }
    list.rows.push_back(std::move(row));
  }
  if (headerLine == 0)
    list.problems.push_back({0, "the list is empty: no header row"});
  else if (list.rows.empty() && list.problems.empty())
    list.problems.push_back({0, "the list names no parts"});
  return list;
}

std::string CsvField(const std::string& text) {
  const bool plain = text.find_first_of(",\"\r\n") == std::string::npos &&
                     (text.empty() || (text.front() != ' ' && text.front() != '\t' &&
                                       text.back() != ' ' && text.back() != '\t'));
  if (plain) return text;
  std::string quoted = "\"";
  for (const char c : text)
    quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

std::string FormatCutList(const std::vector<CutListRow>& rows) {
  std::string bytes = "file,quantity,name\r\n";
  for (const CutListRow& row : rows) {
    bytes +=
        CsvField(row.file) + "," + std::to_string(row.quantity) + "," + CsvField(row.name) + "\r\n";
  }
  return bytes;
}

std::string TooManyCutListProblems() {
  return "more than " + std::to_string(kMaxCutListProblems) +
         " problems: the list is read no further";
}

// The file's name without its folder and its last extension.
std::string StemOf(const std::string& file) {
  const auto slash = file.find_last_of("/\\");
  std::string name = slash == std::string::npos ? file : file.substr(slash + 1);
  const auto dot = name.find_last_of('.');
  if (dot != std::string::npos && dot > 0) name.resize(dot);
  return name;
}

std::optional<std::string> CutListNameProblem(const std::string& name) {
  return NameProblemOf(name);
}

bool UsableAsFileName(const std::string& name) {
  return !NameProblemOf(name);
}

std::optional<int> ReadCutListQuantity(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < 1 ||
      value > kMaxCutListQuantity) {
    return std::nullopt;
  }
  return value;
}

std::string CutListQuantityProblem(std::string_view text) {
  return "quantity " + Quoted(text) + " is not a whole number from 1 to " +
         std::to_string(kMaxCutListQuantity);
}

}  // namespace korvex
