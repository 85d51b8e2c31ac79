#include "app/shop_frame.h"

namespace korvex {

std::vector<std::size_t> ShopFrame::membersOfRow(long rowId) const {
  std::vector<std::size_t> found;
  for (std::size_t m = 0; m < partOf.size(); ++m) {
    if (rowIds[partOf[m]] == rowId) found.push_back(m);
  }
  return found;
}

ShopFrame ShopFrameOf(const FrameParts& read, const std::string& path, std::vector<long> rowIds) {
  ShopFrame frame{path, read.frame, {}, read.partOf, std::move(rowIds)};
  for (std::size_t m = 0; m < read.frame.members.size(); ++m) {
    // Every part was computed when the members were grouped; one that is not draws nothing.
    const JobOutcome outcome = ComputePart(read.cut.parts[m], 0);
    frame.outlines.push_back(outcome.job ? OutlineOf(read.cut.axes[m], *outcome.job)
                                         : MemberOutline{read.cut.axes[m], 0, {}, {}});
  }
  return frame;
}

}  // namespace korvex
