#include "template/dxf_pattern.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "domain/computed_job.h"
#include "base/decimal_text.h"
#include "template/end_drawing.h"
#include "template/hole_template.h"

namespace korvex {
namespace {

struct Point {
  double x;
  double y;
};

std::string Hex(unsigned value) {
  std::string text;
  do {
    text.insert(text.begin(), "0123456789ABCDEF"[value % 16]);
    value /= 16;
  } while (value > 0);
  return text;
}

// Group codes and values, every entity and table entry under its own handle.
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
  // A new handle under group (5, or 105 for a dimension style), returned for its owned objects.
  std::string handle(int group = 5) {
    std::string text = Hex(next_++);
    code(group, text);
    return text;
  }
  unsigned nextHandle() const { return next_; }
  std::string take() { return std::move(out_); }

 private:
  std::string out_;
  unsigned next_ = 1;
};

void Entity(DxfText& dxf, const char* type, const std::string& modelSpace, const char* layer) {
  dxf.code(0, type);
  dxf.handle();
  dxf.code(330, modelSpace);
  dxf.code(100, "AcDbEntity");
  dxf.code(8, layer);
}

void Polyline(DxfText& dxf, const std::string& modelSpace, const char* layer,
              const std::vector<Point>& points) {
  Entity(dxf, "LWPOLYLINE", modelSpace, layer);
  dxf.code(100, "AcDbPolyline");
  dxf.code(90, std::to_string(points.size()));
  dxf.code(70, "0");  // open: unrolled, step N lies a whole circumference from step 0
  for (const Point& p : points) {
    dxf.number(10, p.x);
    dxf.number(20, p.y);
  }
}

// Text left-aligned at at, or (rightAligned) ending at at.
void Text(DxfText& dxf, const std::string& modelSpace, Point at, double height,
          const std::string& text, bool rightAligned = false) {
  Entity(dxf, "TEXT", modelSpace, kMarksLayer);
  dxf.code(100, "AcDbText");
  dxf.point(10, at);
  dxf.number(40, height);
  dxf.code(1, text);
  if (rightAligned) {
    dxf.code(72, "2");
    dxf.point(11, at);
  }
  dxf.code(100, "AcDbText");
}

void EndPattern(DxfText& dxf, const std::string& modelSpace, const ComputedJob& job,
                TemplateEnd end) {
  const EndCut& cut = CutOf(job, end);
  const auto n = static_cast<std::size_t>(job.parameters.cutSegments);
  const EndExtent extent = ExtentOf(job, end);
  const double yTop = cut.path.y[0];
  const double circumference = yTop - cut.path.y[n];
  // Quarter names at the band's part side, the reference edge's name along it on the stock side.
  const double labelX = extent.partTowardsHigherX ? extent.xHigh + 2 : extent.xLow - 2;
  for (int quarter = 0; quarter <= 4; ++quarter) {
    const double y = yTop - circumference * quarter / 4;
    Polyline(dxf, modelSpace, kMarksLayer, {{extent.xLow, y}, {extent.xHigh, y}});
    Text(dxf, modelSpace, {labelX, y - 1}, 3, QuarterName(quarter), !extent.partTowardsHigherX);
  }
  Polyline(dxf, modelSpace, kMarksLayer,
           {{extent.xReference, yTop}, {extent.xReference, yTop - circumference}});
  const double beside = extent.partTowardsHigherX ? extent.xReference - 1 : extent.xReference + 1;
  Text(dxf, modelSpace, {beside, yTop - circumference / 8}, 3, EndTitle(end) + " - REFERENCE EDGE",
       extent.partTowardsHigherX);

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
    Polyline(dxf, modelSpace, curve.layer, points);
  }
}

