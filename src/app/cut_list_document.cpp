#include "app/cut_list_document.h"

#include <algorithm>
#include <filesystem>
#include <set>

#include "app/part_loading.h"
#include "base/file_helpers.h"
#include "base/read_whole_file.h"
#include "project/part_file.h"

namespace korvex {
namespace {

namespace fs = std::filesystem;

constexpr const char* kUntitled = "untitled.csv";

std::string Normal(const fs::path& path) {
  return fs::absolute(path).lexically_normal().string();
}

std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The rows as the list at listPath names their files: relative to its folder where they can be.
std::vector<CutListRow> Listed(std::vector<CutListRow> rows, const std::string& listPath) {
  const fs::path folder = fs::path(listPath).parent_path();
  for (CutListRow& row : rows) {
    const fs::path relative = fs::path(row.file).lexically_relative(folder);
    if (!relative.empty()) row.file = relative.string();
  }
  return rows;
}

// Why rows would not read back as a list, or nothing.
std::optional<std::string> RowsProblem(const std::vector<CutListRow>& rows) {
  if (rows.empty()) return std::nullopt;
  const CutList list = ParseCutList(FormatCutList(rows));
  if (list.problems.empty()) return std::nullopt;
  return list.problems.front().what;
}

// What an edit from a to b changes, as a set of CutListDocument::Change.
unsigned Difference(const CutListValues& a, const CutListValues& b) {
  unsigned change = 0;
  if (a.ids != b.ids)
    change |= CutListDocument::kRows;
  else if (!SameRowValues(a.rows, b.rows))
    change |= CutListDocument::kRowValues;
  if (!(a.settings == b.settings)) change |= CutListDocument::kSettings;
  return change;
}

// The settings kept beside path, else fallback; why they could not be used goes into note.
ShopSettings SettingsBeside(const std::string& path, const ShopSettings& fallback,
                            std::optional<std::string>& note) {
  const std::string settingsPath = SettingsPathOf(path);
  if (!FileExists(settingsPath)) return fallback;
  const FileContents bytes = ReadWholeFile(settingsPath, kMaxProjectFileBytes);
  auto read = bytes.failure ? std::variant<ShopSettings, std::string>(*bytes.failure)
                            : ParseShopSettings(bytes.bytes, settingsPath);
  if (auto* settings = std::get_if<ShopSettings>(&read)) return std::move(*settings);
  note = std::get<std::string>(read) + "; the settings last used are taken instead";
  return fallback;
}

std::string UniqueName(const std::vector<CutListRow>& rows, const std::string& wanted,
                       const std::string& stem) {
  std::set<std::string> taken;
  for (const CutListRow& row : rows)
    taken.insert(row.name);
  if (!wanted.empty() && UsableAsFileName(wanted) && !taken.count(wanted)) return wanted;
  std::string name = stem;
  for (int n = 2; taken.count(name); ++n)
    name = stem + "-" + std::to_string(n);
  return name;
}

}  // namespace

bool SameRowValues(const std::vector<CutListRow>& a, const std::vector<CutListRow>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const auto& x, const auto& y) {
    return x.file == y.file && x.name == y.name && x.quantity == y.quantity;
  });
}

CutListDocument::CutListDocument(ShopSettings settings) {
  clear(std::move(settings));
}

std::optional<std::size_t> CutListDocument::rowOf(long id) const {
  const std::vector<long>& ids = history_.current().ids;
  const auto found = std::find(ids.begin(), ids.end(), id);
  if (found == ids.end()) return std::nullopt;
  return static_cast<std::size_t>(found - ids.begin());
}

std::string CutListDocument::fileName() const {
  if (!path_.empty()) return fs::path(path_).filename().string();
  return origin_.empty() ? std::string(kUntitled) : fs::path(origin_).filename().string();
}

std::string CutListDocument::partPath(std::size_t row) const {
  return rows()[row].file;
}

std::string CutListDocument::suggestedPath() const {
  if (!path_.empty()) return path_;
  return origin_.empty() ? Normal(kUntitled) : fs::path(origin_).replace_extension(".csv").string();
}

CutListDocument::Opened CutListDocument::open(const std::string& path,
                                              const ShopSettings& fallback) {
  const FileContents contents = ReadWholeFile(path, kMaxProjectFileBytes);
  if (contents.failure) return {path + " not opened: " + *contents.failure, std::nullopt};
  CutList list = ParseCutList(contents.bytes);
  if (!list.problems.empty()) {
    const CutListProblem& first = list.problems.front();
    const std::string where = first.line > 0 ? ":" + std::to_string(first.line) : std::string();
    return {path + where + ": " + first.what, std::nullopt};
  }
  Opened opened;
  ShopSettings settings = SettingsBeside(path, fallback, opened.note);
  path_ = Normal(path);
  origin_.clear();
  held_.clear();
  for (CutListRow& row : list.rows)
    row.file = Normal(ListPartPath(path_, row.file));
  adopt(std::move(list.rows), std::move(settings), {});
  return opened;
}

