#pragma once

#include <vector>

#include "template/sheet.h"

namespace korvex {

// One band of a template, an end or a hole: a true-scale sheet wrapped round the tube, and the
// texts that a window of it shows, placed whole inside the window, clear of keepOut.
class BandDrawing {
 public:
  virtual ~BandDrawing() = default;
  virtual const Sheet& sheet() const = 0;
  virtual SheetRect band() const = 0;
  virtual std::vector<SheetText> textsWithin(const SheetRect& window,
                                             const std::vector<SheetRect>& keepOut) const = 0;
};

}  // namespace korvex
