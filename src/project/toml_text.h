#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace korvex {

// How deep a file may nest: the keys of a table header, the parts of a dotted key, arrays and
// inline tables, all counted together. Our files need a handful; the packaged parser recurses
// once a level, so a file nested a hundred thousand deep would exhaust its stack.
inline constexpr int kMaxTomlNesting = 32;

// A TOML file as the packaged parser (3.3) is given it, or why it is refused before parsing.
//
// The text is pure ASCII, with the same lines and values: that parser asks whether a character
// beyond ASCII is blank through a table that misses most of U+00A1..U+049A, which is undefined
// behaviour, wherever it meets one, even in an error's path. So each character beyond ASCII in
// a double-quoted string becomes its \U escape, one in a comment a blank, and one anywhere else
// refuses the file, as do bytes that are not UTF-8 and nesting deeper than kMaxTomlNesting.
// Strings and comments are found as TOML finds them.
struct TomlText {
  std::string text;
  std::uint32_t line = 1;  // where the refusal is
  std::string refusal;     // empty when the text may be parsed
};

TomlText PrepareTomlText(std::string_view bytes);

}  // namespace korvex
