#include <cstdio>
#include <new>
#include <string_view>
#include <vector>

#include "base/pending_paths.h"
#include "cli/run_command_line.h"

int main(int argc, char** argv) {
  korvex::InstallInterruptCleanup();
  korvex::CliOutcome outcome;
  try {
    const std::vector<std::string_view> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    outcome = korvex::RunCommandLine(arguments, KORVEX_VERSION);
  } catch (const std::bad_alloc&) {
    // Whatever was staged or created has been removed on the way out.
    std::fputs("korvex-cli: out of memory: nothing written\n", stderr);
    return 1;
  }
  std::fwrite(outcome.output.data(), 1, outcome.output.size(), stdout);
  std::fwrite(outcome.error.data(), 1, outcome.error.size(), stderr);
  if (std::fflush(stdout) != 0 && outcome.exitStatus == 0) return 1;
  return outcome.exitStatus;
}
