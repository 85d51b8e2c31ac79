#include "base/file_helpers.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#if defined(__unix__) || defined(__APPLE__)
#include <sys/stat.h>
#include <unistd.h>
#define KORVEX_POSIX_FILES 1
#endif

#include "base/file_kind.h"
#include "base/pending_paths.h"

namespace fs = std::filesystem;

namespace korvex {
namespace {

std::string WithTrailingSeparator(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

std::string ErrnoText(int error) {
  return std::generic_category().message(error);
}

// The reason of a failed write, with the wording an operator understands for a full disk.
std::string WriteFailure(const fs::path& target, int error) {
  if (error == ENOSPC) return "disk full while writing " + target.string();
  return "cannot write " + target.string() + ": " + ErrnoText(error);
}

// Follows symbolic links (also dangling ones) to the path that a plain open would write.
// Nothing when the links go round in a circle.
std::optional<fs::path> FollowLinks(fs::path path) {
  for (int depth = 0; depth < 40; ++depth) {
    std::error_code error;
    if (!fs::is_symlink(fs::symlink_status(path, error))) return path;
    const fs::path link = fs::read_symlink(path, error);
    if (error) return path;
    path = link.is_absolute() ? link : path.parent_path() / link;
  }
  return std::nullopt;
}

// A name for the temporary file beside target that no earlier attempt used.
fs::path TemporaryName(const fs::path& folder, const std::string& targetName, int attempt) {
  static std::atomic<unsigned long long> counter{0};
  const auto ticks =
      static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
  const unsigned long long serial = counter.fetch_add(1) + static_cast<unsigned long long>(attempt);
#ifdef KORVEX_POSIX_FILES
  const auto process = static_cast<unsigned long long>(::getpid());
#else
  const unsigned long long process = 0;
#endif
  // Keep the name well inside the usual 255-byte limit for long target names.
  std::string name = "." + targetName.substr(0, 120) + ".tmp-" + std::to_string(process) + "-" +
                     std::to_string(serial) + "-" + std::to_string(ticks % 1000000007ULL);
  return folder / name;
}

}  // namespace

std::string ProgramFolder() {
  std::error_code error;
  const fs::path program = fs::read_symlink("/proc/self/exe", error);
  if (!error && program.has_parent_path()) {
    return WithTrailingSeparator(program.parent_path().string());
  }
  const fs::path current = fs::current_path(error);
  if (!error && !current.empty()) return WithTrailingSeparator(current.string());
  return "./";
}

bool FileExists(const std::string& path) {
  if (path.empty()) return false;
  std::error_code error;
  // Any entry counts, also a link whose target is missing: writing there would not create a
  // new name.
  return fs::exists(fs::symlink_status(path, error));
}

bool IsSameFile(const std::string& first, const std::string& second) {
  std::error_code error;
  if (fs::equivalent(first, second, error) && !error) return true;
  // A file not there yet is the same when both names lead, through their links, to one path.
  const std::optional<fs::path> a = FollowLinks(first), b = FollowLinks(second);
  if (!a || !b) return false;
  const fs::path resolvedA = fs::weakly_canonical(fs::absolute(*a, error), error);
  if (error) return false;
  const fs::path resolvedB = fs::weakly_canonical(fs::absolute(*b, error), error);
  return !error && resolvedA == resolvedB;
}

struct FileTransaction::Staged {
  fs::path target;
  fs::path temporary;
  PendingPath temporaryListed;
  fs::path backup;  // a second name of the replaced file until the transaction ends
  PendingPath backupListed;
  bool replaced = false;
};

FileTransaction::FileTransaction() = default;

FileTransaction::~FileTransaction() {
  if (!committed_) rollBack();
  std::error_code ignored;
  for (const Staged& file : staged_) {
    if (!file.replaced) fs::remove(file.temporary, ignored);
    if (!file.backup.empty()) fs::remove(file.backup, ignored);
  }
}

std::optional<std::string> FileTransaction::stage(const std::string& pathText,
                                                  std::string_view bytes) {
  if (pathText.empty()) return std::string("no file name given");
  const std::optional<fs::path> resolved = FollowLinks(fs::path(pathText));
  if (!resolved) return pathText + ": too many levels of symbolic links";
  const fs::path target = *resolved;

  std::error_code error;
  const fs::file_status status = fs::status(target, error);
  const bool targetExists = fs::exists(status);
  if (targetExists && !fs::is_regular_file(status)) {
    return target.string() + " is " + FileKindName(status.type());
  }
  if (!target.has_filename()) return pathText + " names no file";

  fs::path folder = target.parent_path();
  if (folder.empty()) folder = ".";
  const std::string targetName = target.filename().string();

  // Create the temporary file; "x" refuses an existing name, so a collision tries another one.
  // It is listed for removal before a signal can end the program.
  fs::path temporary;
  PendingPath listed;
  std::FILE* file = nullptr;
  for (int attempt = 0; attempt < 100 && file == nullptr; ++attempt) {
    temporary = TemporaryName(folder, targetName, attempt);
    listed = PendingPath(temporary.string(), PendingPath::Kind::File);
    int cause = 0;
    WhileInterruptsHeld([&] {
      errno = 0;
      file = std::fopen(temporary.c_str(), "wbx");
      cause = errno;
      if (file != nullptr) listed.list();
    });
    if (file == nullptr && cause != EEXIST) {
      return "cannot create a file in " + folder.string() + ": " + ErrnoText(cause);
    }
  }
  if (file == nullptr) return "cannot create a temporary file in " + folder.string();

  int failure = 0;
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) {
    failure = errno != 0 ? errno : EIO;
  }
  if (failure == 0 && std::fflush(file) != 0) failure = errno != 0 ? errno : EIO;

#ifdef KORVEX_POSIX_FILES
  if (failure == 0 && targetExists) {
    // The replaced file keeps its permission bits (and, where allowed, its owner).
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0) {
      const int fd = ::fileno(file);
      if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
        // Only the owner's rights matter when the owner cannot be kept.
      }
      if (::fchmod(fd, old.st_mode & 07777) != 0) failure = errno;
    }
  }
