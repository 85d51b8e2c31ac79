#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "domain/frame.h"

namespace korvex {

// A frame file (.kvxf): tubes, nodes, members and the fit-up order at nodes, TOML.

// Either the frame or why the file is refused, as "FILE:LINE: reason".
struct FrameReading {
  std::optional<Frame> frame;
  std::string refusal;
};

// Reads a frame file. An unknown key, a value of the wrong type or out of range, a missing
// key, a name used twice or one that names nothing refuses the file. The frame's name is the
// file's name without its folder and extension unless given.
FrameReading ReadFrameFile(std::string_view bytes, const std::string& path);

// The frame as a frame file, every key in a fixed order, LF line ends; or why it cannot be
// stored, in the reader's words.
struct FormattedFrame {
  std::string bytes;
  std::optional<std::string> refusal;
};
FormattedFrame FormatFrameFile(const Frame& frame);

// True when the path names a frame file: it ends in ".kvxf", in any case.
bool IsFrameFilePath(std::string_view path);

// The most members and nodes a frame holds.
inline constexpr std::size_t kMaxFrameMembers = 2000;
inline constexpr std::size_t kMaxFrameNodes = 4000;

}  // namespace korvex
