#include "app/machine_profiles.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <variant>

#include "base/read_whole_file.h"
#include "gcode/profile_parser.h"

namespace fs = std::filesystem;

namespace korvex {
namespace {

// A profile is a few hundred bytes; anything this large is not one.
constexpr std::size_t kMaxProfileBytes = 64 * 1024;

bool EndsWith(const std::string& text, std::string_view end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

MachineEntry BuiltInEntry(const MachineProfile& profile) {
  return {profile.name, {}, profile, {}, {}};
}

// "described, rotary-degrees, plasma": the names kept for the built-in profiles.
std::string BuiltInNames() {
  std::string names;
  for (const BuiltInProfile& builtIn : BuiltInProfiles())
    names += (names.empty() ? "" : ", ") + builtIn.profile.name;
  return names;
}

std::string ShadowedFileProblem(const std::string& path, const std::string& name) {
  return path + ": a built-in profile is named \"" + name +
         "\"; give the copy a name of its own (kept for the built-in ones: " + BuiltInNames() + ")";
}

}  // namespace

std::string MachinesFolderFor(const char* xdgConfigHome, const char* home) {
  if (xdgConfigHome && *xdgConfigHome) return std::string(xdgConfigHome) + "/korvex/machines";
  if (home && *home) return std::string(home) + "/.config/korvex/machines";
  return std::string();
}

std::string UserMachinesFolder() {
  return MachinesFolderFor(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
}

MachineEntry ReadMachineFile(const std::string& path) {
  MachineEntry entry;
  entry.path = path;
  entry.name = fs::path(path).filename().string();
  if (EndsWith(entry.name, kMachineFileExtension)) {
    entry.name.resize(entry.name.size() - kMachineFileExtension.size());
  }
  const FileContents contents = ReadWholeFile(path, kMaxProfileBytes);
  if (contents.failure) {
    entry.problems.push_back(*contents.failure);
    return entry;
  }
  ProfileParse parse = ParseMachineProfile(contents.bytes, entry.name, path);
  if (auto* profile = std::get_if<MachineProfile>(&parse)) {
    entry.profile = std::move(*profile);
  } else {
    for (const ProfileError& error : std::get<std::vector<ProfileError>>(parse))
      entry.problems.push_back(error.message());
  }
  return entry;
}

std::vector<MachineEntry> LoadMachineEntries(const std::string& folder,
                                             std::string* folderProblem) {
  std::vector<MachineEntry> entries;
  for (const BuiltInProfile& builtIn : BuiltInProfiles())
    entries.push_back(BuiltInEntry(builtIn.profile));

  std::vector<std::string> files;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const std::string path = it->path().string();
    if (EndsWith(path, kMachineFileExtension)) files.push_back(path);
  }
  // No folder means no profiles of the user's; one that cannot be read hides them.
  if (error && error != std::errc::no_such_file_or_directory && folderProblem) {
    *folderProblem = folder + ": the machines folder cannot be read: " + error.message();
  }
  std::sort(files.begin(), files.end());
  for (const std::string& path : files) {
    MachineEntry entry = ReadMachineFile(path);
    if (FindBuiltInProfile(entry.name)) {
      entry.profile.reset();
      entry.problems = {ShadowedFileProblem(path, entry.name)};
    }
    entries.push_back(std::move(entry));
  }
  return entries;
}

MachineEntry FindMachine(const std::string& nameOrFile, const std::string& folder) {
  if (nameOrFile.find('/') != std::string::npos || EndsWith(nameOrFile, kMachineFileExtension)) {
    return ReadMachineFile(nameOrFile);
  }
  const std::string path = folder + "/" + nameOrFile + std::string(kMachineFileExtension);
  std::error_code error;
  const bool found = !folder.empty() && fs::exists(path, error);
  if (const auto builtIn = FindBuiltInProfile(nameOrFile)) {
    MachineEntry entry = BuiltInEntry(*builtIn);
    if (found) entry.warnings.push_back(ShadowedFileProblem(path, nameOrFile) + "; it is not used");
    return entry;
  }
  if (found) return ReadMachineFile(path);
  MachineEntry unknown;
  unknown.name = nameOrFile;
  unknown.problems.push_back("no machine profile is named \"" + EscapedText(nameOrFile) + "\"");
  if (error) {
    unknown.problems.back() +=
        " (" + EscapedText(folder) + " cannot be searched for it: " + error.message() + ")";
  }
  return unknown;
}

}  // namespace korvex