CutListDocument::Opened CutListDocument::openHeld(const std::string& origin,
                                                  std::vector<CutListRow> rows,
                                                  std::map<std::string, Part> held,
                                                  PartSummaries summaries,
                                                  const ShopSettings& fallback) {
  if (auto problem = RowsProblem(rows)) return {*problem, std::nullopt};
  Opened opened;
  ShopSettings settings = SettingsBeside(origin, fallback, opened.note);
  path_.clear();
  origin_ = Normal(origin);
  held_ = std::move(held);
  adopt(std::move(rows), std::move(settings), std::move(summaries));
  return opened;
}

// The rows and settings in place of everything before, with what is known of their parts.
void CutListDocument::adopt(std::vector<CutListRow> rows, ShopSettings settings,
                            PartSummaries summaries) {
  CutListValues values{std::move(rows), {}, std::move(settings)};
  for (std::size_t r = 0; r < values.rows.size(); ++r)
    values.ids.push_back(nextId_++);
  history_.reset(std::move(values));
  summaries_ = std::move(summaries);
  ++summaryEpoch_;
  changed(kRows | kSettings | kSummaries | kFile, "another list opened");
}

void CutListDocument::clear(const ShopSettings& settings) {
  path_.clear();
  origin_.clear();
  held_.clear();
  history_.reset({{}, {}, settings});
  summaries_.clear();
  ++summaryEpoch_;
  changed(kRows | kSettings | kSummaries | kFile, "a new list");
}

std::optional<std::string> CutListDocument::saveAs(const std::string& path) {
  const std::string target = Normal(path);
  FileTransaction transaction;
  std::optional<std::string> failure =
      transaction.stage(target, FormatCutList(Listed(rows(), target)));
  if (!failure)
    failure = transaction.stage(SettingsPathOf(target), FormatShopSettings(settings()));
  std::set<std::string> written;
  for (const CutListRow& row : rows()) {
    const Part* held = heldPart(row.file);
    if (failure || !held || !written.insert(row.file).second) continue;
    Part part = *held;
    part.name = row.name;
    part.quantity = row.quantity;
    FormattedPart file = FormatPartFile(part);
    failure = file.refusal ? fs::path(row.file).filename().string() + ": " + *file.refusal
                           : transaction.stage(row.file, file.bytes);
  }
  if (!failure) failure = transaction.commit();
  if (failure) return path + " not saved: " + *failure;
  for (const std::string& file : written)
    held_.erase(file);
  path_ = target;
  history_.setClean();
  changed(kFile, {});
  return std::nullopt;
}

std::optional<std::string> CutListDocument::edit(CutListValues values, const std::string& what) {
  if (const auto problem = RowsProblem(Listed(values.rows, suggestedPath())))
    return problem;
  const unsigned change = Difference(history_.current(), values);
  history_.push(std::move(values), what);
  changed(change | kFile, what);
  return std::nullopt;
}

std::optional<std::string> CutListDocument::rename(std::size_t row, std::string_view name) {
  CutListValues values = history_.current();
  const std::string wanted(Trimmed(name));
  std::string& current = values.rows[row].name;
  const std::string chosen =
      wanted.empty() ? fs::path(values.rows[row].file).stem().string() : wanted;
  if (chosen == current) return std::nullopt;
  if (auto why = CutListNameProblem(chosen)) return *why;
  for (std::size_t other = 0; other < values.rows.size(); ++other) {
    if (values.rows[other].name == chosen)
      return "the name \"" + chosen + "\" is already the name of row " +
             std::to_string(other + 1);
  }
  current = chosen;
  return edit(std::move(values), "rename");
}

std::optional<std::string> CutListDocument::setQuantity(std::size_t row, std::string_view text) {
  const std::string_view typed = Trimmed(text);
  const auto quantity = ReadCutListQuantity(typed);
  if (!quantity) return CutListQuantityProblem(typed);
  CutListValues values = history_.current();
  if (values.rows[row].quantity == *quantity) return std::nullopt;
  values.rows[row].quantity = *quantity;
  return edit(std::move(values), "quantity");
}

