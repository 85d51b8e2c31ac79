// The part-file reader on any bytes: it refuses or accepts without crashing, a refusal names the
// file, and an accepted part is written again as bytes that read back as the same part.
#include <cstdint>
#include <string>
#include <string_view>

#include "project/part_file.h"
#include "require.h"

using korvex::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Defaults within every range, as the panel's are.
  korvex::Part defaults;
  defaults.diameter = 40;
  defaults.wall = 4;
  defaults.segments = 90;
  defaults.angleLetter = "A";
  const korvex::PartHole holeDefaults{0, 0, 40, 4};
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const korvex::PartReading reading =
      korvex::ReadPartFile(text, "fuzz.kvxp", defaults, holeDefaults);
  if (!reading.part) {
    Require(reading.refusal.rfind("fuzz.kvxp:", 0) == 0, "a refusal names the file");
    return 0;
  }
  Require(reading.refusal.empty(), "an accepted part has no refusal");
  const korvex::FormattedPart file = korvex::FormatPartFile(*reading.part);
  Require(!file.refusal, "an accepted part can be written");
  const korvex::PartReading back =
      korvex::ReadPartFile(file.bytes, "fuzz.kvxp", defaults, holeDefaults);
  Require(back.part && *back.part == *reading.part, "a written part reads back the same");
  Require(korvex::FormatPartFile(*back.part).bytes == file.bytes, "the same part, the same bytes");
  return 0;
}
