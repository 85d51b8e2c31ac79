#pragma once

#include <string>

namespace korvex {

// The folder the program works in when it exists: c:\KORVEX\ on Windows, ~/KORVEX/ elsewhere.
// home is the user's home folder; empty when unknown.
std::string WorkingFolderFor(const std::string& home);

// Makes the working folder current when it exists; otherwise the current folder stays. True
// when it changed.
bool SetWorkingFolder();

}  // namespace korvex
