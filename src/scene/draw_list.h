#pragma once

#include <vector>

namespace korvex {

struct Rgba {
  float red = 0;
  float green = 0;
  float blue = 0;
  float alpha = 1;
  friend bool operator==(const Rgba&, const Rgba&) = default;
};

struct Vertex {
  float x = 0;
  float y = 0;
  float z = 0;
  friend bool operator==(const Vertex&, const Vertex&) = default;
};

// One GL_LINES primitive: consecutive vertex pairs are segments. lineWidth is the width in
// force while it is drawn, so a renderer only needs to set it where it changes.
struct LineBatch {
  Rgba colour;
  float lineWidth = 1;
  std::vector<Vertex> vertices;
  friend bool operator==(const LineBatch&, const LineBatch&) = default;
};

// The whole scene as data, in drawing order. Every scene is drawn as wire frame (polygon mode
// GL_LINE for front and back faces); the view records that once before replaying the batches.
class DrawList {
 public:
  // Keeps the allocated batches so that a rebuild of a similar scene allocates nothing.
  void clear();

  void setLineWidth(float width) { lineWidth_ = width; }

  // Starts a new primitive; the segments that follow belong to it.
  void beginLines(Rgba colour);
  void addSegment(Vertex from, Vertex to) {
    auto& vertices = batches_.back().vertices;  // beginLines comes first
    vertices.push_back(from);
    vertices.push_back(to);
  }

  const std::vector<LineBatch>& batches() const { return batches_; }
  friend bool operator==(const DrawList& a, const DrawList& b) {
    return a.batches() == b.batches();
  }

 private:
  std::vector<LineBatch> batches_;
  std::vector<std::vector<Vertex>> spareVertexBuffers_;  // kept from the previous scene
  float lineWidth_ = 1;
};

}  // namespace korvex
