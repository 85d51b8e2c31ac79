#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "app/undo_history.h"
#include "domain/part.h"

namespace korvex {

// The part of one row of a list as the shop window edits it: its values, the file they were
// read from, the part file Save writes and its undo history; or, for a row whose file cannot be
// read, why, and no part at all.
class PartDocument {
 public:
  // Called after every change.
  void setListener(std::function<void()> listener) { listener_ = std::move(listener); }

  // No row, no part.
  void clear();
  // The part of the row known by rowId, read from its file at path; or, when held is given, the
  // part held in memory for path, whose file is not written yet.
  void load(long rowId, const std::string& path, const Part* held = nullptr);

  std::optional<long> rowId() const { return rowId_; }
  // Why the row's file could not be read; there is no part then.
  const std::optional<std::string>& failure() const { return failure_; }
  // The part as edited; nullptr without one.
  const Part* part() const { return part_ ? &history_.current() : nullptr; }
  // The file the part was read from or last saved as, absolute.
  const std::string& source() const { return source_; }
  // The part file Save writes: the source when it is a part file, else the .kvxp beside it.
  std::string target() const;
  // True when the source is not the file the part was read from as it was then: it changed on
  // disk since, or the part was held in memory and a file is there.
  bool changedOnDisk() const;
  // True while the part is held in memory, its source not written yet.
  bool isHeld() const { return held_; }

  // Counts the edits, undo and redo.
  long revision() const { return revision_; }
  bool isClean() const { return !part_ || history_.isClean(); }

  void edit(Part after);
  bool canUndo() const { return part_ && history_.canUndo(); }
  bool canRedo() const { return part_ && history_.canRedo(); }
  void undo();
  void redo();

  // Writes the part, with the name and quantity of its row, as the part file at path (absolute)
  // through a temporary file; the part's file is path from then on. Refused while the part has
  // a problem. Why not, as the operator reads it.
  std::optional<std::string> save(const std::string& path, const std::string& name, int quantity);
  // What the last save said, while the part is as it was then: "PART SAVED OK", or why not.
  struct SaveNotice {
    std::string text;
    bool refused = false;
  };
  std::optional<SaveNotice> saveNotice() const;

 private:
  void changed();

  UndoHistory<Part> history_;
  bool part_ = false;
  bool held_ = false;
  std::optional<long> rowId_;
  std::optional<std::string> failure_;
  std::string source_;
  std::optional<std::filesystem::file_time_type> stamp_;  // of the source as read
  long revision_ = 0;
  std::optional<SaveNotice> notice_;
  long noticeRevision_ = 0;  // the revision the notice is about
  std::function<void()> listener_;
};

}  // namespace korvex
