#pragma once

#include <string>
#include <variant>
#include <vector>

#include "toolpath/curve_sampling.h"
#include "toolpath/torch_point.h"

namespace korvex {

// The loop's samples (in the direction of travel, tangents included) each moved halfKerf along
// the curve's normal in the unrolled surface, to the left of the direction of travel when
// scrapSide is +1 and to the right when -1. A corner that turns away from the scrap is rounded
// by an arc round it (chords no more than arcTolerance inside); a corner toward the scrap, a
// radius on the scrap side below halfKerf or an offset that crosses itself would loop: refused
// with where and why.
std::variant<std::vector<TorchPoint>, std::string> OffsetLoop(const std::vector<CurveSample>& loop,
                                                              double halfKerf, int scrapSide,
                                                              double arcTolerance);

}  // namespace korvex
