#include "base/pending_paths.h"

#include <atomic>
#include <cerrno>
#include <mutex>
#include <utility>

#if defined(__unix__) || defined(__APPLE__)
#include <pthread.h>
#include <signal.h>
#include <time.h>
#include <unistd.h>
#define KORVEX_POSIX_SIGNALS 1
#endif

namespace korvex {

// One listed path. The handler follows next only; previous is for removing a node in one step.
struct PendingPath::Node {
  std::string path;
  Kind kind = Kind::File;
  std::atomic<Node*> next{nullptr};
  Node* previous = nullptr;  // changed under the list's lock only
};

namespace {

using Node = PendingPath::Node;
static_assert(std::atomic<Node*>::is_always_lock_free, "the handler reads the list without a lock");

// The list, newest first. Threads change it under the lock, one atomic store at a time, so a
// handler walking it at any moment finds a whole list. A node taken out while a handler runs
// is not freed: the handler may be standing on it, and the program is ending anyway.
std::atomic<Node*> gNewest{nullptr};
std::mutex gLock;
std::atomic<int> gHandlers{0};  // handlers walking the list
std::atomic<int> gHeld{0};      // threads inside WhileInterruptsHeld

void Listed(Node* node) {
  const std::lock_guard lock(gLock);
  Node* newest = gNewest.load();
  node->next.store(newest);
  if (newest != nullptr) newest->previous = node;
  gNewest.store(node);
}

void Unlisted(Node* node) {
  {
    const std::lock_guard lock(gLock);
    Node* next = node->next.load();
    if (node->previous != nullptr)
      node->previous->next.store(next);
    else
      gNewest.store(next);
    if (next != nullptr) next->previous = node->previous;
  }
  // Both this load and the handler's count are sequentially consistent: a handler that starts
  // later cannot reach the node any more, one that started earlier is seen here.
  if (gHandlers.load() == 0) delete node;
}

#ifdef KORVEX_POSIX_SIGNALS

constexpr int kSignals[] = {SIGINT, SIGTERM};

void RemovePendingThenEnd(int signal) {
  const int savedErrno = errno;
  gHandlers.fetch_add(1);
  // Renames in progress on another thread finish first; a thread that holds signals itself
  // never runs this handler meanwhile.
  const timespec tick{0, 10 * 1000 * 1000};
  for (int waited = 0; gHeld.load() > 0 && waited < 1000; ++waited)
    nanosleep(&tick, nullptr);
  for (Node* node = gNewest.load(); node != nullptr; node = node->next.load()) {
    if (node->kind == PendingPath::Kind::Folder)
      ::rmdir(node->path.c_str());
    else
      ::unlink(node->path.c_str());
  }
  // The signal, raised again with its default action, ends the program once this returns.
  ::signal(signal, SIG_DFL);
  ::raise(signal);
  errno = savedErrno;
}

#endif

}  // namespace

PendingPath::PendingPath(const std::string& path, Kind kind)
    : node_(new Node{path, kind, {}, nullptr}) {}

PendingPath::~PendingPath() {
  release();
}

PendingPath::PendingPath(PendingPath&& other) noexcept
    : node_(std::exchange(other.node_, nullptr)), listed_(std::exchange(other.listed_, false)) {}

PendingPath& PendingPath::operator=(PendingPath&& other) noexcept {
  if (this != &other) {
    release();
    node_ = std::exchange(other.node_, nullptr);
    listed_ = std::exchange(other.listed_, false);
  }
  return *this;
}

void PendingPath::list() noexcept {
  if (node_ == nullptr || listed_) return;
  Listed(node_);
  listed_ = true;
}

void PendingPath::release() noexcept {
  if (node_ == nullptr) return;
  if (listed_)
    Unlisted(node_);
  else
    delete node_;
  node_ = nullptr;
  listed_ = false;
}

void InstallInterruptCleanup() {
#ifdef KORVEX_POSIX_SIGNALS
  struct sigaction action {};
  action.sa_handler = RemovePendingThenEnd;
  sigemptyset(&action.sa_mask);
  for (const int signal : kSignals)
    sigaddset(&action.sa_mask, signal);
  for (const int signal : kSignals) {
    struct sigaction before {};
    if (sigaction(signal, nullptr, &before) == 0 && before.sa_handler == SIG_IGN) continue;
    sigaction(signal, &action, nullptr);
  }
#endif
}

void WhileInterruptsHeld(const std::function<void()>& work) {
#ifdef KORVEX_POSIX_SIGNALS
  sigset_t held;
  sigemptyset(&held);
  for (const int signal : kSignals)
    sigaddset(&held, signal);
  // Holds from the first line to the last, also when work throws; a signal that came meanwhile
  // is handled when the mask is restored, after the count has dropped.
  struct Hold {
    sigset_t before;
    explicit Hold(const sigset_t& held) {
      pthread_sigmask(SIG_BLOCK, &held, &before);
      gHeld.fetch_add(1);
    }
    ~Hold() {
      gHeld.fetch_sub(1);
      pthread_sigmask(SIG_SETMASK, &before, nullptr);
    }
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;
  } hold(held);
#endif
  work();
}

}  // namespace korvex
