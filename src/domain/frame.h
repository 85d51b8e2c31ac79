#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "domain/vec3.h"

namespace korvex {

// A frame of round tubes as a 3D sketch: tube sizes, nodes, and members between nodes. Names
// are resolved to indexes; line says where each was given, for messages (0: nowhere).

struct FrameTube {
  std::string name;
  double diameter = 0;  // outside, mm
  double wall = 0;
  int line = 0;
};

struct FrameNode {
  std::string name;
  Vec3 at{};
  int line = 0;
};

struct FrameMember {
  std::string name;
  std::size_t from = 0;  // nodes
  std::size_t to = 0;
  std::size_t tube = 0;
  int line = 0;
};

// The members at a node in the order they are put together, as the shop wants it: an earlier
// member is never cut by a later one. Members at the node not listed follow in the usual order.
struct FrameJointOrder {
  std::size_t node = 0;
  std::vector<std::size_t> members;
  int line = 0;
};

struct Frame {
  std::string name;
  std::int64_t segments = 90;  // points per cut
  bool compensation = true;    // every fitted end in COMPENSATION MODE
  std::vector<FrameTube> tubes;
  std::vector<FrameNode> nodes;
  std::vector<FrameMember> members;
  std::vector<FrameJointOrder> joints;
};

// Two points closer than this are one node, and a node this near a member's axis lies on it.
inline constexpr double kNodeTolerance = 0.5;

}  // namespace korvex
