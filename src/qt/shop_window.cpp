#include "qt/shop_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QUrl>
#include <set>

#include "base/file_helpers.h"
#include "project/frame_file.h"
#include "qt/cut_list_model.h"
#include "qt/frame_pane.h"
#include "qt/nesting_panel.h"
#include "qt/part_editor.h"
#include "qt/part_pane.h"
#include "qt/plan_view.h"
#include "qt/progress_strip.h"
#include "qt/results_pane.h"
#include "qt/shop_questions.h"
#include "qt/shop_work.h"
#include "template/cut_sheet.h"

namespace korvex {
namespace {

constexpr const char* kListFilter = "Cut list (*.csv)";
constexpr const char* kOpenFilter = "Cut lists and frames (*.csv *.kvxf *.CSV *.KVXF)";
constexpr const char* kPartFilter = "Parts (*.kvx *.kvxp *.KVX *.KVXP)";
enum Tab { kPartTab, kPlanTab, kFrameTab };

QString Qs(const std::string& text) {
  return QString::fromStdString(text);
}

std::string Text(const QString& text) {
  return text.toStdString();
}

}  // namespace

ShopWindow::ShopWindow(QWidget* parent) : QMainWindow(parent), session_(memory_.settings()) {
  work_ = new ShopWork(this);
  sheets_ = new QTemporaryDir;
  buildLayout();
  buildMenus();
  session_.setListener([this](unsigned what) { sessionChanged(what); });
  connect(work_, &ShopWork::progressed, nesting_->progress(), &ProgressStrip::setProgress);
  connect(work_, &ShopWork::busyChanged, this, [this](bool busy) {
    nesting_->setBusy(busy);
    updateActions();
  });
  // Undo and redo act on what the user works in: the part shown, or else the list.
  connect(qApp, &QApplication::focusChanged, this, &ShopWindow::updateActions);
  if (!restoreGeometry(memory_.store().value("geometry").toByteArray())) resize(1240, 900);
  splitter_->restoreState(memory_.store().value("splitter").toByteArray());
  listSplitter_->restoreState(memory_.store().value("listSplitter").toByteArray());
  partPane_->splitter()->restoreState(memory_.store().value("partSplitter").toByteArray());
  sessionChanged(~0u);
}

ShopWindow::~ShopWindow() {
  // Nothing may reach the session once it goes, before the window's children do.
  session_.setListener({});
  disconnect(qApp, nullptr, this, nullptr);
  delete work_;  // waits for its threads
  delete takeCentralWidget();
  delete sheets_;
}

void ShopWindow::buildLayout() {
  rows_ = new CutListModel(session_.list(), this);
  table_ = new QTableView(this);
  table_->setObjectName(QStringLiteral("parts"));
  table_->setModel(rows_);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 8);
  table_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                          QAbstractItemView::AnyKeyPressed);
  QHeaderView* header = table_->horizontalHeader();
  header->setSectionResizeMode(QHeaderView::Interactive);
  header->setSectionResizeMode(CutListModel::kFile, QHeaderView::Stretch);
  for (const auto& [column, width] : {std::pair{CutListModel::kName, 120},
                                      {CutListModel::kQuantity, 44},
                                      {CutListModel::kTube, 90},
                                      {CutListModel::kLength, 70}})
    header->resizeSection(column, width);
  connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          &ShopWindow::rowChosen);
  connect(rows_, &CutListModel::refused, this,
          [this](const QString& why) { session_.say(Text(why), true); });

  nesting_ = new NestingPanel(session_.list(), this);
  connect(nesting_, &NestingPanel::refused, this,
          [this](const QString& why) { session_.say(Text(why), true); });
  connect(nesting_->nestButton(), &QPushButton::clicked, this, &ShopWindow::nest);
  connect(nesting_->writeButton(), &QPushButton::clicked, this, &ShopWindow::writeAllChosen);
  connect(nesting_->cancelButton(), &QPushButton::clicked, this, &ShopWindow::cancelWork);
  connect(nesting_->sheetButton(), &QPushButton::clicked, this, &ShopWindow::openCutSheet);
  listSplitter_ = new QSplitter(Qt::Vertical, this);
  listSplitter_->addWidget(table_);
  listSplitter_->addWidget(nesting_);
  listSplitter_->setStretchFactor(0, 1);
  listSplitter_->setStretchFactor(1, 0);

  partPane_ = new PartPane(session_, this);
  results_ = new ResultsPane(session_, this);
  tabs_ = new QTabWidget(this);
  tabs_->insertTab(kPartTab, partPane_, tr("&Part"));
  tabs_->insertTab(kPlanTab, results_, tr("P&lan"));
  framePane_ = new FramePane(session_, this);
  tabs_->insertTab(kFrameTab, framePane_, tr("&Frame"));
  connect(framePane_, &FramePane::rowPicked, this, &ShopWindow::memberRowPicked);
  splitter_ = new QSplitter(Qt::Horizontal, this);
  splitter_->addWidget(listSplitter_);
  splitter_->addWidget(tabs_);
  splitter_->setStretchFactor(1, 1);
  splitter_->setSizes({480, 760});
  setCentralWidget(splitter_);
}

