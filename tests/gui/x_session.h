#pragma once

#include <optional>
#include <string>

namespace korvex {

// The X display of the tests, as a user acts on it: finding windows by title, the close box
// and pointer clicks. Kept apart so that Xlib's macros stay out of the tests.
class XSession {
 public:
  XSession();
  ~XSession();
  XSession(const XSession&) = delete;
  XSession& operator=(const XSession&) = delete;

  bool connected() const { return display_ != nullptr; }

  // The mapped top-level window with that title, waiting for it a few seconds.
  std::optional<unsigned long> waitForWindow(const std::string& title);
  // The same without waiting.
  std::optional<unsigned long> findNow(const std::string& title);

  // The close box: the window manager's request to close.
  void requestClose(unsigned long window);

  // A left click at a point of the window's client area, through the X server's pointer.
  void click(unsigned long window, int x, int y);

 private:
  std::optional<unsigned long> find(unsigned long parent, const std::string& title);

  void* display_;
};

}  // namespace korvex
