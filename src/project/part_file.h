#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "domain/part.h"

namespace korvex {

// A part file (.kvxp): a part's values by name, TOML.

// Either the part or why the file is refused, as "FILE:LINE: reason".
struct PartReading {
  std::optional<Part> part;
  std::string refusal;
  std::string reason;  // the refusal without "FILE:LINE: "
};

// Reads a part file. A missing key takes its value from defaults (for a hole, from
// holeDefaults); an unknown key, a value of the wrong type or out of range refuses the file.
// Integers are accepted where a number is meant.
PartReading ReadPartFile(std::string_view bytes, const std::string& path, const Part& defaults,
                         const PartHole& holeDefaults);

// The bytes of a part file, or why the part cannot be stored (nothing to write then).
struct FormattedPart {
  std::string bytes;
  std::optional<std::string> refusal;
};

// The part as a part file: every key, in a fixed order, LF line ends; numbers in their
// shortest form that reads back to the same value. A part with a value ReadPartFile would
// refuse (out of range, not finite) is refused with the reader's reason.
FormattedPart FormatPartFile(const Part& part);

// True when the path names a part file: it ends in ".kvxp", in any case.
bool IsPartFilePath(std::string_view path);

}  // namespace korvex