QAction* ShopWindow::addAction(QMenu* menu, const QString& text, const QKeySequence& key,
                               std::function<void()> run) {
  QAction* action = menu->addAction(text);
  action->setShortcut(key);
  connect(action, &QAction::triggered, this, std::move(run));
  return action;
}

void ShopWindow::buildMenus() {
  QMenu* file = menuBar()->addMenu(tr("&File"));
  addAction(file, tr("&New"), QKeySequence::New, [this] { newList(); });
  addAction(file, tr("&Open..."), QKeySequence::Open, [this] { openListChosen(); });
  recentMenu_ = file->addMenu(tr("Open &Recent"));
  connect(recentMenu_, &QMenu::aboutToShow, this, [this] {
    recentMenu_->clear();
    for (const QString& path : memory_.recentLists())
      recentMenu_->addAction(path, this, [this, path] { openRecent(path); });
  });
  addAction(file, tr("&Save"), QKeySequence::Save, [this] { saveChosen(false); });
  addAction(file, tr("Save &As..."), QKeySequence::SaveAs, [this] { saveChosen(true); });
  file->addSeparator();
  addAction(file, tr("&Add Parts..."), QKeySequence(Qt::CTRL | Qt::Key_I),
            [this] { addPartsChosen(); });
  // Delete removes rows only from the table: in the part editor it edits text.
  QAction* remove = addAction(file, tr("&Remove Parts"), QKeySequence::Delete,
                              [this] { removeSelected(); });
  remove->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  table_->addAction(remove);
  file->addSeparator();
  addAction(file, tr("&Close"), QKeySequence::Quit, [this] { close(); });

  QMenu* edit = menuBar()->addMenu(tr("&Edit"));
  undo_ = addAction(edit, tr("&Undo"), QKeySequence::Undo, [this] {
    listHasFocus() ? session_.list().undo() : session_.part().undo();
  });
  redo_ = addAction(edit, tr("&Redo"), QKeySequence::Redo, [this] {
    listHasFocus() ? session_.list().redo() : session_.part().redo();
  });

  QMenu* plan = menuBar()->addMenu(tr("&Nesting"));
  nest_ = addAction(plan, tr("&Nest"), QKeySequence(Qt::Key_F5), [this] { nest(); });
  write_ = addAction(plan, tr("&Write All..."), QKeySequence(Qt::CTRL | Qt::Key_E),
                     [this] { writeAllChosen(); });
  cancel_ = addAction(plan, tr("&Cancel"), QKeySequence(Qt::Key_Escape), [this] { cancelWork(); });
  plan->addAction(tr("&Open Cut Sheet"), this, &ShopWindow::openCutSheet);
}

PartEditor* ShopWindow::partEditor() const {
  return partPane_->editor();
}

PartPreview* ShopWindow::partPreview() const {
  return partPane_->preview();
}

PlanView* ShopWindow::planView() const {
  return results_->planView();
}

bool ShopWindow::listHasFocus() const {
  QWidget* focus = QApplication::focusWidget();
  return !(focus && partPane_->isAncestorOf(focus));
}

void ShopWindow::updateActions() {
  const bool list = listHasFocus();
  const bool busy = work_->busy();
  const std::string undo = list ? session_.list().undoLabel() : "edit part";
  undo_->setEnabled(list ? session_.list().canUndo() : session_.part().canUndo());
  redo_->setEnabled(list ? session_.list().canRedo() : session_.part().canRedo());
  undo_->setText(tr("&Undo %1").arg(Qs(undo)));
  redo_->setText(tr("&Redo %1").arg(Qs(list ? session_.list().redoLabel() : "edit part")));
  nest_->setEnabled(!busy);
  write_->setEnabled(!busy);
  cancel_->setEnabled(busy);  // Escape is the editors' own while nothing runs
  nesting_->sheetButton()->setEnabled(session_.plan() && !session_.planOutOfDate());
}

void ShopWindow::sessionChanged(unsigned what) {
  rows_->documentChanged(what);
  if (what & (ShopSession::kRows | ShopSession::kPart)) selectShownRow();
  if (what & (ShopSession::kSettings | ShopSession::kSummaries)) {
    nesting_->listChanged();
    memory_.rememberSettings(session_.list().settings());
  }
  partPane_->sessionChanged(what);
  results_->sessionChanged(what);
  framePane_->sessionChanged(what);
  tabs_->setTabVisible(kFrameTab, session_.frame().has_value());
  const auto notice = session_.notice();
  nesting_->showNotice(notice ? Qs(notice->text) : QString(), notice && notice->problem);
  setWindowTitle(QStringLiteral("KORVEX Shop - ") + Qs(session_.list().fileName()) +
                 QStringLiteral("[*]"));
  setWindowModified(!session_.list().isClean() || !session_.part().isClean());
  updateActions();
  if (what & (ShopSession::kRows | ShopSession::kSummaries | ShopSession::kRowValues))
    summarizeMissing();
}

