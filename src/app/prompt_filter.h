#pragma once

#include <string>
#include <vector>

namespace korvex {

// A prompt filter written "DESCRIPTION|PATTERN|..." as name filters for a file dialog, one per
// description, each "DESCRIPTION (PATTERNS)"; a description that already ends in its patterns
// in brackets, "KVX(*.KVX)", gets them replaced. Every pattern is offered in lower and in upper
// case as well, so that *.kvx also lists PART.KVX where file names are case-sensitive.
std::vector<std::string> NameFilters(const std::string& filter);

}  // namespace korvex
