#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace korvex {

// The longest program line LinuxCNC reads: its reader takes 254 bytes at a time, and a line of
// 252 characters with its CR LF no longer fits.
inline constexpr std::size_t kLongestProgramLine = 251;

// A text as a program comment can hold it: a "(" or ")" would nest or end the comment and a
// line break would split it, and a controller refuses such a program. They become "[", "]" and
// "?" one for one, so an ordinary text is written unchanged.
std::string CommentText(std::string_view text);

// A file's path as CommentText gives it, at most maxLength characters: a longer path keeps its
// end, the file name, behind "..." for what was left out, so the line stays within what a
// controller reads.
std::string CommentPath(std::string_view path, std::size_t maxLength);

}  // namespace korvex
