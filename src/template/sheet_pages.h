#pragma once

#include <string>
#include <vector>

#include "template/paper.h"
#include "template/sheet.h"

namespace korvex {

// The text with every character a page cannot print shown as '?'.
std::string Printable(const std::string& text);

// A document of A4 landscape pages filled from the top: each page headed "KORVEX KIND - TITLE -
// PAGE i OF n".
class SheetPages {
 public:
  // kind in lower case ("cut sheet"), as the document's title holds it.
  SheetPages(std::string kind, std::string title)
      : kind_(std::move(kind)), title_(std::move(title)) {}

  // Room for height more mm on the current page, starting a new one when needed.
  Sheet& room(double height);
  // A page of its own.
  Sheet& newPage();
  // True until the current page's first use of v().
  bool fresh() const { return fresh_; }
  // How far down the current page is filled, mm.
  double& v() {
    fresh_ = false;
    return v_;
  }
  static PaperSize Content() { return PrintableSize(Paper::A4Landscape); }
  // The top of a page's content, below its heading.
  static double Top();

  std::string pdf();

 private:
  std::string kind_;
  std::string title_;
  std::vector<Sheet> pages_;
  double v_ = 0;
  bool fresh_ = true;
};

}  // namespace korvex
