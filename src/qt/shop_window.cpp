#include "qt/shop_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QTableWidget>
#include <QUndoGroup>
#include <QUndoStack>
#include <QVBoxLayout>
#include <charconv>
#include <filesystem>
#include <new>
#include <set>

#include "app/machine_profiles.h"
#include "app/part_loading.h"
#include "app/part_panel.h"
#include "project/part_file.h"
#include "base/file_helpers.h"
#include "base/read_whole_file.h"
#include "qt/background_work.h"
#include "qt/part_editor.h"
#include "qt/part_preview.h"
#include "qt/plan_view.h"
#include "base/decimal_text.h"

namespace korvex {
namespace {

namespace fs = std::filesystem;

enum Column { kName, kFile, kQuantity, kTube, kLength, kColumns };
constexpr int kMostRecent = 8;
constexpr const char* kListFilter = "Cut list (*.csv)";
constexpr const char* kPartFilter = "Parts (*.kvx *.kvxp *.KVX *.KVXP)";

// One edit of the list's rows, undone and redone whole.
class RowsEdit : public QUndoCommand {
 public:
  RowsEdit(ShopWindow& window, std::vector<CutListRow> before, std::vector<CutListRow> after,
           const QString& what)
      : QUndoCommand(what), window_(window), before_(std::move(before)), after_(std::move(after)) {}
  void undo() override { window_.setRows(before_); }
  void redo() override { window_.setRows(after_); }

 private:
  ShopWindow& window_;
  std::vector<CutListRow> before_, after_;
};

std::string Text(const QString& text) {
  return text.toLocal8Bit().toStdString();
}
QString Qs(const std::string& text) {
  return QString::fromLocal8Bit(text);
}

// A length typed in a field: a plain decimal number, nothing else.
std::optional<double> Millimetres(const QString& text) {
  const std::string digits = text.trimmed().toStdString();
  double value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (digits.empty() || error != std::errc() || end != digits.data() + digits.size())
    return std::nullopt;
  return value;
}

// The problems of rows as a list would have them, or nothing when it reads back as they are.
std::optional<QString> RowsProblem(const std::vector<CutListRow>& rows) {
  if (rows.empty()) return std::nullopt;
  const CutList list = ParseCutList(FormatCutList(rows));
  if (list.problems.empty()) return std::nullopt;
  return Qs(list.problems.front().what);
}

QString UniqueName(const std::vector<CutListRow>& rows, const std::string& stem) {
  std::set<std::string> taken;
  for (const CutListRow& row : rows)
    taken.insert(row.name);
  std::string name = stem;
  for (int n = 2; taken.count(name); ++n)
    name = stem + "-" + std::to_string(n);
  return Qs(name);
}

// How the list names a part: relative to the list's folder, or by its absolute path while the
// list has no folder yet.
std::string ListFileName(const fs::path& absolute, const fs::path& folder) {
  const fs::path relative = folder.empty() ? fs::path() : absolute.lexically_relative(folder);
  return relative.empty() ? absolute.string() : relative.string();
}

// Beside the user's machine profiles: ~/.config/korvex/shop.conf.
std::unique_ptr<QSettings> ShopSettings() {
  return std::make_unique<QSettings>(QStringLiteral("korvex"), QStringLiteral("shop"));
}

}  // namespace

ShopWindow::ShopWindow(QWidget* parent) : QMainWindow(parent) {
  undoGroup_ = new QUndoGroup(this);
  undo_ = new QUndoStack(undoGroup_);
  partUndo_ = new QUndoStack(undoGroup_);
  undoGroup_->setActiveStack(undo_);
  work_ = new BackgroundWork(this);
  table_ = new QTableWidget(0, kColumns, this);
  table_->setHorizontalHeaderLabels(
      {tr("Name"), tr("File"), tr("Quantity"), tr("Tube"), tr("Length")});
  table_->horizontalHeader()->setStretchLastSection(true);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  connect(table_, &QTableWidget::cellChanged, this, &ShopWindow::onItemChanged);

  connect(table_, &QTableWidget::currentCellChanged, this, &ShopWindow::showSelectedPart);

  partSplitter_ = new QSplitter(Qt::Horizontal, this);
  partSplitter_->addWidget(table_);
  partSplitter_->addWidget(buildPartPane());
  splitter_ = new QSplitter(Qt::Vertical, this);
  splitter_->addWidget(partSplitter_);
  splitter_->addWidget(buildNestingPanel());
  partSplitter_->setSizes({480, 760});
  splitter_->setSizes({560, 340});
  // Undo and redo act on what the user works in: the shown part, or else the list.
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
    if (now && isAncestorOf(now))
      undoGroup_->setActiveStack(editor_->isAncestorOf(now) ? partUndo_ : undo_);
  });
  setCentralWidget(splitter_);
  buildMenus();
  connect(undo_, &QUndoStack::cleanChanged, this, &ShopWindow::updateTitle);

  const auto settings = ShopSettings();
  if (!restoreGeometry(settings->value("geometry").toByteArray())) resize(1240, 900);
  splitter_->restoreState(settings->value("splitter").toByteArray());
  partSplitter_->restoreState(settings->value("partSplitter").toByteArray());
  for (auto& [key, folder] : lastFolders_)
    folder = settings->value(key).toString();
  updateTitle();
}

