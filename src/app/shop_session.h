#pragma once

#include <functional>
#include <optional>
#include <string>
#include <variant>

#include "app/cut_list_document.h"
#include "app/part_document.h"
#include "app/shop_frame.h"
#include "app/shop_job.h"

namespace korvex {

// A plan as the shop window shows it, with what it was made from.
struct ShownPlan {
  CutSheet sheet;
  std::vector<TubeTotals> totals;
  std::string madeFrom;
  ResultBasis basis;
};

// A message for the user about the last thing done, shown while nothing it speaks of changed.
struct ShopNotice {
  std::string text;
  bool problem = false;
};

// The shop window's documents and the rules between them: the cut list, the part of the row
// shown, the plan last made and the last notice. Every result says what it was made from and
// stops being shown as current once that changes.
class ShopSession {
 public:
  enum Change : unsigned {
    kRows = CutListDocument::kRows,
    kSettings = CutListDocument::kSettings,
    kSummaries = CutListDocument::kSummaries,
    kListFile = CutListDocument::kFile,
    kRowValues = CutListDocument::kRowValues,
    kPart = 32,
    kPlan = 64,
    kNotice = 128,
    kFrame = 256,
  };

  explicit ShopSession(const ShopSettings& settings);

  // Called after every change, with what changed (a set of Change).
  void setListener(std::function<void(unsigned)> listener) { listener_ = std::move(listener); }

  CutListDocument& list() { return list_; }
  const CutListDocument& list() const { return list_; }
  PartDocument& part() { return part_; }
  const PartDocument& part() const { return part_; }

  // The list at path in place of everything of the last one; the first row shown. Why not, and
  // then nothing changed.
  std::optional<std::string> openList(const std::string& path, const ShopSettings& fallback);
  void newList(const ShopSettings& settings);
  // The frame at path, its members cut to fit, its parts as the list's rows held in memory
  // beside it until saved, in place of everything of the last list; the first row shown. Why
  // not ("FILE:LINE: reason", a line each), and then nothing changed.
  std::optional<std::string> openFrame(const std::string& path, const ShopSettings& fallback);
  // The frame the list was made from, while the list is the one opened from it.
  const std::optional<ShopFrame>& frame() const { return frame_; }

  // The row whose part is shown, read from its file; nothing for none.
  void showRow(std::optional<std::size_t> row);
  std::optional<std::size_t> shownRow() const;

  // Where Save of the shown part writes: its part file.
  std::string saveTarget() const { return part_.target(); }
  // What saving the part at path would replace that is not the shown part's own file as read,
  // as the question to ask; nothing when it replaces nothing else.
  std::optional<std::string> saveQuestion(const std::string& path) const;
  // Saves the part at path with its row's name and quantity; the row names path from then on.
  std::optional<std::string> savePart(const std::string& path);

  // A nest (folder empty) or a nest and write of the list as it stands, with the shown part's
  // unsaved edits when withEdits. Why not, when it cannot start.
  std::variant<ShopJob, std::string> job(const std::string& folder, bool withEdits) const;
  // The shown plan goes when a job starts, so a cancelled or refused one leaves none.
  void jobStarted();
  void jobDone(const ShopJob& job, ShopJobOutcome outcome);

  const std::optional<ShownPlan>& plan() const { return plan_; }
  // Why the last job made no plan, while nothing it was made from changed.
  std::optional<std::string> jobProblems() const;
  // Why the shown plan is no longer the list's; nothing while it is.
  std::optional<std::string> planOutOfDate() const;

  // The notice while nothing changed since it was given.
  std::optional<ShopNotice> notice() const;
  void say(std::string text, bool problem);

 private:
  ResultBasis basisNow(bool withPart) const;
  bool isCurrent(const ResultBasis& basis) const;
  void followRows();
  void startOver(std::optional<std::string> note);
  bool isFramesList() const;
  void changed(unsigned what);

  CutListDocument list_;
  PartDocument part_;
  std::optional<ShownPlan> plan_;
  std::optional<ShopFrame> frame_;
  // The rows as the frame gave them, while no part of theirs was saved: the list is the frame's.
  std::optional<std::vector<CutListRow>> frameRows_;
  std::optional<ShopNotice> notice_;
  ResultBasis noticeBasis_;
  std::optional<std::string> jobProblems_;
  ResultBasis jobBasis_;
  std::function<void(unsigned)> listener_;
};

}  // namespace korvex