std::optional<std::string> CutListDocument::addParts(const std::vector<std::string>& paths) {
  CutListValues values = history_.current();
  for (const std::string& path : paths) {
    CutListRow row{0, Normal(path), 1, {}};
    std::string wanted;
    if (IsPartFilePath(path)) {
      // A part file that cannot be read still becomes a row, which then says why.
      const auto read = ReadPart(path);
      if (const auto* part = std::get_if<Part>(&read)) {
        wanted = part->name;
        if (part->quantity < 1 || part->quantity > kMaxCutListQuantity)
          return path + ": its quantity " + std::to_string(part->quantity) +
                 " is more than a list takes (" + std::to_string(kMaxCutListQuantity) + ")";
        row.quantity = static_cast<int>(part->quantity);
      }
    }
    row.name = UniqueName(values.rows, wanted, fs::path(path).stem().string());
    values.rows.push_back(std::move(row));
    values.ids.push_back(nextId_++);
  }
  if (auto problem = edit(std::move(values), "add parts")) return "Parts not added: " + *problem;
  return std::nullopt;
}

void CutListDocument::removeRows(const std::vector<std::size_t>& rows) {
  CutListValues values = history_.current();
  const std::set<std::size_t> gone(rows.begin(), rows.end());
  CutListValues kept{{}, {}, values.settings};
  for (std::size_t r = 0; r < values.rows.size(); ++r) {
    if (gone.count(r)) continue;
    kept.rows.push_back(values.rows[r]);
    kept.ids.push_back(values.ids[r]);
  }
  if (kept.rows.size() != values.rows.size()) edit(std::move(kept), "remove parts");
}

void CutListDocument::setRowFile(std::size_t row, const std::string& path) {
  CutListValues values = history_.current();
  values.rows[row].file = Normal(path);
  edit(std::move(values), "part file");
}

void CutListDocument::setSettings(ShopSettings settings, const std::string& what) {
  if (settings == this->settings()) return;
  CutListValues values = history_.current();
  values.settings = std::move(settings);
  edit(std::move(values), what);
}

void CutListDocument::undo() {
  step(true);
}

void CutListDocument::redo() {
  step(false);
}

void CutListDocument::step(bool back) {
  if (back ? !canUndo() : !canRedo()) return;
  const std::string what = (back ? "undo " : "redo ") +
                           (back ? history_.undoLabel() : history_.redoLabel());
  const CutListValues before = history_.current();
  back ? history_.undo() : history_.redo();
  changed(Difference(before, history_.current()) | kFile, what);
}

std::vector<std::string> CutListDocument::heldOnDisk() const {
  std::vector<std::string> found;
  for (const CutListRow& row : rows()) {
    if (heldPart(row.file) && FileExists(row.file) &&
        std::find(found.begin(), found.end(), row.file) == found.end())
      found.push_back(row.file);
  }
  return found;
}

const Part* CutListDocument::heldPart(const std::string& path) const {
  const auto found = held_.find(Normal(path));
  return found == held_.end() ? nullptr : &found->second;
}

void CutListDocument::partFileChanged(const std::string& path) {
  held_.erase(Normal(path));
  summaries_.erase(Normal(path));
  ++summaryEpoch_;
  changed(kSummaries, fs::path(path).filename().string() + " saved");
}

std::vector<std::string> CutListDocument::unsummarized() const {
  std::vector<std::string> missing;
  for (const CutListRow& row : rows()) {
    if (!summaries_.count(row.file) &&
        std::find(missing.begin(), missing.end(), row.file) == missing.end())
      missing.push_back(row.file);
  }
  return missing;
}

void CutListDocument::storeSummaries(PartSummaries read, long epoch) {
  if (epoch != summaryEpoch_) return;
  read.merge(summaries_);
  summaries_ = std::move(read);
  if (listener_) listener_(kSummaries);
}

const PartSummary* CutListDocument::summary(std::size_t row) const {
  const auto found = summaries_.find(rows()[row].file);
  return found == summaries_.end() ? nullptr : &found->second;
}

std::vector<TubeSize> CutListDocument::tubes() const {
  std::vector<TubeSize> tubes;
  for (std::size_t r = 0; r < rows().size(); ++r) {
    const PartSummary* part = summary(r);
    if (!part || part->failure) continue;
    if (std::none_of(tubes.begin(), tubes.end(),
                     [&](const TubeSize& tube) { return SameTube(tube, part->size); }))
      tubes.push_back(part->size);
  }
  return tubes;
}

CutListRequest CutListDocument::request() const {
  CutListRequest request;
  request.listPath = suggestedPath();
  request.listBytes = FormatCutList(Listed(rows(), request.listPath));
  request.stock = settings().stock;
  request.kerf = settings().kerf;
  request.trim = settings().trim;
  request.templates = settings().templates;
  request.paper = settings().paper;
  if (!held_.empty()) {
    request.parts = [held = held_](const std::string& path) {
      const auto found = held.find(Normal(path));
      return found == held.end() ? LoadPart(path) : LoadedPartOf(found->second);
    };
  }
  return request;
}

void CutListDocument::changed(unsigned what, const std::string& change) {
  if (what & (kRows | kRowValues | kSettings | kSummaries)) {
    ++revision_;
    lastChange_ = change;
  }
  if (listener_) listener_(what);
}

}  // namespace korvex
