#include "scene/draw_list.h"

#include <utility>

namespace korvex {

void DrawList::clear() {
  for (LineBatch& batch : batches_) {
    batch.vertices.clear();
    spareVertexBuffers_.push_back(std::move(batch.vertices));
  }
  batches_.clear();
  lineWidth_ = 1;
}

void DrawList::beginLines(Rgba colour) {
  LineBatch& batch = batches_.emplace_back();
  batch.colour = colour;
  batch.lineWidth = lineWidth_;
  if (!spareVertexBuffers_.empty()) {
    batch.vertices = std::move(spareVertexBuffers_.back());
    spareVertexBuffers_.pop_back();
  }
}

}  // namespace korvex
