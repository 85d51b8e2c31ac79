#pragma once

#include <string_view>

namespace korvex {

// True when the path ends in the extension (".kvxp", in lower case), in any case.
bool HasExtension(std::string_view path, std::string_view extension);

}  // namespace korvex
