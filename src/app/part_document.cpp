#include "app/part_document.h"

#include "app/part_check.h"
#include "app/part_loading.h"
#include "base/file_helpers.h"
#include "project/part_file.h"

namespace korvex {
namespace {

namespace fs = std::filesystem;

std::optional<fs::file_time_type> StampOf(const std::string& path) {
  std::error_code error;
  const auto stamp = fs::last_write_time(path, error);
  if (error) return std::nullopt;
  return stamp;
}

}  // namespace

void PartDocument::clear() {
  part_ = false;
  held_ = false;
  rowId_.reset();
  failure_.reset();
  source_.clear();
  stamp_.reset();
  notice_.reset();
  history_.reset({});
  changed();
}

void PartDocument::load(long rowId, const std::string& path, const Part* held) {
  auto read = held ? std::variant<Part, std::string>(*held) : ReadPart(path);
  held_ = held != nullptr;
  rowId_ = rowId;
  source_ = path;
  stamp_ = StampOf(path);
  notice_.reset();
  part_ = std::holds_alternative<Part>(read);
  failure_.reset();
  if (part_) {
    history_.reset(std::move(std::get<Part>(read)));
  } else {
    failure_ = "not opened: " + std::get<std::string>(read);
    history_.reset({});
  }
  changed();
}

std::string PartDocument::target() const {
  if (source_.empty() || IsPartFilePath(source_)) return source_;
  return fs::path(source_).replace_extension(".kvxp").string();
}

bool PartDocument::changedOnDisk() const {
  if (held_) return FileExists(source_);
  return !source_.empty() && StampOf(source_) != stamp_;
}

void PartDocument::edit(Part after) {
  if (!part_ || after == history_.current()) return;
  history_.push(std::move(after), "edit part");
  changed();
}

void PartDocument::undo() {
  if (!canUndo()) return;
  history_.undo();
  changed();
}

void PartDocument::redo() {
  if (!canRedo()) return;
  history_.redo();
  changed();
}

std::optional<std::string> PartDocument::save(const std::string& path, const std::string& name,
                                              int quantity) {
  std::optional<std::string> refusal;
  if (!part_) {
    refusal = "PART NOT SAVED: no part is shown";
  } else {
    Part& part = history_.amend();
    part.name = name;
    part.quantity = quantity;
    const PartCheck check = CheckPart(part);
    refusal = check.problems.empty() ? SavePartFile(part, path)
                                     : "PART NOT SAVED: " + check.problems.front().text;
  }
  notice_ = refusal ? SaveNotice{*refusal, true} : SaveNotice{"PART SAVED OK", false};
  noticeRevision_ = revision_;
  if (!refusal) {
    source_ = path;
    stamp_ = StampOf(path);
    held_ = false;
    history_.setClean();
  }
  if (listener_) listener_();
  return refusal;
}

std::optional<PartDocument::SaveNotice> PartDocument::saveNotice() const {
  if (!notice_ || noticeRevision_ != revision_) return std::nullopt;
  return notice_;
}

void PartDocument::changed() {
  ++revision_;
  if (listener_) listener_();
}

}  // namespace korvex