#endif

  errno = 0;
  if (std::fclose(file) != 0 && failure == 0) failure = errno != 0 ? errno : EIO;

#ifndef KORVEX_POSIX_FILES
  if (failure == 0 && targetExists) {
    fs::permissions(temporary, status.permissions(), error);
    if (error) failure = error.value();
  }
#endif

  if (failure != 0) {
    fs::remove(temporary, error);
    return WriteFailure(target, failure);
  }
  try {
    staged_.push_back({target, temporary, std::move(listed), {}, {}, false});
  } catch (...) {
    fs::remove(temporary, error);
    throw;
  }
  return std::nullopt;
}

std::optional<std::string> FileTransaction::commit() {
  std::optional<std::string> failure;
  // A signal waits until every target is replaced, or every one put back.
  WhileInterruptsHeld([&] {
    std::error_code error;
    for (Staged& file : staged_) {
      // A hard link keeps the old file reachable, so a later failure can put it back.
      if (fs::exists(file.target, error)) {
        const fs::path backup = TemporaryName(
            file.target.parent_path().empty() ? fs::path(".") : file.target.parent_path(),
            file.target.filename().string() + ".old", 0);
        // Whatever takes memory comes before the link is made.
        PendingPath listed(backup.string(), PendingPath::Kind::File);
        file.backup = backup;
        fs::create_hard_link(file.target, backup, error);
        if (error) {
          file.backup.clear();
        } else {
          listed.list();
          file.backupListed = std::move(listed);
        }
      }
      fs::rename(file.temporary, file.target, error);
      if (error) {
        failure = "cannot replace " + file.target.string() + ": " + error.message();
        rollBack();
        return;
      }
      file.replaced = true;
      file.temporaryListed.release();
    }
    committed_ = true;
  });
  return failure;
}

// Puts every target replaced so far back as it was: the old file from its second name, or no
// file where there was none.
void FileTransaction::rollBack() {
  std::error_code ignored;
  for (Staged& file : staged_) {
    if (!file.replaced) continue;
    if (file.backup.empty()) {
      fs::remove(file.target, ignored);
    } else {
      fs::rename(file.backup, file.target, ignored);
      file.backup.clear();
      file.backupListed.release();
    }
    file.replaced = false;
    file.temporary.clear();
  }
}

struct NewFolders::Made {
  fs::path folder;
  PendingPath listed;
};

NewFolders::NewFolders() = default;

NewFolders::~NewFolders() {
  std::error_code ignored;
  for (auto made = made_.rbegin(); made != made_.rend(); ++made)
    fs::remove(made->folder, ignored);  // only an empty folder goes
}

std::optional<std::string> NewFolders::create(const std::string& folder) {
  std::vector<fs::path> missing;  // the deepest first
  std::error_code error;
  for (fs::path path = folder; !path.empty() && !fs::exists(fs::symlink_status(path, error));
       path = path.parent_path()) {
    if (!missing.empty() && path == missing.back()) break;  // a root that is not there
    missing.push_back(path);
  }
  for (auto path = missing.rbegin(); path != missing.rend(); ++path) {
    made_.push_back({*path, PendingPath(path->string(), PendingPath::Kind::Folder)});
    WhileInterruptsHeld([&] {
      if (fs::create_directory(*path, error))
        made_.back().listed.list();
      else
        made_.pop_back();
    });
    if (error) return "cannot create the folder " + path->string() + ": " + error.message();
  }
  return std::nullopt;
}

void NewFolders::keep() {
  made_.clear();
}

std::optional<std::string> WriteFileAtomically(const std::string& path, std::string_view bytes) {
  FileTransaction transaction;
  if (auto failure = transaction.stage(path, bytes)) return failure;
  return transaction.commit();
}

}  // namespace korvex
