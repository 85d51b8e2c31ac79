// The project reader on any bytes, and the round trip through FormatProjectFile: fields that can
// be stored read back as they were written.
#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "project/project_file.h"
#include "require.h"

namespace {

using korvex::CheckStateOf;
using korvex::CheckStateText;
using korvex::kProjectLineCount;
using korvex::ProjectFields;
using korvex::ProjectLines;
using korvex::fuzz::Require;

// The check state of each check-state line; unused for text lines.
using CheckStates = std::array<int, kProjectLineCount>;

bool HoldsQuote(const ProjectFields& fields) {
  for (int i = 0; i < kProjectLineCount; ++i) {
    if (!ProjectLines()[i].isCheckState && fields[i].find('"') != std::string::npos) return true;
  }
  return false;
}

// Writes the fields, check states as CheckStateText gives them, and reads the file back.
void RequireRoundTrip(const ProjectFields& fields, const CheckStates& states) {
  const korvex::FormattedProject project = korvex::FormatProjectFile(fields);
  if (project.refusal) {
    // Any text without a double quote can be put between quotes, so only a quote can refuse.
    Require(HoldsQuote(fields), "texts without a double quote are always stored");
    Require(project.bytes.empty(), "a refused project has no bytes");
    return;
  }
  const ProjectFields back = korvex::ReadProjectFields(project.bytes);
  for (int i = 0; i < kProjectLineCount; ++i) {
    if (ProjectLines()[i].isCheckState) {
      Require(CheckStateOf(back[i]) == states[i], "a check state reads back as written");
    } else {
      Require(back[i] == fields[i], "a stored text reads back unchanged");
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The input as a project file; what it holds, stored again, reads back the same.
  ProjectFields fields =
      korvex::ReadProjectFields(std::string_view(reinterpret_cast<const char*>(data), size));
  CheckStates states{};
  for (int i = 0; i < kProjectLineCount; ++i) {
    if (ProjectLines()[i].isCheckState) {
      states[i] = CheckStateOf(fields[i]);
      fields[i] = CheckStateText(states[i]);
    }
  }
  RequireRoundTrip(fields, states);

  // The input as the values of 19 fields.
  FuzzedDataProvider provider(data, size);
  for (int i = 0; i < kProjectLineCount; ++i) {
    if (ProjectLines()[i].isCheckState) {
      states[i] = provider.ConsumeIntegral<int>();
      fields[i] = CheckStateText(states[i]);
    } else {
      fields[i] = provider.ConsumeRandomLengthString();
    }
  }
  RequireRoundTrip(fields, states);
  return 0;
}