ShopWindow::~ShopWindow() {
  cancel_ = true;
  work_->waitForAll();
}

QWidget* ShopWindow::buildNestingPanel() {
  auto* panel = new QWidget(this);
  auto* form = new QFormLayout;
  stock_ = new QLineEdit(QStringLiteral("6000"), panel);
  kerf_ = new QLineEdit(QStringLiteral("0"), panel);
  trim_ = new QLineEdit(panel);
  trim_->setPlaceholderText(tr("none"));
  machine_ = new QComboBox(panel);
  for (const MachineEntry& entry : LoadMachineEntries(UserMachinesFolder())) {
    if (entry.profile)
      machine_->addItem(Qs(entry.name), Qs(entry.path.empty() ? entry.name : entry.path));
  }
  templates_ = new QComboBox(panel);
  templates_->addItems({tr("No templates"), tr("PDF templates"), tr("SVG templates")});
  form->addRow(tr("Stock length (mm)"), stock_);
  form->addRow(tr("Kerf (mm)"), kerf_);
  form->addRow(tr("Trim (mm)"), trim_);
  form->addRow(tr("Machine"), machine_);
  form->addRow(tr("Write"), templates_);

  nestButton_ = new QPushButton(tr("Nest"), panel);
  writeButton_ = new QPushButton(tr("Write All..."), panel);
  cancelButton_ = new QPushButton(tr("Cancel"), panel);
  cancelButton_->setEnabled(false);
  nestButton_->setObjectName(QStringLiteral("nest"));
  connect(nestButton_, &QPushButton::clicked, this, &ShopWindow::nest);
  connect(writeButton_, &QPushButton::clicked, this, &ShopWindow::writeAllChosen);
  connect(cancelButton_, &QPushButton::clicked, this, &ShopWindow::cancelNest);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(nestButton_);
  buttons->addWidget(writeButton_);
  buttons->addWidget(cancelButton_);
  progress_ = new QProgressBar(panel);
  progress_->setRange(0, 1);
  progress_->setValue(0);
  summary_ = new QLabel(panel);
  summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  summary_->setWordWrap(true);
  auto* left = new QVBoxLayout;
  left->addLayout(form);
  left->addLayout(buttons);
  left->addWidget(progress_);
  left->addWidget(summary_, 1);

  plan_ = new PlanView(panel);
  auto* scroll = new QScrollArea(panel);
  scroll->setWidget(plan_);
  scroll->setWidgetResizable(true);
  auto* layout = new QHBoxLayout(panel);
  layout->addLayout(left);
  layout->addWidget(scroll, 1);
  return panel;
}

