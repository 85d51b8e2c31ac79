#include "base/file_extension.h"

namespace korvex {

bool HasExtension(std::string_view path, std::string_view extension) {
  if (path.size() < extension.size()) return false;
  const std::string_view tail = path.substr(path.size() - extension.size());
  for (std::size_t i = 0; i < tail.size(); ++i) {
    const char c = tail[i];
    const char lower = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    if (lower != extension[i]) return false;
  }
  return true;
}

}  // namespace korvex
