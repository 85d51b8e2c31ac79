#pragma once

#include <chrono>
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

  // The mapped top-level window with that title, waiting for it a few seconds: mapped with it
  // or given it later.
  std::optional<unsigned long> waitForWindow(const std::string& title);
  // The same without waiting.
  std::optional<unsigned long> findNow(const std::string& title);

  // The close box: the window manager's request to close.
  void requestClose(unsigned long window);

  // Whether the pixel at a point of the window's client area shows the colour 0xRRGGBB within
  // a few seconds: the sign that the program has drawn that part of its window.
  bool waitForColour(unsigned long window, int x, int y, unsigned long rgb);

  // A left click at a point of the window's client area, through the X server's pointer.
  void click(unsigned long window, int x, int y);

 private:
  std::optional<unsigned long> find(unsigned long parent, const std::string& title);
  // Title changes of the top-level windows now there wake waitForEvent from now on.
  void watchTopLevelTitles();
  // Waits for an event of that type (MapNotify of a top-level window, PropertyNotify of a watched
  // one, DamageNotify); false once the deadline has passed.
  bool waitForEvent(std::chrono::steady_clock::time_point deadline, int type, int otherType = -1);

  void* display_;
};

}  // namespace korvex
