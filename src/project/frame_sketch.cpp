#include "project/frame_sketch.h"

#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>

#include <dxflib/dl_creationadapter.h>
#include <dxflib/dl_dxf.h>

#include "base/file_extension.h"
#include "project/cut_list.h"

namespace korvex {
namespace {

std::optional<double> StrictNumber(std::string_view text) {
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
      !std::isfinite(value))
    return std::nullopt;
  return value;
}

// mm per drawing unit, by $INSUNITS; nothing for units that are not lengths KORVEX knows.
std::optional<double> MillimetresPer(int units) {
  switch (units) {
    case 0:  // unitless: taken as mm
    case 4:
      return 1.0;
    case 1:
      return 25.4;
    case 2:
      return 304.8;
    case 5:
      return 10.0;
    case 6:
      return 1000.0;
    default:
      return std::nullopt;
  }
}

struct Segment {
  std::string layer;
  Vec3 a, b;
};

// Collects the straight segments of the model space. The library reads numbers through a
// stream in the global C++ locale, which this program never changes from "C".
class SketchCollector : public DL_CreationAdapter {
 public:
  std::vector<Segment> segments;
  int units = 0;
  std::optional<std::string> refusal;

  void addLine(const DL_LineData& d) override {
    if (blocks_ == 0) segments.push_back({layer(), {d.x1, d.y1, d.z1}, {d.x2, d.y2, d.z2}});
  }
  void addPolyline(const DL_PolylineData& d) override {
    finishPolyline();
    if (blocks_ > 0) return;
    // Meshes and polyface meshes are surfaces, not lines.
    if (d.flags & (16 | 64)) return;
    polyline_ = Polyline{layer(), (d.flags & 1) != 0, (d.flags & 8) != 0, d.elevation, {}};
  }
  void addVertex(const DL_VertexData& d) override {
    if (!polyline_) return;
    if (d.bulge != 0 && !refusal)
      refusal = "a polyline on layer \"" + polyline_->layer + "\" has an arc; tubes are straight";
    polyline_->points.push_back({d.x, d.y, polyline_->spatial ? d.z : polyline_->elevation});
  }
  void endSequence() override { finishPolyline(); }
  void addBlock(const DL_BlockData&) override { ++blocks_; }
  void endBlock() override { blocks_ = std::max(0, blocks_ - 1); }
  void setVariableInt(const std::string& key, int value, int) override {
    if (key == "$INSUNITS") units = value;
  }

  void finishPolyline() {
    if (!polyline_) return;
    const auto& p = polyline_->points;
    for (std::size_t k = 1; k < p.size(); ++k)
      segments.push_back({polyline_->layer, p[k - 1], p[k]});
    if (polyline_->closed && p.size() > 2) segments.push_back({polyline_->layer, p.back(), p[0]});
    polyline_.reset();
  }

 private:
  std::string layer() { return getAttributes().getLayer(); }

  struct Polyline {
    std::string layer;
    bool closed, spatial;
    double elevation;
    std::vector<Vec3> points;
  };
  std::optional<Polyline> polyline_;
  int blocks_ = 0;
};

class SketchFrame {
 public:
  SketchFrame(const std::vector<LayerTube>& given, Frame& frame) : given_(given), frame_(frame) {}

  std::optional<std::string> add(const Segment& segment) {
    auto tube = tubeOf(segment.layer);
    if (!tube) {
      return "layer \"" + segment.layer +
             "\" names no tube: name it like 48.3x3.2 or give --tube " + segment.layer + "=DxT";
    }
    if (frame_.members.size() == kMaxSketchMembers)
      return "more than " + std::to_string(kMaxSketchMembers) + " members";
    const std::string name = "M" + std::to_string(frame_.members.size() + 1);
    frame_.members.push_back({name, nodeAt(segment.a), nodeAt(segment.b), *tube, 0});
    return std::nullopt;
  }

 private:
  static constexpr std::size_t kMaxSketchMembers = 2000;

  std::optional<std::size_t> tubeOf(const std::string& layer) {
    for (std::size_t t = 0; t < frame_.tubes.size(); ++t) {
      if (frame_.tubes[t].name == layer) return t;
    }
    std::optional<LayerTube> size;
    for (const LayerTube& tube : given_) {
      if (tube.layer == layer) size = tube;
    }
    if (!size) size = TubeSizeOf(layer);
    if (!size) return std::nullopt;
    frame_.tubes.push_back({layer, size->diameter, size->wall, 0});
    return frame_.tubes.size() - 1;
  }

  std::size_t nodeAt(const Vec3& at) {
    for (std::size_t n = 0; n < frame_.nodes.size(); ++n) {
      if (Length(frame_.nodes[n].at - at) <= kNodeTolerance) return n;
    }
    frame_.nodes.push_back({"N" + std::to_string(frame_.nodes.size() + 1), at, 0});
    return frame_.nodes.size() - 1;
  }

  const std::vector<LayerTube>& given_;
  Frame& frame_;
};

}  // namespace

std::optional<LayerTube> TubeSizeOf(std::string_view text) {
  const auto x = text.find_first_of("xX");
  if (x == std::string_view::npos) return std::nullopt;
  const auto diameter = StrictNumber(text.substr(0, x)), wall = StrictNumber(text.substr(x + 1));
  if (!diameter || !wall || !(*diameter > 0) || !(*wall > 0) || !(*wall < *diameter / 2))
    return std::nullopt;
  return LayerTube{std::string(text), *diameter, *wall};
}

SketchReading ReadFrameSketch(const std::string& path, const std::vector<LayerTube>& tubes) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error) || !std::ifstream(path))
    return {std::nullopt, path + ": not a file that can be read"};
  SketchCollector collector;
  DL_Dxf dxf;
  if (!dxf.in(path, &collector)) return {std::nullopt, path + ": not read as a DXF drawing"};
  collector.finishPolyline();
  if (collector.refusal) return {std::nullopt, path + ": " + *collector.refusal};
  const auto scale = MillimetresPer(collector.units);
  if (!scale) {
    return {std::nullopt, path + ": the drawing's units ($INSUNITS " +
                              std::to_string(collector.units) +
                              ") are not mm, cm, m, inches or feet"};
  }
  Frame frame;
  frame.name = StemOf(path);
  SketchFrame builder(tubes, frame);
  for (Segment& segment : collector.segments) {
    for (Vec3* end : {&segment.a, &segment.b}) {
      *end = *scale * *end;
      if (!std::isfinite((*end)[0] + (*end)[1] + (*end)[2]))
        return {std::nullopt, path + ": a line on layer \"" + segment.layer + "\" is not finite"};
    }
    if (auto problem = builder.add(segment)) return {std::nullopt, path + ": " + *problem};
  }
  if (frame.members.empty()) return {std::nullopt, path + ": the drawing holds no lines"};
  return {std::move(frame), {}};
}

bool IsSketchPath(std::string_view path) {
  return HasExtension(path, ".dxf");
}

}  // namespace korvex
