#include "template/frame_sheet.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>

#include "base/decimal_text.h"
#include "base/pi.h"
#include "template/helvetica.h"
#include "template/sheet_pages.h"

namespace korvex {
namespace {

constexpr double kHeadingSize = 3.2;
constexpr double kTextSize = 2.6;
constexpr double kNameSize = 2.2;
constexpr double kRowHeight = 4.2;
constexpr double kGap = 8;  // between the views

// A view of the frame: a point's place across (u) and up (w) the view, mm.
struct View {
  const char* title;
  std::function<std::array<double, 2>(const Vec3&)> project;
};

const std::array<View, 4>& Views() {
  static const double r2 = std::sqrt(2.0), r6 = std::sqrt(6.0);
  static const std::array<View, 4> views{
      View{"FRONT (X TO THE RIGHT, Z UP)",
           [](const Vec3& p) {
             return std::array{p[0], p[2]};
           }},
      View{"TOP (X TO THE RIGHT, Y UP)",
           [](const Vec3& p) {
             return std::array{p[0], p[1]};
           }},
      View{"SIDE (Y TO THE RIGHT, Z UP)",
           [](const Vec3& p) {
             return std::array{p[1], p[2]};
           }},
      View{"PICTORIAL", [](const Vec3& p) {
             return std::array{(p[0] - p[1]) / r2, (p[0] + p[1] + 2 * p[2]) / r6};
           }}};
  return views;
}

struct Bounds {
  double u0 = INFINITY, u1 = -INFINITY, w0 = INFINITY, w1 = -INFINITY;
  void add(std::array<double, 2> p, double r) {
    u0 = std::min(u0, p[0] - r), u1 = std::max(u1, p[0] + r);
    w0 = std::min(w0, p[1] - r), w1 = std::max(w1, p[1] + r);
  }
};

Bounds BoundsOf(const FrameSheet& sheet, const View& view) {
  Bounds b;
  for (const FrameSheetMember& m : sheet.members) {
    b.add(view.project(m.from), m.diameter / 2);
    b.add(view.project(m.to), m.diameter / 2);
  }
  return b;
}

// The largest scale 1:N, N of 1, 2 or 5 times a power of ten, at which every extent fits.
double DrawingScale(double needed) {
  for (double power = 1; power < 1e9; power *= 10) {
    for (const double n : {1.0, 2.0, 5.0}) {
      if (1 / (n * power) <= needed) return 1 / (n * power);
    }
  }
  return needed;
}

// The member's outline in the view: two lines a radius either side of its axis, or a circle
// where it points at the viewer; its axis dash-dotted.
void DrawMember(Sheet& drawing, const FrameSheetMember& m, const View& view,
                const std::function<SheetPoint(std::array<double, 2>)>& place, double scale) {
  const auto a = view.project(m.from), b = view.project(m.to);
  const double du = b[0] - a[0], dw = b[1] - a[1], length = std::hypot(du, dw);
  const double r = m.diameter / 2;
  if (length * scale < 0.05) {
    std::vector<SheetPoint> circle;
    for (int k = 0; k <= 32; ++k) {
      const double t = 2 * kPi * k / 32;
      circle.push_back(place({a[0] + r * std::cos(t), a[1] + r * std::sin(t)}));
    }
    drawing.line(Stroke::Seam, std::move(circle));
    return;
  }
  const double nu = -dw / length * r, nw = du / length * r;
  for (const double side : {-1.0, 1.0}) {
    drawing.line(Stroke::Seam, {place({a[0] + side * nu, a[1] + side * nw}),
                                place({b[0] + side * nu, b[1] + side * nw})});
  }
  drawing.line(Stroke::CentreLine, {place(a), place(b)});
}

void DrawViews(SheetPages& pages, const FrameSheet& sheet) {
  Sheet& page = pages.newPage();
  const PaperSize content = SheetPages::Content();
  const double top = SheetPages::Top();
  const double cellW = (content.width - kGap) / 2;
  const double cellH = (content.height + kPageMargin - top - kGap) / 2 - kHeadingSize - 2;
  // One scale for the three views, so that they measure alike.
  double fit = INFINITY;
  for (std::size_t k = 0; k < 3; ++k) {
    const Bounds b = BoundsOf(sheet, Views()[k]);
    fit = std::min({fit, cellW / std::max(b.u1 - b.u0, 1e-9), cellH / std::max(b.w1 - b.w0, 1e-9)});
  }
  const double scale = DrawingScale(fit);
  for (std::size_t k = 0; k < Views().size(); ++k) {
    const View& view = Views()[k];
    const Bounds b = BoundsOf(sheet, view);
    const bool pictorial = k == 3;
    const double s = pictorial ? std::min(cellW / std::max(b.u1 - b.u0, 1e-9),
                                          cellH / std::max(b.w1 - b.w0, 1e-9))
                               : scale;
    const double left = kPageMargin + static_cast<double>(k % 2) * (cellW + kGap);
    const double headingTop = top + static_cast<double>(k / 2) * (cellH + kHeadingSize + 2 + kGap);
    std::string title = view.title;
    title += pictorial ? " - NOT TO SCALE" : " - SCALE 1:" + DecimalText(1 / scale, 0);
    page.text({left, headingTop + kHeadingSize}, kHeadingSize, title);
    const double cellTop = headingTop + kHeadingSize + 2;
    // Centred in the cell, w upwards.
    const double u0 = left + (cellW - (b.u1 - b.u0) * s) / 2 - b.u0 * s;
    const double v0 = cellTop + (cellH - (b.w1 - b.w0) * s) / 2 + b.w1 * s;
    const auto place = [&](std::array<double, 2> p) {
      return SheetPoint{u0 + p[0] * s, v0 - p[1] * s};
    };
    for (const FrameSheetMember& m : sheet.members)
      DrawMember(page, m, view, place, s);
    if (!pictorial) continue;
    for (const FrameSheetMember& m : sheet.members) {
      // A little off the middle, which is often a node where other names stand.
      const SheetPoint mid = place(view.project(m.from + 0.42 * (m.to - m.from)));
      const std::string name = Printable(m.name);
      page.text({mid.u - HelveticaWidth(name, kNameSize) / 2, mid.v - 1}, kNameSize, name);
    }
  }
}

void DrawMembers(SheetPages& pages, const FrameSheet& sheet) {
  const std::array<double, 5> columns{0, 60, 120, 170, 205};
  const std::array<const char*, 5> headings{"MEMBER", "PART", "TUBE", "LENGTH", "QUANTITY"};
  const auto row = [&](const std::array<std::string, 5>& cells, double size) {
    Sheet& page = pages.room(kRowHeight);
    if (pages.fresh() && size == kTextSize) {
      // A table continued on a new page keeps its headings.
      for (std::size_t c = 0; c < cells.size(); ++c)
        page.text({kPageMargin + columns[c], pages.v() + kHeadingSize}, kHeadingSize, headings[c]);
      pages.v() += kRowHeight + 1;
    }
    double& v = pages.v();
    for (std::size_t c = 0; c < cells.size(); ++c)
      page.text({kPageMargin + columns[c], v + size}, size, cells[c]);
    v += kRowHeight;
  };
  pages.newPage();
  row({headings[0], headings[1], headings[2], headings[3], headings[4]}, kHeadingSize);
  pages.v() += 1;
  for (const FrameSheetMember& m : sheet.members) {
    row({Printable(m.name), Printable(m.part), m.tube, DecimalText(m.length, 1) + " MM",
         std::to_string(m.quantity)},
        kTextSize);
  }
}

void DrawOrder(SheetPages& pages, const FrameSheet& sheet) {
  Sheet& first = pages.room(2 * kRowHeight + 4);
  double& v = pages.v();
  v += 4;
  first.text({kPageMargin, v + kHeadingSize}, kHeadingSize,
             "FIT-UP ORDER: AT EACH NODE THE MEMBERS IN THE ORDER THEY GO TOGETHER, EACH CUT TO "
             "FIT THE ONES BEFORE IT");
  v += kRowHeight + 1;
  const double width = SheetPages::Content().width;
  const auto line = [&](const std::string& text) {
    Sheet& page = pages.room(kRowHeight);
    page.text({kPageMargin, pages.v() + kTextSize}, kTextSize, text);
    pages.v() += kRowHeight;
  };
  for (const FrameSheetNode& node : sheet.nodes) {
    if (node.members.size() < 2) continue;
    // A long order goes on over further lines, indented.
    std::string text = "NODE " + Printable(node.name) + ":";
    for (std::size_t k = 0; k < node.members.size(); ++k) {
      std::string member = Printable(node.members[k]) + (node.passing[k] ? " (THROUGH)" : "");
      if (k + 1 < node.members.size()) member += ",";
      if (k > 0 && HelveticaWidth(text + " " + member, kTextSize) > width) {
        line(text);
        text = "    ";
      }
      text += " " + member;
    }
    line(text);
  }
}

}  // namespace

std::string FrameSheetPdf(const FrameSheet& sheet) {
  SheetPages pages("frame sheet", Printable(sheet.name));
  DrawViews(pages, sheet);
  DrawMembers(pages, sheet);
  DrawOrder(pages, sheet);
  return pages.pdf();
}

}  // namespace korvex
