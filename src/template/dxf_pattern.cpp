#include "template/dxf_pattern.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "domain/computed_job.h"
#include "template/decimal_text.h"
#include "template/end_drawing.h"

namespace korvex {
namespace {

struct Point {
  double x;
  double y;
};

class DxfText {
 public:
  void code(int group, const std::string& value) {
    out_ += std::to_string(group) + "\r\n" + value + "\r\n";
  }
  void number(int group, double value) {
    std::string text;
    // Nine decimals keep every point within 1e-9 mm of the computed one.
    AppendFixedDecimal(text, value, 9);
    code(group, text);
  }
  void point(int group, Point p) {
    number(group, p.x);
    number(group + 10, p.y);
    number(group + 20, 0);
  }
  std::string take() { return std::move(out_); }

 private:
  std::string out_;
};

void Polyline(DxfText& dxf, const char* layer, const std::vector<Point>& points, bool closed) {
  dxf.code(0, "POLYLINE");
  dxf.code(8, layer);
  dxf.code(66, "1");
  dxf.point(10, {0, 0});
  dxf.code(70, closed ? "1" : "0");
  for (const Point& p : points) {
    dxf.code(0, "VERTEX");
    dxf.code(8, layer);
    dxf.point(10, p);
  }
  dxf.code(0, "SEQEND");
  dxf.code(8, layer);
}

void Text(DxfText& dxf, Point at, double height, const std::string& text) {
  dxf.code(0, "TEXT");
  dxf.code(8, kMarksLayer);
  dxf.point(10, at);
  dxf.number(40, height);
  dxf.code(1, text);
}

void EndPattern(DxfText& dxf, const ComputedJob& job, TemplateEnd end) {
  const EndCut& cut = CutOf(job, end);
  const auto n = static_cast<std::size_t>(job.parameters.cutSegments);
  const EndExtent extent = ExtentOf(job, end);
  const double yTop = cut.path.y[0];
  const double circumference = yTop - cut.path.y[n];

  static constexpr const char* kQuarterNames[] = {"0 DEG TOP - SEAM", "90 DEG SIDE +Y",
                                                  "180 DEG BOTTOM", "270 DEG SIDE -Y",
                                                  "360 DEG TOP - SEAM"};
  for (int quarter = 0; quarter <= 4; ++quarter) {
    const double y = yTop - circumference * quarter / 4;
    Polyline(dxf, kMarksLayer, {{extent.xLow, y}, {extent.xHigh, y}}, false);
    Text(dxf, {extent.xHigh + 2, y - 1}, 3, kQuarterNames[quarter]);
  }
  Polyline(dxf, kMarksLayer, {{extent.xReference, yTop}, {extent.xReference, yTop - circumference}},
           false);
  Text(dxf, {extent.xLow, yTop - circumference - 6}, 3, EndTitle(end) + " - REFERENCE EDGE");

  const struct {
    const char* layer;
    const double* x;
  } curves[] = {{kOuterLayer, cut.surfaces.outer.data()},
                {kInnerLayer, cut.surfaces.inner.data()},
                {kMachinePathLayer, cut.path.x.data()}};
  for (const auto& curve : curves) {
    std::vector<Point> points;
    for (std::size_t i = 0; i <= n; ++i)
      points.push_back({curve.x[i], cut.path.y[i]});
    Polyline(dxf, curve.layer, points, false);
  }
}

}  // namespace

std::string DxfPattern(const ComputedJob& job, const std::string& projectName) {
  const EndExtent left = ExtentOf(job, TemplateEnd::Left);
  const EndExtent right = ExtentOf(job, TemplateEnd::Right);
  const double yTop = std::max(job.left.path.y[0], job.right.path.y[0]);
  DxfText dxf;
  dxf.code(0, "SECTION");
  dxf.code(2, "HEADER");
  dxf.code(9, "$ACADVER");
  dxf.code(1, "AC1009");
  dxf.code(9, "$INSBASE");
  dxf.point(10, {0, 0});
  dxf.code(9, "$EXTMIN");
  dxf.point(10, {std::min(left.xLow, right.xLow), -yTop - 10});
  dxf.code(9, "$EXTMAX");
  dxf.point(10, {std::max(left.xHigh, right.xHigh) + 50, yTop + 10});
  dxf.code(9, "$MEASUREMENT");
  dxf.code(70, "1");
  dxf.code(0, "ENDSEC");

  dxf.code(0, "SECTION");
  dxf.code(2, "TABLES");
  dxf.code(0, "TABLE");
  dxf.code(2, "LTYPE");
  dxf.code(70, "1");
  dxf.code(0, "LTYPE");
  dxf.code(2, "CONTINUOUS");
  dxf.code(70, "0");
  dxf.code(3, "Solid line");
  dxf.code(72, "65");
  dxf.code(73, "0");
  dxf.number(40, 0);
  dxf.code(0, "ENDTAB");
  dxf.code(0, "TABLE");
  dxf.code(2, "LAYER");
  dxf.code(70, "5");
  const std::pair<const char*, const char*> layers[] = {{"0", "7"},
                                                        {kMachinePathLayer, "1"},
                                                        {kOuterLayer, "4"},
                                                        {kInnerLayer, "5"},
                                                        {kMarksLayer, "8"}};
  for (const auto& [name, colour] : layers) {
    dxf.code(0, "LAYER");
    dxf.code(2, name);
    dxf.code(70, "0");
    dxf.code(62, colour);
    dxf.code(6, "CONTINUOUS");
  }
  dxf.code(0, "ENDTAB");
  dxf.code(0, "ENDSEC");

  dxf.code(0, "SECTION");
  dxf.code(2, "ENTITIES");
  Text(dxf, {left.xLow, yTop + 6}, 3, "KORVEX FLAT PATTERN, MM - " + TubeLine(job, projectName));
  for (TemplateEnd end : {TemplateEnd::Left, TemplateEnd::Right})
    EndPattern(dxf, job, end);
  dxf.code(0, "ENDSEC");
  dxf.code(0, "EOF");
  return dxf.take();
}

}  // namespace korvex
