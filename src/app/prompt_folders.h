#pragma once

#include <string>

namespace korvex {

// Where the folders a prompt may start in are looked for.
struct FolderPlaces {
  std::string programFolder;    // the running program's folder, ending with a separator
  std::string documentsFolder;  // the user's documents folder
  std::string samplesFolder;    // the installed sample projects
};

// The places of this installation: beside the program, the user's documents (XDG_DOCUMENTS_DIR,
// else ~/Documents) and the samples an installed program finds in ../share/korvex/Projects.
FolderPlaces InstalledFolderPlaces();

// The folder a prompt starts in for name ("Projects" or "GCODE"): the one beside the program
// when it exists and is writable, as a program run from its build or unpacked folder has it.
// Otherwise the per-user folder <documents>/KORVEX/<name>, created on first use; a Projects
// folder created here receives a copy of the samples. Empty when neither can be had.
std::string ChoosePromptFolder(const FolderPlaces& places, const std::string& name);

// ChoosePromptFolder for this installation.
std::string PromptFolder(const std::string& name);

}  // namespace korvex
