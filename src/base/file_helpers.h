#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korvex {

// The folder that holds the running program, ending with a path separator.
std::string ProgramFolder();

// True when path names an existing file or folder.
bool FileExists(const std::string& path);

// True when both paths name one existing file, also through symbolic or hard links.
bool IsSameFile(const std::string& first, const std::string& second);

// Replaces (or creates) the file at path with bytes: written to a temporary file beside it and
// renamed over it, so the target is either untouched or complete. Returns the reason when
// nothing was written.
std::optional<std::string> WriteFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace korvex