void ShopWindow::buildMenus() {
  QMenu* file = menuBar()->addMenu(tr("&File"));
  file->addAction(tr("&New"), QKeySequence::New, this, &ShopWindow::newList);
  file->addAction(tr("&Open..."), QKeySequence::Open, this, &ShopWindow::openListChosen);
  recentMenu_ = file->addMenu(tr("Open &Recent"));
  connect(recentMenu_, &QMenu::aboutToShow, this, &ShopWindow::fillRecentMenu);
  file->addAction(tr("&Save"), QKeySequence::Save, this, [this] { saveChosen(false); });
  file->addAction(tr("Save &As..."), QKeySequence::SaveAs, this, [this] { saveChosen(true); });
  file->addSeparator();
  file->addAction(tr("&Add Parts..."), QKeySequence(Qt::CTRL | Qt::Key_I), this,
                  &ShopWindow::addPartsChosen);
  // Delete removes rows only from the table: in the part editor it edits text.
  QAction* remove =
      file->addAction(tr("&Remove Parts"), QKeySequence::Delete, this, &ShopWindow::removeSelected);
  remove->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  table_->addAction(remove);
  file->addAction(tr("&Write All..."), QKeySequence(Qt::CTRL | Qt::Key_E), this,
                  &ShopWindow::writeAllChosen);
  file->addSeparator();
  file->addAction(tr("&Close"), QKeySequence::Quit, this, &QWidget::close);
  QMenu* edit = menuBar()->addMenu(tr("&Edit"));
  QAction* undo = undoGroup_->createUndoAction(this, tr("&Undo"));
  undo->setShortcut(QKeySequence::Undo);
  QAction* redo = undoGroup_->createRedoAction(this, tr("&Redo"));
  redo->setShortcut(QKeySequence::Redo);
  edit->addAction(undo);
  edit->addAction(redo);
}

QWidget* ShopWindow::buildPartPane() {
  editor_ = new PartEditor(this);
  preview_ = new PartPreview(this);
  RecordEdits(*editor_, *partUndo_);
  connect(editor_, &PartEditor::jobComputed, preview_, &PartPreview::showJob);
  connect(editor_, &PartEditor::partSaved, this, &ShopWindow::partSaved);
  auto* scroll = new QScrollArea(this);
  scroll->setWidget(editor_);
  scroll->setWidgetResizable(true);
  auto* pane = new QSplitter(Qt::Vertical, this);
  pane->addWidget(scroll);
  pane->addWidget(preview_);
  pane->setSizes({280, 280});
  return pane;
}

// The selected part in the editor and the preview, as OPEN reads its file. A .kvx part is
// saved as the part file beside it, which then takes its place in the list.
void ShopWindow::showSelectedPart() {
  const int row = table_->currentRow();
  if (row == shownRow_) return;
  if (!maybeSavePart()) {
    const QSignalBlocker blocker(table_);
    table_->setCurrentCell(shownRow_, kName);
    return;
  }
  shownRow_ = row;
  partUndo_->clear();
  if (row < 0 || row >= static_cast<int>(rows_.size())) return;
  const std::string path = absolutePart(rows_[static_cast<std::size_t>(row)].file);
  auto read = ReadPart(path);
  if (const auto* failure = std::get_if<std::string>(&read)) {
    statusBar()->showMessage(tr("%1 not opened: %2").arg(Qs(path), Qs(*failure)));
    return;
  }
  editor_->setPart(std::get<Part>(read));
  const fs::path file(path);
  editor_->setFilePath(
      Qs(IsPartFilePath(path) ? path : fs::path(file).replace_extension(".kvxp").string()));
}

void ShopWindow::partSaved(const QString& path) {
  partUndo_->setClean();
  const std::string saved = fs::absolute(Text(path)).lexically_normal().string();
  summaries_.erase(saved);
  if (shownRow_ < 0 || shownRow_ >= static_cast<int>(rows_.size())) return;
  if (absolutePart(rows_[static_cast<std::size_t>(shownRow_)].file) == saved) {
    refreshTable();
    summarizeMissing();
    return;
  }
  std::vector<CutListRow> rows = rows_;
  rows[static_cast<std::size_t>(shownRow_)].file = ListFileName(saved, listFolder());
  changeRows(std::move(rows), tr("part file"));
}

