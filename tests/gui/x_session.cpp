#include "x_session.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>
#include <poll.h>

namespace korvex {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr auto kWaitLimit = 30s;

::Display* Of(void* display) {
  return static_cast<::Display*>(display);
}

XErrorHandler previousHandler = nullptr;

// The program creates and destroys short-lived windows while it starts; one that vanishes
// between listing and reading it is simply skipped.
int SkipVanishedWindow(::Display* display, XErrorEvent* error) {
  if (error->error_code == BadWindow || error->error_code == BadDrawable) return 0;
  return previousHandler ? previousHandler(display, error) : 0;
}

// Installs SkipVanishedWindow for its lifetime; the XSync calls keep errors of other requests
// out of its reach.
class VanishedWindowsSkipped {
 public:
  explicit VanishedWindowsSkipped(::Display* display) : display_(display) {
    XSync(display_, False);
    previousHandler = XSetErrorHandler(SkipVanishedWindow);
  }
  ~VanishedWindowsSkipped() {
    XSync(display_, False);
    XSetErrorHandler(previousHandler);
  }
  VanishedWindowsSkipped(const VanishedWindowsSkipped&) = delete;
  VanishedWindowsSkipped& operator=(const VanishedWindowsSkipped&) = delete;

 private:
  ::Display* display_;
};

}  // namespace

XSession::XSession() : display_(XOpenDisplay(nullptr)) {
  // Top-level windows are the root's children: their MapNotify wakes waitForWindow.
  if (display_) XSelectInput(Of(display_), DefaultRootWindow(Of(display_)), SubstructureNotifyMask);
}

XSession::~XSession() {
  if (display_) XCloseDisplay(Of(display_));
}

std::optional<unsigned long> XSession::waitForWindow(const std::string& title) {
  const auto deadline = Clock::now() + kWaitLimit;
  for (;;) {
    // Watched before looking, so a title given just after the look still wakes the wait.
    watchTopLevelTitles();
    if (auto found = findNow(title)) return found;
    if (!waitForEvent(deadline, MapNotify, PropertyNotify)) return std::nullopt;
  }
}

void XSession::watchTopLevelTitles() {
  ::Display* display = Of(display_);
  const VanishedWindowsSkipped skipped(display);
  Window root = 0, parent = 0;
  Window* children = nullptr;
  unsigned count = 0;
  if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count)) return;
  for (unsigned i = 0; i < count; ++i)
    XSelectInput(display, children[i], PropertyChangeMask);
  if (children) XFree(children);
}

std::optional<unsigned long> XSession::findNow(const std::string& title) {
  const VanishedWindowsSkipped skipped(Of(display_));
  return find(DefaultRootWindow(Of(display_)), title);
}

bool XSession::waitForEvent(Clock::time_point deadline, int type, int otherType) {
  ::Display* display = Of(display_);
  for (;;) {
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type == type || event.type == otherType) return true;
    }
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    if (left <= 0ms) return false;
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    ::poll(&connection, 1, static_cast<int>(left.count()));
  }
}

void XSession::requestClose(unsigned long window) {
  ::Display* display = Of(display_);
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, window, False, NoEventMask, &event);
  XFlush(display);
}

bool XSession::waitForColour(unsigned long window, int x, int y, unsigned long rgb) {
  ::Display* display = Of(display_);
  int damageEvents = 0, damageErrors = 0;
  if (!XDamageQueryExtension(display, &damageEvents, &damageErrors)) return false;
  const Damage damage = XDamageCreate(display, window, XDamageReportNonEmpty);
  const auto deadline = Clock::now() + kWaitLimit;
  bool shown = false;
  do {
    // Cleared before reading, so drawing that lands after the read is still reported.
    XDamageSubtract(display, damage, None, None);
    const VanishedWindowsSkipped skipped(display);
    if (XImage* image = XGetImage(display, window, x, y, 1, 1, AllPlanes, ZPixmap)) {
      shown = (XGetPixel(image, 0, 0) & 0xFFFFFF) == rgb;
      XDestroyImage(image);
    }
  } while (!shown && waitForEvent(deadline, damageEvents + XDamageNotify));
  XDamageDestroy(display, damage);
  XFlush(display);
  return shown;
}

// Motion, press and release reach the program in this order; it decides by where the pointer
// is when each arrives, so nothing needs to happen between them.
void XSession::click(unsigned long window, int x, int y) {
  ::Display* display = Of(display_);
  int rootX = 0, rootY = 0;
  Window child = 0;
  XTranslateCoordinates(display, window, DefaultRootWindow(display), x, y, &rootX, &rootY, &child);
  XTestFakeMotionEvent(display, -1, rootX, rootY, CurrentTime);
  XTestFakeButtonEvent(display, 1, True, CurrentTime);
  XTestFakeButtonEvent(display, 1, False, CurrentTime);
  XSync(display, False);
}

std::optional<unsigned long> XSession::find(unsigned long parent, const std::string& title) {
  ::Display* display = Of(display_);
  Window root = 0, ancestor = 0;
  Window* children = nullptr;
  unsigned count = 0;
  if (!XQueryTree(display, parent, &root, &ancestor, &children, &count)) return std::nullopt;
  std::optional<unsigned long> found;
  for (unsigned i = 0; i < count && !found; ++i) {
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display, children[i], &attributes)) continue;  // gone
    char* name = nullptr;
    if (attributes.map_state == IsViewable && XFetchName(display, children[i], &name) && name) {
      if (title == name) found = children[i];
      XFree(name);
    }
    if (!found) found = find(children[i], title);
  }
  if (children) XFree(children);
  return found;
}

}  // namespace korvex
