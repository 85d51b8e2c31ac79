#include "app/prompt_folders.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "base/file_helpers.h"

namespace korvex {
namespace {

namespace fs = std::filesystem;

// A folder the user may write to: it has write permission bits and the system agrees. The bits
// count even for the superuser, so a folder made read-only is treated as such by everyone.
bool IsWritableFolder(const std::string& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) return false;
  return (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0 && ::access(path.c_str(), W_OK) == 0;
}

void CopySamples(const std::string& samplesFolder, const fs::path& projects) {
  std::error_code error;
  if (samplesFolder.empty() || !fs::is_directory(samplesFolder, error)) return;
  for (const fs::directory_entry& entry : fs::directory_iterator(samplesFolder, error)) {
    if (entry.is_regular_file(error) && entry.path().extension() == ".kvx") {
      fs::copy_file(entry.path(), projects / entry.path().filename(),
                    fs::copy_options::skip_existing, error);
    }
  }
}

std::string EnvironmentValue(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

}  // namespace

FolderPlaces InstalledFolderPlaces() {
  FolderPlaces places;
  places.programFolder = ProgramFolder();
  places.documentsFolder = EnvironmentValue("XDG_DOCUMENTS_DIR");
  if (places.documentsFolder.empty()) {
    const std::string home = EnvironmentValue("HOME");
    if (!home.empty()) places.documentsFolder = (fs::path(home) / "Documents").string();
  }
  places.samplesFolder = places.programFolder + "../share/korvex/Projects";
  return places;
}

std::string ChoosePromptFolder(const FolderPlaces& places, const std::string& name) {
  const std::string beside = places.programFolder + name;
  if (IsWritableFolder(beside) || places.documentsFolder.empty()) return beside;

  const fs::path own = fs::path(places.documentsFolder) / "KORVEX" / name;
  std::error_code error;
  const bool created = fs::create_directories(own, error);
  if (error) return beside;
  if (created && name == "Projects") CopySamples(places.samplesFolder, own);
  return own.string();
}

std::string PromptFolder(const std::string& name) {
  return ChoosePromptFolder(InstalledFolderPlaces(), name);
}

}  // namespace korvex