// True when the shown part may be left: unchanged, saved, or its changes let go.
bool ShopWindow::maybeSavePart() {
  if (partUndo_->isClean()) return true;
  const auto answer = QMessageBox::question(
      this, tr("KORVEX Shop"), tr("The part has changed. Save it?"),
      QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
  if (answer == QMessageBox::Save) return editor_->save();
  return answer == QMessageBox::Discard;
}

fs::path ShopWindow::listFolder() const {
  return listPath_.isEmpty() ? fs::path() : fs::path(Text(listPath_)).parent_path();
}

std::string ShopWindow::absolutePart(const std::string& file) const {
  const std::string list = listPath_.isEmpty() ? std::string("untitled.csv") : Text(listPath_);
  return fs::absolute(ListPartPath(list, file)).lexically_normal().string();
}

void ShopWindow::setRows(const std::vector<CutListRow>& rows) {
  rows_ = rows;
  ++rowsVersion_;
  plan_->clear();
  refreshTable();
  summarizeMissing();
  if (shownRow_ >= static_cast<int>(rows_.size())) {
    shownRow_ = -1;
    partUndo_->clear();
  }
}

void ShopWindow::changeRows(std::vector<CutListRow> rows, const QString& what) {
  undo_->push(new RowsEdit(*this, rows_, std::move(rows), what));
}

void ShopWindow::refreshTable() {
  const QSignalBlocker blocker(table_);
  table_->setRowCount(static_cast<int>(rows_.size()));
  for (int r = 0; r < static_cast<int>(rows_.size()); ++r) {
    const CutListRow& row = rows_[static_cast<std::size_t>(r)];
    const auto found = summaries_.find(absolutePart(row.file));
    QString tube = tr("reading..."), length;
    if (found != summaries_.end()) {
      const PartSummary& part = found->second;
      tube = part.failure ? Qs(*part.failure) : Qs(part.tube);
      if (!part.failure) length = Qs(DecimalText(part.length, 3));
    }
    const QString texts[kColumns] = {Qs(row.name), Qs(row.file), QString::number(row.quantity),
                                     tube, length};
    for (int c = 0; c < kColumns; ++c) {
      auto* item = new QTableWidgetItem(texts[c]);
      if (c != kName && c != kQuantity) item->setFlags(item->flags() & ~Qt::ItemIsEditable);
      table_->setItem(r, c, item);
    }
  }
}

// Reads the parts not read yet on a thread of their own, then shows them.
void ShopWindow::summarizeMissing() {
  std::vector<std::string> missing;
  for (const CutListRow& row : rows_) {
    const std::string path = absolutePart(row.file);
    if (!summaries_.count(path) && std::find(missing.begin(), missing.end(), path) == missing.end())
      missing.push_back(path);
  }
  if (missing.empty()) {
    emit partsSummarized();
    return;
  }
  using Summaries = std::map<std::string, PartSummary>;
  work_->run<Summaries>(
      [missing] {
        Summaries read;
        for (const std::string& path : missing)
          read[path] = SummarizePart(path);
        return read;
      },
      [this](Summaries read) {
        summaries_.merge(read);
        refreshTable();
        summarizeMissing();
      });
}

void ShopWindow::onItemChanged(int row, int column) {
  std::vector<CutListRow> rows = rows_;
  CutListRow& changed = rows[static_cast<std::size_t>(row)];
  const QString text = table_->item(row, column)->text().trimmed();
  if (column == kName) {
    changed.name = Text(text);
  } else {
    bool whole = false;
    changed.quantity = text.toInt(&whole);
    if (!whole) changed.quantity = 0;
  }
  if (const auto problem = RowsProblem(rows)) {
    statusBar()->showMessage(tr("Not changed: %1").arg(*problem));
    refreshTable();
    return;
  }
  changeRows(std::move(rows), column == kName ? tr("rename") : tr("quantity"));
}

void ShopWindow::updateTitle() {
  const QString name = listPath_.isEmpty() ? tr("untitled.csv") : QFileInfo(listPath_).fileName();
  setWindowTitle(QStringLiteral("KORVEX Shop - ") + name + QStringLiteral("[*]"));
  setWindowModified(!undo_->isClean());
}

std::optional<QString> ShopWindow::openList(const QString& path) {
  const FileContents contents = ReadWholeFile(Text(path), kMaxProjectFileBytes);
  if (contents.failure) return tr("%1 not opened: %2").arg(path, Qs(*contents.failure));
  const CutList list = ParseCutList(contents.bytes);
  if (!list.problems.empty()) {
    const CutListProblem& first = list.problems.front();
    return first.line > 0 ? tr("%1:%2: %3").arg(path).arg(first.line).arg(Qs(first.what))
                          : tr("%1: %2").arg(path, Qs(first.what));
  }
  listPath_ = QFileInfo(path).absoluteFilePath();
  undo_->clear();
  setRows(list.rows);
  rememberRecent(listPath_);
  updateTitle();
  return std::nullopt;
}

std::optional<QString> ShopWindow::addParts(const QStringList& paths) {
  std::vector<CutListRow> rows = rows_;
  for (const QString& path : paths) {
    const fs::path absolute = fs::absolute(Text(path)).lexically_normal();
    CutListRow row;
    row.file = ListFileName(absolute, listFolder());
    row.quantity = 1;
    row.name = Text(UniqueName(rows, absolute.stem().string()));
    rows.push_back(std::move(row));
  }
  if (const auto problem = RowsProblem(rows)) return tr("Parts not added: %1").arg(*problem);
  changeRows(std::move(rows), tr("add parts"));
  return std::nullopt;
}

// The files keep naming the same parts from the list's new folder.
std::optional<QString> ShopWindow::saveList(const QString& path) {
  const fs::path folder = fs::absolute(Text(path)).parent_path();
  std::vector<CutListRow> rows = rows_;
  for (CutListRow& row : rows)
    row.file = ListFileName(absolutePart(row.file), folder);
  if (auto failure = WriteFileAtomically(Text(path), FormatCutList(rows)))
    return tr("%1 not saved: %2").arg(path, Qs(*failure));
  rows_ = std::move(rows);
  listPath_ = QFileInfo(path).absoluteFilePath();
  refreshTable();
  undo_->setClean();
  rememberRecent(listPath_);
  updateTitle();
  return std::nullopt;
}

void ShopWindow::newList() {
  if (!maybeSave()) return;
  listPath_.clear();
  undo_->clear();
  setRows({});
  updateTitle();
}

void ShopWindow::openListChosen() {
  if (!maybeSave()) return;
  const QString path = QFileDialog::getOpenFileName(this, tr("Open Cut List"),
                                                    lastFolders_["listFolder"], tr(kListFilter));
  if (path.isEmpty()) return;
  lastFolders_["listFolder"] = QFileInfo(path).absolutePath();
  if (const auto failure = openList(path)) QMessageBox::warning(this, tr("Cut list"), *failure);
}

bool ShopWindow::saveChosen(bool askForName) {
  QString path = listPath_;
  if (askForName || path.isEmpty()) {
    path = QFileDialog::getSaveFileName(this, tr("Save Cut List"),
                                        path.isEmpty() ? lastFolders_["listFolder"] : path,
                                        tr(kListFilter));
    if (path.isEmpty()) return false;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".csv");
  }
  lastFolders_["listFolder"] = QFileInfo(path).absolutePath();
  if (const auto failure = saveList(path)) {
    QMessageBox::warning(this, tr("Cut list"), *failure);
    return false;
  }
  return true;
}