// The table's current row is the row whose part is shown.
void ShopWindow::selectShownRow() {
  const auto row = session_.shownRow();
  const QModelIndex current = table_->currentIndex();
  if (row && current.isValid() && current.row() == static_cast<int>(*row)) return;
  selecting_ = true;
  if (row)
    table_->selectRow(static_cast<int>(*row));
  else
    table_->selectionModel()->clear();
  selecting_ = false;
}

void ShopWindow::rowChosen() {
  if (selecting_) return;
  const int row = table_->currentIndex().row();
  const auto shown = session_.shownRow();
  if (shown && static_cast<int>(*shown) == row) return;
  if (!partPane_->maybeSave()) {
    selectShownRow();
    return;
  }
  session_.showRow(row < 0 ? std::nullopt : std::optional<std::size_t>(row));
  tabs_->setCurrentIndex(kPartTab);
}

// A member clicked in the frame: its row is chosen and its part shown, the frame still in view.
void ShopWindow::memberRowPicked(std::size_t row) {
  if (session_.shownRow() == row || !partPane_->maybeSave()) return;
  session_.showRow(row);
}

// Reads the part files not read yet on a thread of their own, then shows them.
void ShopWindow::summarizeMissing() {
  if (reading_) return;
  std::vector<std::string> missing = session_.list().unsummarized();
  if (missing.empty()) return;
  reading_ = true;
  work_->summarize(std::move(missing), [this, epoch = session_.list().summaryEpoch()](
                                           PartSummaries read) {
    reading_ = false;
    session_.list().storeSummaries(std::move(read), epoch);  // reads on what is still missing
    if (!reading_ && session_.list().unsummarized().empty()) emit partsSummarized();
    summarizeMissing();
  });
}

bool ShopWindow::maybeSaveAll() {
  if (!partPane_->maybeSave()) return false;
  if (session_.list().isClean()) return true;
  switch (AskToSave(this, tr("The cut list"))) {
    case Answer::Save:
      return saveChosen(false);
    case Answer::Discard:
      return true;
    default:
      return false;
  }
}

std::optional<QString> ShopWindow::openList(const QString& path) {
  const bool frame = IsFrameFilePath(Text(path));
  const auto refusal = frame ? session_.openFrame(Text(path), memory_.settings())
                             : session_.openList(Text(path), memory_.settings());
  if (refusal) return Qs(*refusal);
  memory_.rememberList(QFileInfo(path).absoluteFilePath());
  tabs_->setCurrentIndex(frame ? kFrameTab : kPartTab);
  return std::nullopt;
}

std::optional<QString> ShopWindow::addParts(const QStringList& paths) {
  std::vector<std::string> files;
  for (const QString& path : paths)
    files.push_back(Text(path));
  const bool first = session_.list().rows().empty();
  if (auto refusal = session_.list().addParts(files)) return Qs(*refusal);
  if (first) session_.showRow(0);
  return std::nullopt;
}

std::optional<QString> ShopWindow::saveList(const QString& path) {
  if (auto failure = session_.list().saveAs(Text(path))) return Qs(*failure);
  memory_.rememberList(Qs(session_.list().path()));
  return std::nullopt;
}

void ShopWindow::newList() {
  if (maybeSaveAll()) session_.newList(memory_.settings());
}

void ShopWindow::openListChosen() {
  if (!maybeSaveAll()) return;
  const QString path = QFileDialog::getOpenFileName(this, tr("Open Cut List or Frame"),
                                                    memory_.folder("lists"), tr(kOpenFilter));
  if (path.isEmpty()) return;
  memory_.rememberFolder("lists", QFileInfo(path).absolutePath());
  if (const auto failure = openList(path)) QMessageBox::warning(this, tr("Cut list"), *failure);
}

void ShopWindow::openRecent(const QString& path) {
  if (!maybeSaveAll()) return;
  if (const auto failure = openList(path)) QMessageBox::warning(this, tr("Cut list"), *failure);
}

