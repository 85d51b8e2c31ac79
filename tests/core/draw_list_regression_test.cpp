// The scene of a handful of varied jobs against a dump recorded before the core was split into
// layers: colour, width, vertex count, first and last vertex and a hash of every vertex of each
// line batch. Set KORVEX_RECORD_GOLDEN=1 to rewrite the dump after an intended change.
#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/control_ids.h"
#include "app/memory_panel.h"
#include "app/rebuild_scene.h"
#include "app/workspace.h"

namespace korvex {
namespace {

struct Setting {
  int id;
  const char* text;  // nullptr: tick the check box instead
};

struct RegressionJob {
  const char* name;
  std::vector<Setting> settings;
};

const std::vector<RegressionJob>& Jobs() {
  static const std::vector<RegressionJob> jobs{
      {"default", {}},
      {"default-all-boxes",
       {{kDisplayGridBox, nullptr}, {kDisplayMainBox, nullptr}, {kDisplayCutBox, nullptr}}},
      {"joint-left-compensated-plane-right",
       {{kCutSegmentsField, "36"},
        {kLeftCutOvalBox, nullptr},
        {kLeftCompensationBox, nullptr},
        {kLeftDiameterField, "50"},
        {kRightAngleField, "30"},
        {kRightAngleDiffField, "45"},
        {kDisplayCutBox, nullptr}}},
      {"both-joints-3d",
       {{kCutSegmentsField, "200"},
        {kThicknessField, "3"},
        {kLeftCutOvalBox, nullptr},
        {kRightCutOvalBox, nullptr},
        {kLeftMode3dBox, nullptr},
        {kRightMode3dBox, nullptr},
        {kLeftDiameterField, "60"},
        {kRightDiameterField, "80"},
        {kLeftAngleField, "20"},
        {kRightAngleField, "-35"},
        {kLeftAngleDiffField, "90"},
        {kRightAngleDiffField, "-30"},
        {kDisplayGridBox, nullptr},
        {kDisplayMainBox, nullptr},
        {kDisplayCutBox, nullptr}}},
      {"seven-segments-mixed",
       {{kCutSegmentsField, "7"},
        {kMainDiameterField, "33.7"},
        {kThicknessField, "2.6"},
        {kLeftCompensationBox, nullptr},
        {kRightCompensationBox, nullptr},
        {kLeftMode3dBox, nullptr},
        {kLeftAngleField, "-12.5"},
        {kRightDistanceField, "310"},
        {kAtAngleField, "90"},
        {kDisplayMainBox, nullptr}}},
      {"thousand-segments-joint",
       {{kCutSegmentsField, "1000"},
        {kRightCutOvalBox, nullptr},
        {kRightDiameterField, "40"},
        {kRightAngleField, "45"},
        {kAtAngleField, "33"}}},
  };
  return jobs;
}

std::string Hex(float value) {
  char buffer[32];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::hex).ptr;
  return std::string(buffer, end);
}

std::string VertexText(const Vertex& v) {
  return Hex(v.x) + "," + Hex(v.y) + "," + Hex(v.z);
}

std::uint64_t HashVertices(const std::vector<Vertex>& vertices) {
  std::uint64_t hash = 14695981039346656037ull;
  for (const Vertex& v : vertices) {
    for (float f : {v.x, v.y, v.z}) {
      hash = (hash ^ std::bit_cast<std::uint32_t>(f)) * 1099511628211ull;
    }
  }
  return hash;
}

std::string Dump(const RegressionJob& job) {
  MemoryPanel panel;
  for (const Setting& setting : job.settings) {
    if (setting.text) {
      panel.setText(setting.id, setting.text);
    } else {
      panel.setCheckState(setting.id, 1);
    }
  }
  Workspace workspace;
  std::ostringstream out;
  out << "job " << job.name << "\n";
  if (!RebuildScene(panel, workspace).empty()) return out.str() + "refused\n";
  out << "lengths " << panel.text(kXLengthField) << " " << panel.text(kYLengthField) << "\n";
  for (const LineBatch& b : workspace.scene.batches()) {
    out << "batch " << Hex(b.colour.red) << " " << Hex(b.colour.green) << " " << Hex(b.colour.blue)
        << " " << Hex(b.colour.alpha) << " w" << Hex(b.lineWidth) << " n" << b.vertices.size();
    if (!b.vertices.empty()) {
      out << " " << VertexText(b.vertices.front()) << " " << VertexText(b.vertices.back());
    }
    out << " h" << std::hex << HashVertices(b.vertices) << std::dec << "\n";
  }
  return out.str();
}

std::string GoldenPath() {
  return std::string(KORVEX_TEST_DATA_DIR) + "/draw_lists.txt";
}

TEST(DrawListRegression, EveryJobDrawsAsRecorded) {
  std::string actual;
  for (const RegressionJob& job : Jobs())
    actual += Dump(job);
  if (const char* record = std::getenv("KORVEX_RECORD_GOLDEN"); record && *record == '1') {
    std::ofstream(GoldenPath(), std::ios::binary) << actual;
    GTEST_SKIP() << "recorded " << GoldenPath();
  }
  std::ifstream file(GoldenPath(), std::ios::binary);
  ASSERT_TRUE(file) << GoldenPath();
  std::ostringstream expected;
  expected << file.rdbuf();
  EXPECT_EQ(actual, expected.str());
}

}  // namespace
}  // namespace korvex