void ShopWindow::addPartsChosen() {
  const QStringList paths = QFileDialog::getOpenFileNames(
      this, tr("Add Parts"), lastFolders_["partFolder"], tr(kPartFilter));
  if (paths.isEmpty()) return;
  lastFolders_["partFolder"] = QFileInfo(paths.front()).absolutePath();
  if (const auto failure = addParts(paths)) QMessageBox::warning(this, tr("Cut list"), *failure);
}

void ShopWindow::removeSelected() {
  std::set<int> selected;
  for (const QModelIndex& index : table_->selectionModel()->selectedRows())
    selected.insert(index.row());
  if (selected.empty()) return;
  std::vector<CutListRow> rows;
  for (int r = 0; r < static_cast<int>(rows_.size()); ++r) {
    if (!selected.count(r)) rows.push_back(rows_[static_cast<std::size_t>(r)]);
  }
  changeRows(std::move(rows), tr("remove parts"));
}

void ShopWindow::rememberRecent(const QString& path) {
  const auto settings = ShopSettings();
  QStringList recent = settings->value("recent").toStringList();
  recent.removeAll(path);
  recent.prepend(path);
  while (recent.size() > kMostRecent)
    recent.removeLast();
  settings->setValue("recent", recent);
}

void ShopWindow::fillRecentMenu() {
  recentMenu_->clear();
  for (const QString& path : ShopSettings()->value("recent").toStringList()) {
    recentMenu_->addAction(path, this, [this, path] {
      if (!maybeSave()) return;
      if (const auto failure = openList(path)) QMessageBox::warning(this, tr("Cut list"), *failure);
    });
  }
  recentMenu_->setEnabled(!recentMenu_->isEmpty());
}

