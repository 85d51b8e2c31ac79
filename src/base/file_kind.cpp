#include "base/file_kind.h"

namespace korvex {

std::string FileKindName(std::filesystem::file_type type) {
  using std::filesystem::file_type;
  switch (type) {
    case file_type::directory:
      return "a folder";
    case file_type::character:
    case file_type::block:
      return "a device";
    case file_type::fifo:
      return "a pipe";
    case file_type::socket:
      return "a socket";
    default:
      return "not a regular file";
  }
}

}  // namespace korvex
