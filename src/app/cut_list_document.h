#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/cut_list_plan.h"
#include "app/shop_settings.h"
#include "app/undo_history.h"
#include "domain/part.h"
#include "project/cut_list.h"

namespace korvex {

// A cut list's values: its rows, each known by an id that stays with it through every edit,
// and the settings it is nested with.
struct CutListValues {
  std::vector<CutListRow> rows;
  std::vector<long> ids;  // one per row
  ShopSettings settings;
};

// True when two lists' rows name the same files, names and quantities, in the same order.
bool SameRowValues(const std::vector<CutListRow>& a, const std::vector<CutListRow>& b);

// What the list of a document knows of a row's part file, read off the window's thread.
using PartSummaries = std::map<std::string, PartSummary>;  // by absolute path

// A cut list as the shop window edits it: its values, its file, its undo history, and what each
// part file holds. One name and one quantity per row: the row's. Every edit that is refused says
// why and changes nothing.
class CutListDocument {
 public:
  explicit CutListDocument(ShopSettings settings = {});

  // Called after every change, with what changed (a set of CutListDocument::Change).
  void setListener(std::function<void(unsigned)> listener) { listener_ = std::move(listener); }
  // kRows: rows added, removed or moved; kRowValues: the same rows, a value of one changed.
  enum Change : unsigned { kRows = 1, kSettings = 2, kSummaries = 4, kFile = 8, kRowValues = 16 };

  const std::vector<CutListRow>& rows() const { return history_.current().rows; }
  const ShopSettings& settings() const { return history_.current().settings; }
  long idOf(std::size_t row) const { return history_.current().ids[row]; }
  std::optional<std::size_t> rowOf(long id) const;
  // The list's file, absolute; empty while it has none.
  const std::string& path() const { return path_; }
  std::string fileName() const;  // "frame.csv", the frame's "truss.kvxf", or "untitled.csv"
  // Where the list is saved unless the user says otherwise: its file, else beside its frame.
  std::string suggestedPath() const;
  // A row's part file: absolute, normal, found beside the list.
  std::string partPath(std::size_t row) const;

  // Counts every change of what a plan is made of: rows, settings, a part file saved.
  long revision() const { return revision_; }
  // The last such change in words: "quantity", "tee.kvxp saved".
  const std::string& lastChange() const { return lastChange_; }

  struct Opened {
    std::optional<std::string> refusal;  // nothing changed then
    std::optional<std::string> note;     // its settings file could not be used
  };
  // The list at path and its settings beside it (fallback when it has none), in place of
  // everything of the list before.
  Opened open(const std::string& path, const ShopSettings& fallback);
  // Rows made from the file at origin (a frame), in place of everything of the list before, with
  // their parts held in memory by path until written, and what those parts are. The settings
  // are those beside the origin, else fallback. The list has no file of its own yet.
  Opened openHeld(const std::string& origin, std::vector<CutListRow> rows,
                  std::map<std::string, Part> held, PartSummaries summaries,
                  const ShopSettings& fallback);
  // An empty list without a file.
  void clear(const ShopSettings& settings);
  // Writes the list, its settings and the held parts its rows name (at their paths, with their
  // rows' names and quantities) as one; files keep naming the same parts from the list's new
  // folder. Why not; nothing changed then.
  std::optional<std::string> saveAs(const std::string& path);
  // The files of held parts the rows name that are on disk already: saving replaces them.
  std::vector<std::string> heldOnDisk() const;
  // The part held in memory for a path, until it is written; nullptr for a part on disk.
  const Part* heldPart(const std::string& path) const;
  bool isClean() const { return history_.isClean(); }

  // Edits, one undo step each.
  std::optional<std::string> rename(std::size_t row, std::string_view name);
  std::optional<std::string> setQuantity(std::size_t row, std::string_view text);
  // Part files as new rows, each taking a part file's name and quantity when it gives them.
  std::optional<std::string> addParts(const std::vector<std::string>& paths);
  void removeRows(const std::vector<std::size_t>& rows);
  // The row's part now is the file at path (absolute).
  void setRowFile(std::size_t row, const std::string& path);
  void setSettings(ShopSettings settings, const std::string& what);

  bool canUndo() const { return history_.canUndo(); }
  bool canRedo() const { return history_.canRedo(); }
  std::string undoLabel() const { return history_.undoLabel(); }
  std::string redoLabel() const { return history_.redoLabel(); }
  void undo();
  void redo();

  // A part file saved: it is read again, and a plan made before is out of date.
  void partFileChanged(const std::string& path);

  // The part files not read yet; their summaries once read. Summaries read before a part file
  // was saved or another list opened (an older epoch) are dropped.
  std::vector<std::string> unsummarized() const;
  long summaryEpoch() const { return summaryEpoch_; }
  void storeSummaries(PartSummaries read, long epoch);
  // nullptr while the row's file is being read.
  const PartSummary* summary(std::size_t row) const;
  // The tubes of the parts read, in the order of the list.
  std::vector<TubeSize> tubes() const;

  // The list as it stands, to be planned; the caller gives the machine.
  CutListRequest request() const;

 private:
  void adopt(std::vector<CutListRow> rows, ShopSettings settings, PartSummaries summaries);
  std::optional<std::string> edit(CutListValues values, const std::string& what);
  void step(bool back);
  void changed(unsigned what, const std::string& change);

  UndoHistory<CutListValues> history_;
  std::string path_;
  std::string origin_;                  // the file the rows were made from, when not a list
  std::map<std::string, Part> held_;    // parts not on disk yet, by absolute path
  long revision_ = 0;
  long nextId_ = 1;
  long summaryEpoch_ = 0;
  std::string lastChange_;
  PartSummaries summaries_;
  std::function<void(unsigned)> listener_;
};

}  // namespace korvex
