#include <cstdio>
#include <string_view>
#include <vector>

#include "cli/run_command_line.h"

int main(int argc, char** argv) {
  const std::vector<std::string_view> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
  const korvex::CliOutcome outcome = korvex::RunCommandLine(arguments, KORVEX_VERSION);
  std::fwrite(outcome.output.data(), 1, outcome.output.size(), stdout);
  std::fwrite(outcome.error.data(), 1, outcome.error.size(), stderr);
  if (std::fflush(stdout) != 0 && outcome.exitStatus == 0) return 1;
  return outcome.exitStatus;
}
