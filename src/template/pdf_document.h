#pragma once

#include <optional>
#include <string>
#include <vector>

#include "template/paper.h"
#include "template/sheet.h"

namespace korvex {

// A sheet placed on a page: its point (0, 0) at offset (mm from the page's top-left corner),
// drawn only inside clip when given.
struct PlacedSheet {
  const Sheet* sheet = nullptr;
  SheetPoint offset;
  struct Clip {
    SheetPoint topLeft;
    double width = 0;
    double height = 0;
  };
  std::optional<Clip> clip;
};

struct PdfPage {
  PaperSize paper;
  std::vector<PlacedSheet> sheets;
};

// A PDF 1.4 document of the pages at true size (1 mm = 72/25.4 pt), lines as paths and text in
// the built-in Helvetica. No dates, and an /ID made from the content, so the same pages always
// give the same bytes.
std::string PdfDocument(const std::vector<PdfPage>& pages, const std::string& title);

}  // namespace korvex
