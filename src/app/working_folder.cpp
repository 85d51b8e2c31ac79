#include "app/working_folder.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace korvex {

std::string WorkingFolderFor([[maybe_unused]] const std::string& home) {
#ifdef _WIN32
  return "c:\\KORVEX\\";
#else
  if (home.empty()) return "";
  return home + (home.back() == '/' ? "" : "/") + "KORVEX/";
#endif
}

bool SetWorkingFolder() {
  const char* home = std::getenv("HOME");
  const std::filesystem::path folder = WorkingFolderFor(home ? home : "");
  std::error_code error;
  if (folder.empty() || !std::filesystem::is_directory(folder, error)) return false;
  std::filesystem::current_path(folder, error);
  return !error;
}

}  // namespace korvex
