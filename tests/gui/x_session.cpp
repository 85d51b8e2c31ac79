#include "x_session.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <chrono>
#include <thread>

namespace korvex {
namespace {

using namespace std::chrono_literals;

::Display* Of(void* display) {
  return static_cast<::Display*>(display);
}

}  // namespace

XSession::XSession() : display_(XOpenDisplay(nullptr)) {}

XSession::~XSession() {
  if (display_) XCloseDisplay(Of(display_));
}

std::optional<unsigned long> XSession::waitForWindow(const std::string& title) {
  for (auto waited = 0ms; waited < 15000ms; waited += 50ms) {
    if (auto found = findNow(title)) return found;
    std::this_thread::sleep_for(50ms);
  }
  return std::nullopt;
}

std::optional<unsigned long> XSession::findNow(const std::string& title) {
  return find(DefaultRootWindow(Of(display_)), title);
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

void XSession::click(unsigned long window, int x, int y) {
  ::Display* display = Of(display_);
  int rootX = 0, rootY = 0;
  Window child = 0;
  XTranslateCoordinates(display, window, DefaultRootWindow(display), x, y, &rootX, &rootY, &child);
  XTestFakeMotionEvent(display, -1, rootX, rootY, CurrentTime);
  XFlush(display);
  std::this_thread::sleep_for(300ms);  // the button turns hot first
  XTestFakeButtonEvent(display, 1, True, CurrentTime);
  XFlush(display);
  std::this_thread::sleep_for(50ms);
  XTestFakeButtonEvent(display, 1, False, CurrentTime);
  XFlush(display);
}

std::optional<unsigned long> XSession::find(unsigned long parent, const std::string& title) {
  ::Display* display = Of(display_);
  Window root = 0, ancestor = 0;
  Window* children = nullptr;
  unsigned count = 0;
  if (!XQueryTree(display, parent, &root, &ancestor, &children, &count)) return std::nullopt;
  std::optional<unsigned long> found;
  for (unsigned i = 0; i < count && !found; ++i) {
    char* name = nullptr;
    XWindowAttributes attributes{};
    XGetWindowAttributes(display, children[i], &attributes);
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
