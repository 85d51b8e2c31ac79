#include "gcode/comment_text.h"

namespace korvex {

std::string CommentText(std::string_view text) {
  std::string result(text);
  for (char& c : result) {
    if (c == '(') {
      c = '[';
    } else if (c == ')') {
      c = ']';
    } else if (static_cast<unsigned char>(c) < 32 || c == 127) {
      c = '?';
    }
  }
  return result;
}

}  // namespace korvex
