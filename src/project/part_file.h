#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvex {

// A part file (.kvxp): the values of a project by name, in the panel's units (millimetres,
// degrees, diameters), plus what a project cannot hold: the part's name and quantity, each
// end's offset and fit, and the holes. TOML.

enum class EndFit { Outside, Inside };  // stands on the other tube's outer / fits its inner surface
enum class HoleFitKind { SetOn, SetIn };

struct PartEnd {
  double distance = 0;
  double diameter = 0;  // of the tube the end fits onto
  double angle = 0;
  double turn = 0;  // Angle DIFF
  bool oval = false;
  bool compensation = false;
  bool mode3d = false;
  double offset = 0;
  EndFit fit = EndFit::Outside;
  friend bool operator==(const PartEnd&, const PartEnd&) = default;
};

struct PartHole {
  double at = 0;
  double turn = 0;
  double branchDiameter = 0;
  double branchWall = 0;
  double angle = 0;
  double offset = 0;
  HoleFitKind fit = HoleFitKind::SetOn;
  bool compensation = false;
  bool mode3d = false;
  friend bool operator==(const PartHole&, const PartHole&) = default;
};

struct PartFile {
  std::string name;
  std::int64_t quantity = 1;
  double diameter = 0;
  double wall = 0;
  std::int64_t segments = 0;
  std::string angleLetter;
  PartEnd left;
  PartEnd right;
  std::vector<PartHole> holes;
  friend bool operator==(const PartFile&, const PartFile&) = default;
};

// The most holes a part holds: a program numbers its objects with three digits, two for the
// ends.
inline constexpr std::size_t kMaxPartHoles = 997;

// Either the part or why the file is refused, as "FILE:LINE: reason".
struct PartReading {
  std::optional<PartFile> part;
  std::string refusal;
  std::string reason;  // the refusal without "FILE:LINE: "
};

// Reads a part file. A missing key takes its value from defaults (for a hole, from
// holeDefaults); an unknown key, a value of the wrong type or out of range refuses the file.
// Integers are accepted where a number is meant.
PartReading ReadPartFile(std::string_view bytes, const std::string& path, const PartFile& defaults,
                         const PartHole& holeDefaults);

// The bytes of a part file, or why the part cannot be stored (nothing to write then).
struct FormattedPart {
  std::string bytes;
  std::optional<std::string> refusal;
};

// The part as a part file: every key, in a fixed order, LF line ends; numbers in their
// shortest form that reads back to the same value. A part with a value ReadPartFile would
// refuse (out of range, not finite) is refused with the reader's reason.
FormattedPart FormatPartFile(const PartFile& part);

// True when the path names a part file: it ends in ".kvxp", in any case.
bool IsPartFilePath(std::string_view path);

}  // namespace korvex
