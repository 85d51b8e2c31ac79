#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "app/frame_parts.h"
#include "scene/frame_scene.h"

namespace korvex {

// A frame as the shop window shows it: its members assembled from their parts as cut, and for
// each part the row of the list it became.
struct ShopFrame {
  std::string path;                     // absolute
  Frame frame;                          // as read
  std::vector<MemberOutline> outlines;  // a member each
  std::vector<std::size_t> partOf;      // a member's part
  std::vector<long> rowIds;             // a part's row

  // The members cut from the part of the row known by rowId.
  std::vector<std::size_t> membersOfRow(long rowId) const;
  const std::string& memberName(std::size_t member) const { return frame.members[member].name; }
  // The row the member's part became.
  long rowOfMember(std::size_t member) const { return rowIds[partOf[member]]; }
};

// The frame read as parts, its parts' rows known by rowIds.
ShopFrame ShopFrameOf(const FrameParts& read, const std::string& path, std::vector<long> rowIds);

}  // namespace korvex
