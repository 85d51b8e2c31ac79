#pragma once

#include <span>
#include <string_view>

#include "cli/convert_project.h"

namespace korvex {

// The whole converter for the arguments after the program name: usage errors give status 2.
CliOutcome RunCommandLine(std::span<const std::string_view> arguments, std::string_view version);

}  // namespace korvex
