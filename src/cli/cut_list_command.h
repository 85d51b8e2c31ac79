#pragma once

#include <span>
#include <string>
#include <string_view>

#include "cli/convert_project.h"

namespace korvex {

// True when the arguments ask for a cut list (--cut-list among the options).
bool IsCutListCommand(std::span<const std::string_view> arguments);

// korvex-cli --cut-list LIST.csv --stock LENGTH|DxT=LENGTH ... [--kerf MM] [--trim [MM]]
// [--machine NAME|FILE] [--template [pdf|svg]] [--paper PAPER] --out-dir FOLDER: nests the
// list's parts and writes every output into the folder as one transaction. A bar shows the
// progress on standard error when that is a terminal.
CliOutcome RunCutListCommand(std::span<const std::string_view> arguments);

std::string CutListUsageText();

}  // namespace korvex
