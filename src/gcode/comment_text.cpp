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

std::string CommentPath(std::string_view path, std::size_t maxLength) {
  static constexpr std::string_view kLeftOut = "...";
  if (path.size() <= maxLength) return CommentText(path);
  const std::size_t kept = maxLength > kLeftOut.size() ? maxLength - kLeftOut.size() : 0;
  return std::string(kLeftOut) + CommentText(path.substr(path.size() - kept));
}

}  // namespace korvex
