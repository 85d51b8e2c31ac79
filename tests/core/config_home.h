#pragma once

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "temp_folder.h"

namespace korvex::test {

// The user's configuration folder (XDG_CONFIG_HOME) moved into a folder of the test's own, with
// an empty machines folder, for the life of the object.
class ConfigHome {
 public:
  explicit ConfigHome(const TempFolder& folder) : path_(folder / "config") {
    if (const char* before = std::getenv("XDG_CONFIG_HOME")) saved_ = before;
    ::setenv("XDG_CONFIG_HOME", path_.c_str(), 1);
    std::filesystem::create_directories(machines());
  }
  ~ConfigHome() {
    if (saved_) {
      ::setenv("XDG_CONFIG_HOME", saved_->c_str(), 1);
    } else {
      ::unsetenv("XDG_CONFIG_HOME");
    }
  }
  ConfigHome(const ConfigHome&) = delete;
  ConfigHome& operator=(const ConfigHome&) = delete;

  std::filesystem::path machines() const { return path_ / "korvex" / "machines"; }

 private:
  std::filesystem::path path_;
  std::optional<std::string> saved_;
};

}  // namespace korvex::test
