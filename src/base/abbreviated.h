#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace korvex {

// The most of a value a message quotes; a list's name may be a megabyte long.
inline constexpr std::size_t kQuotedBytes = 40;

// A value as a message quotes it: whole when short, else its first kQuotedBytes bytes, never
// splitting a UTF-8 character, and "...".
std::string Abbreviated(std::string_view text);

// The text with each whole occurrence of a long value (a path a message names) abbreviated.
std::string AbbreviatedWithin(std::string text, std::string_view value);

}  // namespace korvex
