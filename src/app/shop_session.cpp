#include "app/shop_session.h"

#include <algorithm>
#include <filesystem>
#include <map>

#include "base/decimal_text.h"
#include "base/file_helpers.h"

namespace korvex {
namespace {

namespace fs = std::filesystem;

std::string FileName(const std::string& path) {
  return fs::path(path).filename().string();
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string joined;
  for (const std::string& line : lines)
    joined += (joined.empty() ? "" : "\n") + line;
  return joined;
}

// The list and its settings in words, as a result names what it was made from.
std::string MadeFrom(const CutListDocument& list, const MachineEntry& machine) {
  long parts = 0;
  for (const CutListRow& row : list.rows())
    parts += row.quantity;
  const ShopSettings& settings = list.settings();
  std::string stock;
  for (const StockLength& entry : settings.stock)
    stock += (stock.empty() ? "" : ", ") + StockText(entry);
  return list.fileName() + ": " + std::to_string(list.rows().size()) + " rows, " +
         std::to_string(parts) + " parts; stock " + (stock.empty() ? "none" : stock) + "; kerf " +
         (settings.kerf ? DecimalText(*settings.kerf, 3) : "of the profile") +
         (settings.trim ? "; trim " + DecimalText(*settings.trim, 3) : "") + "; machine " +
         machine.name;
}

}  // namespace

ShopSession::ShopSession(const ShopSettings& settings) : list_(settings) {
  list_.setListener([this](unsigned what) {
    if (what & (kRows | kRowValues)) followRows();
    changed(what);
  });
  part_.setListener([this] { changed(kPart); });
}

std::optional<std::string> ShopSession::openList(const std::string& path,
                                                 const ShopSettings& fallback) {
  const CutListDocument::Opened opened = list_.open(path, fallback);
  if (opened.refusal) return opened.refusal;
  frame_.reset();
  startOver(opened.note);
  return std::nullopt;
}

std::optional<std::string> ShopSession::openFrame(const std::string& path,
                                                  const ShopSettings& fallback) {
  const FrameParts read = ReadFrameParts(path);
  if (!read.problems.empty()) return Joined(read.problems);
  const fs::path folder = fs::absolute(path).lexically_normal().parent_path();
  std::vector<CutListRow> rows;
  std::map<std::string, Part> held;
  PartSummaries summaries;
  for (const FramePart& part : read.parts) {
    const std::string file = (folder / (part.part.name + ".kvxp")).string();
    rows.push_back({0, file, static_cast<int>(part.part.quantity), part.part.name});
    held[file] = part.part;
    const TubeSize size{part.part.diameter, part.part.wall};
    summaries[file] = {TubeLabel(size), part.length, std::nullopt, size};
  }
  const CutListDocument::Opened opened =
      list_.openHeld(path, std::move(rows), std::move(held), std::move(summaries), fallback);
  if (opened.refusal) return path + ": " + *opened.refusal;
  std::vector<long> rowIds;
  for (std::size_t r = 0; r < list_.rows().size(); ++r)
    rowIds.push_back(list_.idOf(r));
  frame_ = ShopFrameOf(read, fs::absolute(path).lexically_normal().string(), std::move(rowIds));
  frameRows_ = list_.rows();
  startOver(opened.note);
  if (!opened.note && !read.notices.empty()) {
    const std::size_t more = read.notices.size() - 1;
    say(read.notices.front() +
            (more > 0 ? " (and " + std::to_string(more) + " more ends that meet nothing)" : ""),
        false);
  }
  return std::nullopt;
}

// After another list or frame came in: nothing of the last one's results, the first row shown.
void ShopSession::startOver(std::optional<std::string> note) {
  plan_.reset();
  notice_.reset();
  jobProblems_.reset();
  showRow(list_.rows().empty() ? std::nullopt : std::optional<std::size_t>(0));
  if (note) say(*note, true);
  changed(kPlan | kNotice | kFrame);
}

void ShopSession::newList(const ShopSettings& settings) {
  list_.clear(settings);
  frame_.reset();
  plan_.reset();
  notice_.reset();
  jobProblems_.reset();
  part_.clear();
  changed(kPlan | kNotice | kFrame);
}

void ShopSession::showRow(std::optional<std::size_t> row) {
  if (!row || *row >= list_.rows().size()) {
    part_.clear();
    return;
  }
  part_.load(list_.idOf(*row), list_.partPath(*row), list_.heldPart(list_.partPath(*row)));
}

std::optional<std::size_t> ShopSession::shownRow() const {
  if (!part_.rowId()) return std::nullopt;
  return list_.rowOf(*part_.rowId());
}

// After the rows changed, the part shown follows its row: it goes with its row, and is read
// again when the row names another file and nothing of it would be lost.
void ShopSession::followRows() {
  if (!part_.rowId()) return;
  const auto row = shownRow();
  if (!row) {
    if (part_.isClean()) part_.clear();
    return;
  }
  if (list_.partPath(*row) != part_.source() && part_.isClean())
    part_.load(*part_.rowId(), list_.partPath(*row), list_.heldPart(list_.partPath(*row)));
}

std::optional<std::string> ShopSession::saveQuestion(const std::string& path) const {
  const auto row = shownRow();
  for (std::size_t r = 0; r < list_.rows().size(); ++r) {
    if (r != row && IsSameFile(list_.partPath(r), path) && !IsSameFile(path, part_.source())) {
      return FileName(path) + " is the part file of row " + std::to_string(r + 1) + ", \"" +
             list_.rows()[r].name + "\". Replace it with this part?";
    }
  }
  if (IsSameFile(path, part_.source())) {
    if (part_.changedOnDisk())
      return FileName(path) +
             (part_.isHeld() ? " already exists" : " changed on disk since it was read") +
             ". Replace it with this part?";
    return std::nullopt;
  }
  if (FileExists(path)) return FileName(path) + " already exists. Replace it with this part?";
  return std::nullopt;
}

std::optional<std::string> ShopSession::savePart(const std::string& chosen) {
  const std::string path = fs::absolute(chosen).lexically_normal().string();
  const auto row = shownRow();
  if (!row) return std::string("PART NOT SAVED: the part's row is no longer in the list");
  const CutListRow& listed = list_.rows()[*row];
  if (auto refusal = part_.save(path, listed.name, listed.quantity)) return refusal;
  frameRows_.reset();
  if (IsSameFile(list_.partPath(*row), path))
    list_.partFileChanged(path);
  else
    list_.setRowFile(*row, path);
  return std::nullopt;
}

bool ShopSession::isFramesList() const {
  return frame_ && frameRows_ && SameRowValues(*frameRows_, list_.rows());
}

ResultBasis ShopSession::basisNow(bool withPart) const {
  return {list_.revision(), withPart ? std::optional<long>(part_.revision()) : std::nullopt};
}

std::variant<ShopJob, std::string> ShopSession::job(const std::string& folder,
                                                    bool withEdits) const {
  if (list_.rows().empty()) return std::string("the list names no parts");
  ShopJob job;
  job.machine = FindMachine(list_.settings().machine, UserMachinesFolder());
  if (!job.machine.profile) {
    return job.machine.problems.empty() ? "no machine profile " + list_.settings().machine
                                        : job.machine.problems.front();
  }
  job.request = list_.request();
  const bool edits = withEdits && part_.part() && !part_.isClean();
  if (edits) {
    // The part as edited stands in for its file.
    job.request.parts = [source = part_.source(), edited = *part_.part(),
                         listed = job.request.parts](const std::string& path) {
      if (std::filesystem::path(path).lexically_normal().string() == source)
        return LoadedPartOf(edited);
      return listed ? listed(path) : LoadPart(path);
    };
  }
  job.folder = folder;
  if (isFramesList() && !edits)
    job.frame = FrameRequest{frame_->path, frame_->frame, folder, {}};
  job.basis = basisNow(edits);
  job.madeFrom = MadeFrom(list_, job.machine);
  if (edits) job.madeFrom += "; with the unsaved edits of " + FileName(part_.source());
  return job;
}

void ShopSession::jobStarted() {
  plan_.reset();
  notice_.reset();
  jobProblems_.reset();
  changed(kPlan | kNotice);
}

void ShopSession::jobDone(const ShopJob& job, ShopJobOutcome outcome) {
  if (outcome.cancelled) {
    say("Cancelled: nothing written, no plan", false);
    return;
  }
  std::string problems = Joined(outcome.plan.problems);
  if (outcome.writeFailure) problems += (problems.empty() ? "" : "\n") + *outcome.writeFailure;
  if (!problems.empty()) {
    jobProblems_ = problems;
    jobBasis_ = job.basis;
    const auto more = std::count(problems.begin(), problems.end(), '\n');
    say((job.folder.empty() ? "Not nested: " : "Nothing written: ") +
            problems.substr(0, problems.find('\n')) +
            (more > 0 ? " (and " + std::to_string(more) + " more beside the plan)" : ""),
        true);
    return;
  }
  plan_ = ShownPlan{std::move(outcome.plan.sheet), std::move(outcome.plan.totals), job.madeFrom,
                    job.basis};
  if (!job.folder.empty()) {
    say(std::to_string(outcome.plan.files.size()) + " files written into " + job.folder, false);
    noticeBasis_ = job.basis;
  }
  changed(kPlan | kNotice);
}

bool ShopSession::isCurrent(const ResultBasis& basis) const {
  return basis.list == list_.revision() && (!basis.part || *basis.part == part_.revision());
}

std::optional<std::string> ShopSession::planOutOfDate() const {
  if (!plan_ || isCurrent(plan_->basis)) return std::nullopt;
  if (plan_->basis.list != list_.revision()) return list_.lastChange() + " after it was nested";
  return "the part it used unsaved was edited after it was nested";
}

std::optional<std::string> ShopSession::jobProblems() const {
  if (!jobProblems_ || !isCurrent(jobBasis_)) return std::nullopt;
  return jobProblems_;
}

std::optional<ShopNotice> ShopSession::notice() const {
  if (!notice_ || !isCurrent(noticeBasis_)) return std::nullopt;
  return notice_;
}

void ShopSession::say(std::string text, bool problem) {
  notice_ = ShopNotice{std::move(text), problem};
  noticeBasis_ = basisNow(false);
  changed(kNotice);
}

void ShopSession::changed(unsigned what) {
  if (listener_) listener_(what);
}

}  // namespace korvex