// A hole's outer, inner and machine-path curves as an end's, and its centre lines with its name
// on the marks layer.
void HolePattern(DxfText& dxf, const std::string& modelSpace, const ComputedJob& job,
                 std::size_t hole) {
  const HoleCut& cut = job.holes[hole];
  const auto n = static_cast<std::size_t>(job.parameters.cutSegments);
  const HoleExtent extent = HoleExtentOf(job, hole);
  Polyline(dxf, modelSpace, kMarksLayer,
           {{extent.xMin - kHoleRoom, extent.yCentre}, {extent.xMax + kHoleRoom, extent.yCentre}});
  Polyline(dxf, modelSpace, kMarksLayer,
           {{extent.xCentre, extent.yMin - kHoleRoom}, {extent.xCentre, extent.yMax + kHoleRoom}});
  Text(dxf, modelSpace, {extent.xMax + 2, extent.yCentre + 1}, 3, HoleLine(job, hole));
  const struct {
    const char* layer;
    const double* x;
    const double* y;
  } curves[] = {{kOuterLayer, cut.outer.x.data(), cut.outer.y.data()},
                {kInnerLayer, cut.inner.x.data(), cut.inner.y.data()},
                {kMachinePathLayer, cut.path.x.data(), cut.path.y.data()}};
  for (const auto& curve : curves) {
    std::vector<Point> points;
    for (std::size_t j = 0; j <= n; ++j)
      points.push_back({curve.x[j], curve.y[j]});
    Polyline(dxf, modelSpace, curve.layer, points);
  }
}

// A symbol table: its entries are written by entries(tableHandle).
template <typename Entries>
void Table(DxfText& dxf, const char* name, int count, Entries entries) {
  dxf.code(0, "TABLE");
  dxf.code(2, name);
  const std::string table = dxf.handle();
  dxf.code(330, "0");
  dxf.code(100, "AcDbSymbolTable");
  dxf.code(70, std::to_string(count));
  if (std::string(name) == "DIMSTYLE") dxf.code(100, "AcDbDimStyleTable");
  entries(table);
  dxf.code(0, "ENDTAB");
}

std::string Record(DxfText& dxf, const char* type, const std::string& table, const char* subclass,
                   const std::string& name) {
  dxf.code(0, type);
  const std::string handle = dxf.handle(std::string(type) == "DIMSTYLE" ? 105 : 5);
  dxf.code(330, table);
  dxf.code(100, "AcDbSymbolTableRecord");
  dxf.code(100, subclass);
  dxf.code(2, name);
  dxf.code(70, "0");
  return handle;
}

void Tables(DxfText& dxf, std::string& modelSpace, std::string& paperSpace) {
  dxf.code(0, "SECTION");
  dxf.code(2, "TABLES");
  Table(dxf, "VPORT", 0, [](const std::string&) {});
  Table(dxf, "LTYPE", 3, [&](const std::string& table) {
    for (const char* name : {"ByBlock", "ByLayer", "Continuous"}) {
      Record(dxf, "LTYPE", table, "AcDbLinetypeTableRecord", name);
      dxf.code(3, std::string(name) == "Continuous" ? "Solid line" : "");
      dxf.code(72, "65");
      dxf.code(73, "0");
      dxf.number(40, 0);
    }
  });
  const std::pair<const char*, const char*> layers[] = {{"0", "7"},
                                                        {kMachinePathLayer, "1"},
                                                        {kOuterLayer, "4"},
                                                        {kInnerLayer, "5"},
                                                        {kMarksLayer, "8"}};
  Table(dxf, "LAYER", 5, [&](const std::string& table) {
    for (const auto& [name, colour] : layers) {
      Record(dxf, "LAYER", table, "AcDbLayerTableRecord", name);
      dxf.code(62, colour);
      dxf.code(6, "Continuous");
    }
  });
  Table(dxf, "STYLE", 1, [&](const std::string& table) {
    Record(dxf, "STYLE", table, "AcDbTextStyleTableRecord", "Standard");
    dxf.number(40, 0);
    dxf.number(41, 1);
    dxf.number(50, 0);
    dxf.code(71, "0");
    dxf.number(42, 2.5);
    dxf.code(3, "txt");
    dxf.code(4, "");
  });
  Table(dxf, "VIEW", 0, [](const std::string&) {});
  Table(dxf, "UCS", 0, [](const std::string&) {});
  Table(dxf, "APPID", 1, [&](const std::string& table) {
    Record(dxf, "APPID", table, "AcDbRegAppTableRecord", "ACAD");
  });
  Table(dxf, "DIMSTYLE", 1, [&](const std::string& table) {
    Record(dxf, "DIMSTYLE", table, "AcDbDimStyleTableRecord", "Standard");
  });
  Table(dxf, "BLOCK_RECORD", 2, [&](const std::string& table) {
    modelSpace = Record(dxf, "BLOCK_RECORD", table, "AcDbBlockTableRecord", "*Model_Space");
    paperSpace = Record(dxf, "BLOCK_RECORD", table, "AcDbBlockTableRecord", "*Paper_Space");
  });
  dxf.code(0, "ENDSEC");
}

