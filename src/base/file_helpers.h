#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvex {

// The folder that holds the running program, ending with a path separator.
std::string ProgramFolder();

// True when path names an existing file or folder.
bool FileExists(const std::string& path);

// True when both paths name one file, also through symbolic or hard links; for a file not there
// yet, when both lead to the same place.
bool IsSameFile(const std::string& first, const std::string& second);

// Replaces (or creates) the file at path with bytes: written to a temporary file beside it and
// renamed over it, so the target is either untouched or complete. Returns the reason when
// nothing was written.
std::optional<std::string> WriteFileAtomically(const std::string& path, std::string_view bytes);

// Files written as one: each is staged in a temporary file beside its target, and the targets
// are replaced only when every file has been staged. A failed replacement puts back the files
// replaced before it; whatever is not committed is removed when the transaction ends.
class FileTransaction {
 public:
  FileTransaction();
  ~FileTransaction();
  FileTransaction(const FileTransaction&) = delete;
  FileTransaction& operator=(const FileTransaction&) = delete;

  // Writes bytes to a temporary file for path. Returns the reason when that failed.
  std::optional<std::string> stage(const std::string& path, std::string_view bytes);
  // Replaces every staged target. Returns the reason when one failed; then all are as before.
  std::optional<std::string> commit();

 private:
  struct Staged;
  void rollBack();
  std::vector<Staged> staged_;
};

}  // namespace korvex
