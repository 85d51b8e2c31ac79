// The frame-file reader on any bytes: it refuses or accepts without crashing, a refusal names
// the file, and an accepted frame is written again as bytes that read back to the same bytes.
#include <cstdint>
#include <string>
#include <string_view>

#include "project/frame_file.h"
#include "require.h"

using korvex::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const korvex::FrameReading reading = korvex::ReadFrameFile(text, "fuzz.kvxf");
  if (!reading.frame) {
    Require(reading.refusal.rfind("fuzz.kvxf:", 0) == 0, "a refusal names the file");
    return 0;
  }
  const korvex::FormattedFrame file = korvex::FormatFrameFile(*reading.frame);
  Require(!file.refusal, "an accepted frame can be written");
  const korvex::FrameReading back = korvex::ReadFrameFile(file.bytes, "fuzz.kvxf");
  Require(back.frame.has_value(), "a written frame reads back");
  Require(korvex::FormatFrameFile(*back.frame).bytes == file.bytes,
          "the same frame, the same bytes");
  return 0;
}
