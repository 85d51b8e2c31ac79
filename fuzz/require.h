#pragma once

#include <cstdio>
#include <cstdlib>

namespace korvex::fuzz {

// A broken property ends the run as a crash would, so libFuzzer keeps the input that broke it.
inline void Require(bool holds, const char* property) {
  if (holds) return;
  std::fprintf(stderr, "property broken: %s\n", property);
  std::abort();
}

}  // namespace korvex::fuzz