// True when the list may be left: it is saved, the user saved it or let the changes go.
bool ShopWindow::maybeSave() {
  if (!maybeSavePart()) return false;
  partUndo_->setClean();
  if (undo_->isClean()) return true;
  const auto answer = QMessageBox::question(
      this, tr("KORVEX Shop"), tr("The cut list has changed. Save the changes?"),
      QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
  if (answer == QMessageBox::Save) return saveChosen(false);
  return answer == QMessageBox::Discard;
}

void ShopWindow::closeEvent(QCloseEvent* event) {
  if (!maybeSave()) {
    event->ignore();
    return;
  }
  cancel_ = true;
  work_->waitForAll();
  const auto settings = ShopSettings();
  settings->setValue("geometry", saveGeometry());
  settings->setValue("splitter", splitter_->saveState());
  settings->setValue("partSplitter", partSplitter_->saveState());
  for (const auto& [key, folder] : lastFolders_)
    settings->setValue(key, folder);
  event->accept();
}

std::optional<CutListRequest> ShopWindow::request(QString& why) const {
  CutListRequest request;
  const std::optional<double> stock = Millimetres(stock_->text());
  const std::optional<double> kerf = Millimetres(kerf_->text());
  const std::optional<double> trim =
      trim_->text().trimmed().isEmpty() ? std::optional<double>(0) : Millimetres(trim_->text());
  if (rows_.empty())
    why = tr("the list names no parts");
  else if (!stock || !(*stock > 0))
    why = tr("the stock length must be a number above 0");
  else if (!kerf || *kerf < 0)
    why = tr("the kerf must be a number of 0 or more");
  else if (!trim || *trim < 0)
    why = tr("the trim must be a number of 0 or more, or empty");
  if (!why.isEmpty()) return std::nullopt;
  request.listPath = listPath_.isEmpty() ? fs::absolute("untitled.csv").string() : Text(listPath_);
  request.listBytes = FormatCutList(rows_);
  request.stock = {{std::nullopt, *stock}};
  request.kerf = *kerf;
  if (!trim_->text().trimmed().isEmpty()) request.trim = *trim;
  const int chosen = templates_->currentIndex();
  if (chosen > 0)
    request.templates = chosen == 1 ? ShopOutput::PdfTemplate : ShopOutput::SvgTemplate;
  return request;
}

void ShopWindow::nest() {
  startPlan({}, {});
}

void ShopWindow::writeAllInto(const QString& folder) {
  QString why;
  if (auto asked = request(why))
    startPlan(std::move(*asked), folder);
  else
    emit planFailed(why);
}

void ShopWindow::writeAllChosen() {
  const QString folder =
      QFileDialog::getExistingDirectory(this, tr("Write All Into"), lastFolders_["outputFolder"]);
  if (folder.isEmpty()) return;
  lastFolders_["outputFolder"] = folder;
  writeAllInto(folder);
}

void ShopWindow::cancelNest() {
  cancel_ = true;
}

// Plans the list off this thread; with a folder also writes everything into it.
void ShopWindow::startPlan(CutListRequest asked, const QString& folder) {
  if (planning_) return;
  QString why;
  if (folder.isEmpty()) {
    auto made = request(why);
    if (!made) {
      summary_->setText(why);
      emit planFailed(why);
      return;
    }
    asked = std::move(*made);
  }
  const MachineEntry machine =
      FindMachine(Text(machine_->currentData().toString()), UserMachinesFolder());
  if (!machine.profile) {
    why = machine.problems.empty() ? tr("no machine profile") : Qs(machine.problems.front());
    summary_->setText(why);
    emit planFailed(why);
    return;
  }
  cancel_ = false;
  planning_ = true;
  asked.cancel = &cancel_;
  nestButton_->setEnabled(false);
  writeButton_->setEnabled(false);
  cancelButton_->setEnabled(true);
  summary_->setText(folder.isEmpty() ? tr("Nesting...") : tr("Writing..."));
  struct Outcome {
    CutListPlan plan;
    std::optional<std::string> writeFailure;
  };
  const std::string target = Text(folder);
  work_->run<Outcome>(
      [this, asked, machine, target]() mutable {
        asked.machine = &*machine.profile;
        Outcome outcome;
        std::size_t shown = 0;  // per mille: a queued event only when the bar moves
        const CutListProgress progress = [this, &shown](const char* step, std::size_t done,
                                                        std::size_t total) {
          const std::size_t now = total ? done * 1000 / total : 0;
          if (now == shown && done != total) return;
          shown = now;
          QMetaObject::invokeMethod(
              this,
              [this, step = QString(step), done, total] {
                showProgress(step, static_cast<int>(done), static_cast<int>(total));
              },
              Qt::QueuedConnection);
        };
        try {
          outcome.plan = PlanCutList(asked, progress);
          if (!target.empty() && outcome.plan.problems.empty())
            outcome.writeFailure =
                WritePlanFiles(target, outcome.plan.files, asked.cancel, progress);
        } catch (const std::bad_alloc&) {
          // What was staged or created is gone with the stack; the plan so far is dropped.
          outcome = Outcome{};
          outcome.writeFailure =
              target.empty() ? "out of memory" : "out of memory: nothing written";
        }
        return outcome;
      },
      [this, folder, version = rowsVersion_](Outcome outcome) {
        finishWork();
        // A plan of rows since changed is not this list's; written files are that list's.
        if (folder.isEmpty() && version != rowsVersion_ && outcome.plan.problems.empty())
          outcome.plan.problems.push_back(
              Text(tr("the list changed while it was nested: nest it again")));
        QStringList problems;
        for (const std::string& problem : outcome.plan.problems)
          problems << Qs(problem);
        if (outcome.writeFailure) problems << Qs(*outcome.writeFailure);
        if (!problems.isEmpty()) {
          summary_->setText(problems.join('\n'));
          emit planFailed(problems.join('\n'));
          return;
        }
        lastPlan_ = std::move(outcome.plan);
        plan_->showPlan(lastPlan_.sheet);
        QString text = Qs(lastPlan_.summary).trimmed();
        if (!folder.isEmpty())
          text += tr("\n%1 files written into %2").arg(lastPlan_.files.size()).arg(folder);
        summary_->setText(text);
        if (folder.isEmpty())
          emit planReady();
        else
          emit written(folder);
      });
}

void ShopWindow::showProgress(const QString& step, int done, int total) {
  if (!planning_) return;
  progress_->setFormat(step + QStringLiteral(" %v / %m"));
  progress_->setRange(0, std::max(total, 1));
  progress_->setValue(done);
}

void ShopWindow::finishWork() {
  planning_ = false;
  nestButton_->setEnabled(true);
  writeButton_->setEnabled(true);
  cancelButton_->setEnabled(false);
  progress_->setRange(0, 1);
  progress_->setValue(0);
  progress_->setFormat(QString());
}

QString ShopWindow::summary() const {
  return summary_->text();
}

}  // namespace korvex
