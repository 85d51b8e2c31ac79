#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace korvex {

// The bytes of a file, or why they could not be read.
struct FileContents {
  std::string bytes;
  std::optional<std::string> failure;
};

// Project files are a few hundred bytes; anything this large is not one.
inline constexpr std::size_t kMaxProjectFileBytes = 16 * 1024 * 1024;

// Reads the regular file at path whole. Folders, devices, pipes and files larger than maxBytes
// are refused with the reason.
FileContents ReadWholeFile(const std::string& path, std::size_t maxBytes);

}  // namespace korvex
