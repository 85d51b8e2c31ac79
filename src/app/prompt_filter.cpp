#include "app/prompt_filter.h"

#include "app/prompts.h"

#include <algorithm>
#include <cctype>

namespace korvex {
namespace {

std::vector<std::string> SplitAt(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::string part;
  for (char c : text) {
    if (c == separator) {
      parts.push_back(part);
      part.clear();
    } else {
      part += c;
    }
  }
  if (!part.empty()) parts.push_back(part);
  return parts;
}

std::string Transformed(std::string text, int (*change)(int)) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [change](unsigned char c) { return static_cast<char>(change(c)); });
  return text;
}

// The patterns of one entry ("*.kvx;*.txt") with both case variants, without repeats.
std::string PatternsInBothCases(const std::string& patterns) {
  std::vector<std::string> all;
  auto add = [&all](const std::string& pattern) {
    if (!pattern.empty() && std::find(all.begin(), all.end(), pattern) == all.end()) {
      all.push_back(pattern);
    }
  };
  for (const std::string& pattern : SplitAt(patterns, ';')) {
    add(pattern);
    add(Transformed(pattern, [](int c) { return std::tolower(c); }));
    add(Transformed(pattern, [](int c) { return std::toupper(c); }));
  }
  std::string joined;
  for (const std::string& pattern : all)
    joined += (joined.empty() ? "" : " ") + pattern;
  return joined;
}

// The description without a trailing "(...)" that names the patterns again, as "KVX(*.KVX)"
// does, so that the label lists each pattern once.
std::string LabelWithoutPatterns(const std::string& description) {
  const std::size_t open = description.rfind('(');
  if (open == std::string::npos || description.back() != ')') return description + " ";
  return description.substr(0, open);
}

}  // namespace

std::vector<std::string> NameFilters(const std::string& filter) {
  const std::vector<std::string> parts = SplitAt(filter, '|');
  std::vector<std::string> filters;
  for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
    filters.push_back(LabelWithoutPatterns(parts[i]) + "(" + PatternsInBothCases(parts[i + 1]) +
                      ")");
  }
  return filters;
}

void SetFileTypes(FilePrompt& prompt, const std::vector<FileType>& types) {
  prompt.filter.clear();
  prompt.typeExtensions.clear();
  for (const FileType& type : types) {
    prompt.filter += type.label + "|" + type.pattern + "|";
    prompt.typeExtensions.push_back(type.extension);
  }
  prompt.defaultExtension = types.empty() ? std::string() : types.front().extension;
  prompt.selectedType = 0;
}

}  // namespace korvex
