#pragma once

#include <QMainWindow>
#include <QStringList>
#include <optional>

#include "app/shop_session.h"
#include "qt/shop_memory.h"

class QAction;
class QMenu;
class QSplitter;
class QTabWidget;
class QTableView;
class QTemporaryDir;

namespace korvex {

class CutListModel;
class FramePane;
class NestingPanel;
class PartEditor;
class PartPane;
class PartPreview;
class PlanView;
class ResultsPane;
class ShopWork;

// The shop window: a cut list's parts in a table beside the part of the row chosen, the
// settings the list is nested with, the plan, and every output of the list written in one go.
// The documents hold the list, the part and the plan and their rules; the window shows them and
// asks the user where a rule says to. Reading parts, nesting and writing run off its thread.
class ShopWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit ShopWindow(QWidget* parent = nullptr);
  ~ShopWindow() override;

  // Opens a cut list or a frame (.kvxf) in place of the open list, or adds part files to it,
  // asking nothing. Why, when it cannot; nothing changes then.
  std::optional<QString> openList(const QString& path);
  std::optional<QString> addParts(const QStringList& paths);
  std::optional<QString> saveList(const QString& path);

  // Nests the list (F5), or nests it and writes every output into folder; planReady, written
  // or planFailed follow. Unsaved edits of the part shown are asked about first.
  void nest();
  void writeAllInto(const QString& folder);
  // Stops the nest or write that runs (Escape): nothing is written, no plan shown.
  void cancelWork();

  ShopSession& session() { return session_; }
  QTableView* partsTable() const { return table_; }
  PartPane* partPane() const { return partPane_; }
  FramePane* framePane() const { return framePane_; }
  PartEditor* partEditor() const;
  PartPreview* partPreview() const;
  NestingPanel* nestingPanel() const { return nesting_; }
  ResultsPane* results() const { return results_; }
  PlanView* planView() const;

 signals:
  void partsSummarized();
  void planReady();
  void planFailed(const QString& why);
  void written(const QString& folder);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildLayout();
  void buildMenus();
  QAction* addAction(QMenu* menu, const QString& text, const QKeySequence& key,
                     std::function<void()> run);
  void sessionChanged(unsigned what);
  void selectShownRow();
  void rowChosen();
  void memberRowPicked(std::size_t row);
  void summarizeMissing();
  void updateActions();
  bool listHasFocus() const;

  bool maybeSaveAll();
  void newList();
  void openListChosen();
  void openRecent(const QString& path);
  bool saveChosen(bool askForName);
  void addPartsChosen();
  void removeSelected();
  void writeAllChosen();
  void openCutSheet();
  // Starts a nest, or a nest and write into folder, once unsaved edits are seen to.
  void startJob(const QString& folder);

  ShopMemory memory_;
  ShopSession session_;
  ShopWork* work_ = nullptr;
  bool reading_ = false;    // part files are being read
  bool selecting_ = false;  // the table's row is set to the row shown
  CutListModel* rows_ = nullptr;
  QTableView* table_ = nullptr;
  PartPane* partPane_ = nullptr;
  FramePane* framePane_ = nullptr;
  NestingPanel* nesting_ = nullptr;
  ResultsPane* results_ = nullptr;
  QTabWidget* tabs_ = nullptr;
  QSplitter* splitter_ = nullptr;
  QSplitter* listSplitter_ = nullptr;
  QAction* undo_ = nullptr;
  QAction* redo_ = nullptr;
  QAction* nest_ = nullptr;
  QAction* write_ = nullptr;
  QAction* cancel_ = nullptr;
  QMenu* recentMenu_ = nullptr;
  QTemporaryDir* sheets_ = nullptr;  // cut sheets opened for viewing
};

}  // namespace korvex
