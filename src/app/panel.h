#pragma once

#include <string>

namespace korvex {

// The main window's controls, addressed by control id. Texts are bytes in ISO-8859-1.
// A missing id reads as the empty text or state 0, and writes to it are ignored. A check box is
// ticked (1) or not (0); setting any state other than 1 unticks it.
class Panel {
 public:
  virtual ~Panel() = default;

  virtual std::string text(int id) const = 0;
  virtual void setText(int id, const std::string& text) = 0;
  virtual int checkState(int id) const = 0;
  virtual void setCheckState(int id, int state) = 0;

  // The main window's title.
  virtual void setTitle(const std::string& title) = 0;
};

}  // namespace korvex
