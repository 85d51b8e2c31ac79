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
// replaced before it; whatever is not committed is removed when the transaction ends, also
// when SIGINT or SIGTERM ends the program (see PendingPath), and a transaction left while it
// commits (an exception) puts back what it replaced.
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
  bool committed_ = false;
};

// The folders made for files to come: a folder and the missing folders above it, each removed
// again when this ends (the deepest first, and only while empty) unless kept, also when SIGINT
// or SIGTERM ends the program.
class NewFolders {
 public:
  NewFolders();
  ~NewFolders();
  NewFolders(const NewFolders&) = delete;
  NewFolders& operator=(const NewFolders&) = delete;

  // Creates the folder and every missing folder above it. Returns the reason when one failed.
  std::optional<std::string> create(const std::string& folder);
  // The folders stay.
  void keep();

 private:
  struct Made;
  std::vector<Made> made_;
};

}  // namespace korvex