void Blocks(DxfText& dxf, const std::string& modelSpace, const std::string& paperSpace) {
  dxf.code(0, "SECTION");
  dxf.code(2, "BLOCKS");
  for (const auto& [name, record] :
       {std::pair<const char*, std::string>{"*Model_Space", modelSpace},
        {"*Paper_Space", paperSpace}}) {
    dxf.code(0, "BLOCK");
    dxf.handle();
    dxf.code(330, record);
    dxf.code(100, "AcDbEntity");
    dxf.code(8, "0");
    dxf.code(100, "AcDbBlockBegin");
    dxf.code(2, name);
    dxf.code(70, "0");
    dxf.point(10, {0, 0});
    dxf.code(3, name);
    dxf.code(1, "");
    dxf.code(0, "ENDBLK");
    dxf.handle();
    dxf.code(330, record);
    dxf.code(100, "AcDbEntity");
    dxf.code(8, "0");
    dxf.code(100, "AcDbBlockEnd");
  }
  dxf.code(0, "ENDSEC");
}

// The root dictionary, holding the (empty) group dictionary every R2000 reader expects.
void Objects(DxfText& dxf) {
  dxf.code(0, "SECTION");
  dxf.code(2, "OBJECTS");
  dxf.code(0, "DICTIONARY");
  const std::string root = dxf.handle();
  dxf.code(330, "0");
  dxf.code(100, "AcDbDictionary");
  dxf.code(281, "1");
  dxf.code(3, "ACAD_GROUP");
  dxf.code(350, Hex(dxf.nextHandle()));
  dxf.code(0, "DICTIONARY");
  dxf.handle();
  dxf.code(330, root);
  dxf.code(100, "AcDbDictionary");
  dxf.code(281, "1");
  dxf.code(0, "ENDSEC");
}

}  // namespace

std::string DxfPattern(const ComputedJob& job, const std::string& projectName) {
  const EndExtent left = ExtentOf(job, TemplateEnd::Left);
  const EndExtent right = ExtentOf(job, TemplateEnd::Right);
  const double yTop = std::max(job.left.path.y[0], job.right.path.y[0]);

  // Tables, blocks, entities and objects first: the header names the next free handle.
  DxfText body;
  std::string modelSpace;  // the block record that owns the entities
  std::string paperSpace;
  Tables(body, modelSpace, paperSpace);
  Blocks(body, modelSpace, paperSpace);
  body.code(0, "SECTION");
  body.code(2, "ENTITIES");
  Text(body, modelSpace, {std::min(left.xLow, right.xLow), yTop + 6}, 3,
       "KORVEX FLAT PATTERN, MM - " + TubeLine(job, projectName, 1e9));
  for (TemplateEnd end : {TemplateEnd::Left, TemplateEnd::Right})
    EndPattern(body, modelSpace, job, end);
  for (std::size_t hole = 0; hole < job.holes.size(); ++hole)
    HolePattern(body, modelSpace, job, hole);
  body.code(0, "ENDSEC");
  Objects(body);
  body.code(0, "EOF");

  DxfText dxf;
  dxf.code(0, "SECTION");
  dxf.code(2, "HEADER");
  dxf.code(9, "$ACADVER");
  dxf.code(1, "AC1015");
  dxf.code(9, "$HANDSEED");
  dxf.code(5, Hex(body.nextHandle()));
  dxf.code(9, "$INSBASE");
  dxf.point(10, {0, 0});
  dxf.code(9, "$EXTMIN");
  dxf.point(10, {std::min(left.xLow, right.xLow) - 50, -yTop - 10});
  dxf.code(9, "$EXTMAX");
  dxf.point(10, {std::max(left.xHigh, right.xHigh) + 50, yTop + 10});
  dxf.code(9, "$INSUNITS");
  dxf.code(70, "4");
  dxf.code(9, "$MEASUREMENT");
  dxf.code(70, "1");
  dxf.code(0, "ENDSEC");
  return dxf.take() + body.take();
}

}  // namespace korvex
