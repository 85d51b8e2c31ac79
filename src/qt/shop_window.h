#pragma once

#include <QMainWindow>
#include <QStringList>
#include <atomic>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "app/cut_list_plan.h"
#include "project/cut_list.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QSplitter;
class QTableWidget;
class QUndoGroup;
class QUndoStack;

namespace korvex {

class BackgroundWork;
class PartEditor;
class PartPreview;
class PlanView;

// The shop window: a cut list's parts in a table, the list's files, nesting on the stock and
// writing every output of the list in one go. Reading parts, nesting and writing run off the
// window's thread.
class ShopWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit ShopWindow(QWidget* parent = nullptr);
  ~ShopWindow() override;

  // Opens a cut list (.csv) in place of the open one, or adds part files to it. Why, when a file
  // cannot be used; nothing else changes then.
  std::optional<QString> openList(const QString& path);
  std::optional<QString> addParts(const QStringList& paths);
  std::optional<QString> saveList(const QString& path);

  // The list's rows with each file as the list names it.
  const std::vector<CutListRow>& rows() const { return rows_; }
  QString listPath() const { return listPath_; }

  // Nests the list with the values of the nesting fields; planReady or planFailed follow.
  void nest();
  void cancelNest();
  // Writes every output of the list into folder; written or planFailed follow.
  void writeAllInto(const QString& folder);
  QString summary() const;

  QTableWidget* partsTable() const { return table_; }
  PlanView* planView() const { return plan_; }
  QUndoStack* undoStack() const { return undo_; }
  PartEditor* partEditor() const { return editor_; }
  PartPreview* partPreview() const { return preview_; }
  QLineEdit* stockField() const { return stock_; }
  QLineEdit* kerfField() const { return kerf_; }
  QLineEdit* trimField() const { return trim_; }
  QComboBox* machineChoice() const { return machine_; }
  QComboBox* templateChoice() const { return templates_; }
  QProgressBar* progressBar() const { return progress_; }

  // The rows as a list before and after one edit; the undo stack calls it both ways.
  void setRows(const std::vector<CutListRow>& rows);

 signals:
  void partsSummarized();
  void planReady();
  void planFailed(const QString& why);
  void written(const QString& folder);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildMenus();
  QWidget* buildPartPane();
  void showSelectedPart();
  void partSaved(const QString& path);
  bool maybeSavePart();
  QWidget* buildNestingPanel();
  void changeRows(std::vector<CutListRow> rows, const QString& what);
  void refreshTable();
  void summarizeMissing();
  void onItemChanged(int row, int column);
  void updateTitle();
  void rememberRecent(const QString& path);
  void fillRecentMenu();
  bool maybeSave();
  std::optional<CutListRequest> request(QString& why) const;
  void startPlan(CutListRequest request, const QString& folder);
  void showProgress(const QString& step, int done, int total);
  void finishWork();
  std::string absolutePart(const std::string& file) const;
  std::filesystem::path listFolder() const;

  void newList();
  void openListChosen();
  bool saveChosen(bool askForName);
  void addPartsChosen();
  void removeSelected();
  void writeAllChosen();

  std::vector<CutListRow> rows_;
  std::map<std::string, PartSummary> summaries_;  // by the part's absolute path
  QString listPath_;
  // Where the last list, parts and outputs were chosen, by their settings' keys.
  std::map<QString, QString> lastFolders_{
      {"listFolder", {}}, {"partFolder", {}}, {"outputFolder", {}}};
  std::atomic<bool> cancel_{false};
  bool planning_ = false;  // a nest or a write runs
  int rowsVersion_ = 0;    // counts the changes of the rows
  CutListPlan lastPlan_;

  QUndoGroup* undoGroup_ = nullptr;
  QUndoStack* undo_ = nullptr;      // the list's edits
  QUndoStack* partUndo_ = nullptr;  // the shown part's edits, since it was shown
  int shownRow_ = -1;
  BackgroundWork* work_ = nullptr;
  QSplitter* splitter_ = nullptr;      // the parts over the nesting
  QSplitter* partSplitter_ = nullptr;  // the table beside the part's editor and preview
  QTableWidget* table_ = nullptr;
  PlanView* plan_ = nullptr;
  PartEditor* editor_ = nullptr;
  PartPreview* preview_ = nullptr;
  QLineEdit* stock_ = nullptr;
  QLineEdit* kerf_ = nullptr;
  QLineEdit* trim_ = nullptr;
  QComboBox* machine_ = nullptr;
  QComboBox* templates_ = nullptr;
  QPushButton* nestButton_ = nullptr;
  QPushButton* writeButton_ = nullptr;
  QPushButton* cancelButton_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QLabel* summary_ = nullptr;
  QMenu* recentMenu_ = nullptr;
};

}  // namespace korvex