bool ShopWindow::saveChosen(bool askForName) {
  QString path = Qs(session_.list().path());
  if (askForName || path.isEmpty()) {
    const bool untitled = path.isEmpty() && !session_.frame();
    path = QFileDialog::getSaveFileName(this, tr("Save Cut List"),
                                        untitled ? memory_.folder("lists")
                                                 : Qs(session_.list().suggestedPath()),
                                        tr(kListFilter));
    if (path.isEmpty()) return false;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".csv");
    memory_.rememberFolder("lists", QFileInfo(path).absolutePath());
  }
  QStringList replaced;
  for (const std::string& file : session_.list().heldOnDisk())
    replaced << QFileInfo(Qs(file)).fileName();
  const QString question =
      tr("The part files %1 are there already. Replace them with the list's parts?");
  if (!replaced.isEmpty() &&
      AskToReplaceFiles(this, question.arg(replaced.join(QStringLiteral(", ")))) != Answer::Replace)
    return false;
  if (const auto failure = saveList(path)) {
    QMessageBox::warning(this, tr("Cut list"), *failure);
    return false;
  }
  return true;
}

void ShopWindow::addPartsChosen() {
  const QStringList paths = QFileDialog::getOpenFileNames(this, tr("Add Parts"),
                                                          memory_.folder("parts"), tr(kPartFilter));
  if (paths.isEmpty()) return;
  memory_.rememberFolder("parts", QFileInfo(paths.front()).absolutePath());
  if (const auto failure = addParts(paths)) QMessageBox::warning(this, tr("Cut list"), *failure);
}

void ShopWindow::removeSelected() {
  std::vector<std::size_t> rows;
  for (const QModelIndex& index : table_->selectionModel()->selectedRows())
    rows.push_back(static_cast<std::size_t>(index.row()));
  const auto shown = session_.shownRow();
  const bool shownGoes = shown && std::find(rows.begin(), rows.end(), *shown) != rows.end();
  if (shownGoes && !partPane_->maybeSave()) return;
  if (shownGoes) session_.showRow(std::nullopt);
  session_.list().removeRows(rows);
}

void ShopWindow::nest() {
  startJob({});
}

void ShopWindow::writeAllInto(const QString& folder) {
  startJob(folder);
}

void ShopWindow::writeAllChosen() {
  if (work_->busy()) return;
  const QString folder = QFileDialog::getExistingDirectory(this, tr("Write All Into"),
                                                           memory_.folder("outputs"));
  if (folder.isEmpty()) return;
  memory_.rememberFolder("outputs", folder);
  writeAllInto(folder);
}

void ShopWindow::startJob(const QString& folder) {
  if (work_->busy()) return;
  bool withEdits = false;
  if (!session_.part().isClean()) {
    const auto row = session_.shownRow();
    const QString name = row ? Qs(session_.list().rows()[*row].name) : QString();
    switch (AskAboutUnsavedPart(this, name, folder.isEmpty() ? tr("nesting") : tr("writing"))) {
      case Answer::Save:
        if (!partPane_->save()) return;
        break;
      case Answer::UseUnsaved:
        withEdits = true;
        break;
      default:
        return;
    }
  }
  auto job = session_.job(Text(folder), withEdits);
  if (const auto* why = std::get_if<std::string>(&job)) {
    session_.say(*why, true);
    emit planFailed(Qs(*why));
    return;
  }
  session_.jobStarted();
  work_->start(std::move(std::get<ShopJob>(job)),
               [this](const ShopJob& done, ShopJobOutcome outcome) {
                 session_.jobDone(done, std::move(outcome));
                 if (!session_.plan()) {
                   const auto problems = session_.jobProblems();
                   emit planFailed(Qs(problems ? *problems : std::string("cancelled")));
                 } else if (done.folder.empty()) {
                   tabs_->setCurrentIndex(kPlanTab);
                   emit planReady();
                 } else {
                   tabs_->setCurrentIndex(kPlanTab);
                   emit written(Qs(done.folder));
                 }
               });
}

void ShopWindow::cancelWork() {
  work_->cancel();
}

// The cut sheet of the plan shown, in the desktop's PDF viewer, from which it prints.
void ShopWindow::openCutSheet() {
  const auto& plan = session_.plan();
  if (!plan || !sheets_->isValid()) return;
  const std::string path = Text(sheets_->filePath(QStringLiteral("cut-sheet.pdf")));
  if (auto failure = WriteFileAtomically(path, CutSheetPdf(plan->sheet))) {
    session_.say("The cut sheet was not opened: " + *failure, true);
    return;
  }
  if (!QDesktopServices::openUrl(QUrl::fromLocalFile(Qs(path))))
    session_.say("No program opens " + path, true);
}

void ShopWindow::closeEvent(QCloseEvent* event) {
  if (!maybeSaveAll()) {
    event->ignore();
    return;
  }
  work_->cancel();
  QSettings& store = memory_.store();
  store.setValue("geometry", saveGeometry());
  store.setValue("splitter", splitter_->saveState());
  store.setValue("listSplitter", listSplitter_->saveState());
  store.setValue("partSplitter", partPane_->splitter()->saveState());
  event->accept();
}

}  // namespace korvex
