#pragma once

#include <string>
#include <string_view>

namespace korvex {

// A text as a program comment can hold it: a "(" or ")" would nest or end the comment and a
// line break would split it, and a controller refuses such a program. They become "[", "]" and
// "?" one for one, so an ordinary text is written unchanged.
std::string CommentText(std::string_view text);

}  // namespace korvex
