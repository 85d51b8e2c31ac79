#include "template/helvetica.h"

namespace korvex {
namespace {

// Advance widths of Helvetica's glyphs for ' ' to '~', in 1/1000 of the size.
constexpr int kWidths[95] = {278,  278, 355, 556, 556, 889, 667, 191,
                             333,  333, 389, 584, 278, 333, 278, 278,  //  !"#$%&'()*+,-./
                             556,  556, 556, 556, 556, 556, 556, 556,
                             556,  556, 278, 278, 584, 584, 584, 556,  // 0-9 :;<=>?
                             1015, 667, 667, 722, 722, 667, 611, 778,
                             722,  278, 500, 667, 556, 833, 722, 778,  // @A-O
                             667,  778, 722, 667, 611, 722, 667, 944,
                             667,  667, 611, 278, 278, 278, 469, 556,  // P-Z [\]^_
                             333,  556, 556, 500, 556, 556, 278, 556,
                             556,  222, 222, 500, 222, 833, 556, 556,  // `a-o
                             556,  556, 333, 500, 278, 556, 500, 722,
                             500,  500, 500, 334, 260, 334, 584};  // p-z {|}~
constexpr int kWidest = 1015;

}  // namespace

double HelveticaWidth(std::string_view text, double size) {
  int units = 0;
  for (char c : text) {
    units += c >= ' ' && c <= '~' ? kWidths[c - ' '] : kWidest;
  }
  return units * size / 1000;
}

std::string ShortenedInTheMiddle(const std::string& text, double size, double width) {
  if (HelveticaWidth(text, size) <= width) return text;
  // Drop characters alternately from the end of the head and the start of the tail.
  std::string head = text.substr(0, text.size() / 2);
  std::string tail = text.substr(text.size() / 2);
  while (!head.empty() || !tail.empty()) {
    if (head.size() >= tail.size()) {
      head.pop_back();
    } else {
      tail.erase(0, 1);
    }
    const std::string shortened = head + "..." + tail;
    if (HelveticaWidth(shortened, size) <= width) return shortened;
  }
  return "...";
}

}  // namespace korvex
