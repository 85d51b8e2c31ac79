#pragma once

#include <filesystem>
#include <string>

namespace korvex {

// How a message names an entry that is not a regular file: "a folder", "a device", ...
std::string FileKindName(std::filesystem::file_type type);

}  // namespace korvex
