#pragma once

#include <functional>
#include <string>

namespace korvex {

// Temporary files and new folders that the program has made and neither kept nor removed yet.
// When SIGINT or SIGTERM ends the program, the handlers that InstallInterruptCleanup sets
// remove them first (files unlinked, folders removed while empty, the newest first), then let
// the signal end the program as it would have.
//
// A signal handler may only do what is safe at any moment, so it walks a list prepared
// beforehand and calls unlink and rmdir, nothing else. A path is listed right after it is made,
// with the signals held between, so that neither a signal nor a failed allocation can leave it
// unlisted, and nothing that others made is ever listed. That list is the one state of the
// program kept outside what is passed in: a handler has no other way to reach it.
class PendingPath {
 public:
  enum class Kind { File, Folder };

  PendingPath() = default;
  // Ready to be listed: whatever memory that takes is taken here, before the path is made.
  PendingPath(const std::string& path, Kind kind);
  ~PendingPath();  // forgotten; the path is left as it is
  PendingPath(PendingPath&& other) noexcept;
  PendingPath& operator=(PendingPath&& other) noexcept;
  PendingPath(const PendingPath&) = delete;
  PendingPath& operator=(const PendingPath&) = delete;

  // Lists the path, once it has been made.
  void list() noexcept;
  // Forgets the path now: it has been kept, renamed or removed.
  void release() noexcept;

  struct Node;

 private:
  Node* node_ = nullptr;
  bool listed_ = false;
};

// Sets the handlers of SIGINT and SIGTERM, once, first thing in main. A signal the program was
// started to ignore stays ignored.
void InstallInterruptCleanup();

// Runs work with SIGINT and SIGTERM held on this thread; a handler running on another thread
// meanwhile waits for it (ten seconds at most). So files renamed into place as one are all
// renamed or none, and a file made is listed before a signal can end the program.
void WhileInterruptsHeld(const std::function<void()>& work);

}  // namespace korvex
