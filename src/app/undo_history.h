#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace korvex {

// A document's values after each of its edits, so undo and redo step through them whole. The
// clean mark says which of them is the one on disk.
template <typename State>
class UndoHistory {
 public:
  explicit UndoHistory(State first = {}) { reset(std::move(first)); }

  // Forgets every edit: state is the only one, and it is clean.
  void reset(State state) {
    states_.assign(1, std::move(state));
    labels_.clear();
    at_ = 0;
    clean_ = 0;
  }

  const State& current() const { return states_[at_]; }

  // An edit: what can be redone goes, and a clean state among it can no longer be reached.
  void push(State next, std::string label) {
    states_.resize(at_ + 1);
    labels_.resize(at_);
    if (clean_ && *clean_ > at_) clean_.reset();
    states_.push_back(std::move(next));
    labels_.push_back(std::move(label));
    ++at_;
  }

  // Changes the current state in place, as the last edit made it (the same undo step).
  State& amend() { return states_[at_]; }

  bool canUndo() const { return at_ > 0; }
  bool canRedo() const { return at_ + 1 < states_.size(); }
  // What undo and redo would undo and redo; empty when there is nothing.
  std::string undoLabel() const { return canUndo() ? labels_[at_ - 1] : std::string(); }
  std::string redoLabel() const { return canRedo() ? labels_[at_] : std::string(); }

  void undo() {
    if (canUndo()) --at_;
  }
  void redo() {
    if (canRedo()) ++at_;
  }

  bool isClean() const { return clean_ == at_; }
  void setClean() { clean_ = at_; }

 private:
  std::vector<State> states_;
  std::vector<std::string> labels_;  // labels_[i] leads from states_[i] to states_[i + 1]
  std::size_t at_ = 0;
  std::optional<std::size_t> clean_;
};

}  // namespace korvex
