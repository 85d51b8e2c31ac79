#pragma once

namespace korvex {

// How a panel command ended.
enum class CommandOutcome {
  Cancelled,  // the operator cancelled the prompt: nothing happened
  Refused,    // nothing was done; the operator was told why
  Failed,     // the command was tried and failed; the operator was told why
  Done,       // the command did what it was asked
};

}  // namespace korvex
