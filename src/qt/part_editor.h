#pragma once

#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "app/part_check.h"
#include "domain/computed_job.h"
#include "domain/part.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;

namespace korvex {

struct PartTextField;

// The values of one part: the tube, both ends and a table of holes. Each value is checked as it
// is typed and every problem is shown beside its field, in the words the rest of KORVEX uses.
// A field's edit is committed when the field is left or Return is pressed, a check box or a
// choice when it is changed, a hole when it is added or removed. Its name and quantity are its
// row's in the list, not the editor's.
class PartEditor : public QWidget {
  Q_OBJECT

 public:
  explicit PartEditor(QWidget* parent = nullptr);
  ~PartEditor() override;

  // Shows the part and checks it, dropping texts that could not be read: jobComputed when it
  // computes, never partEdited.
  void setPart(const Part& part);
  // The values as last committed.
  const Part& part() const { return part_; }
  // The problems shown now, one text each.
  QStringList problems() const;

  // What Save said last, beside the button; empty for nothing.
  void setSaveStatus(const QString& text, bool refused);

  // The text field at a place (a hole's values are cells of holeTable()), the label that shows
  // its problems; nullptr when there is none.
  QLineEdit* field(const PartPlace& place) const;
  QLabel* problemLabel(const PartPlace& place) const;
  QTableWidget* holeTable() const { return holes_; }

 signals:
  // One committed edit, with the values before and after it.
  void partEdited(const korvex::Part& before, const korvex::Part& after);
  // The part computes without a problem: its job.
  void jobComputed(const korvex::ComputedJob& job);
  // Save was clicked.
  void saveRequested();

 private:
  struct EndControls;

  void buildTube(QWidget* box);
  void buildEnd(TubeEnd end, QWidget* box);
  QWidget* buildHoles();
  void addTextField(PartTextField field, const QString& caption, QWidget* box);

  void fillFields();
  void fillHoles();
  void fieldTyped(const PartTextField& field);
  void holeCellTyped(int row, int column, const QString& text);
  // Shows the problems of typed, the part with the text typed at place, without committing.
  void checkTyped(const PartPlace& place, bool read, const Part& typed);
  void fieldFinished(const PartTextField& field);
  void holeItemChanged(QTableWidgetItem* item);
  void addHole();
  void removeHole();

  // Applies change to the committed part: partEdited when it changed the part, then a check,
  // with jobComputed when the part computes and wantJob.
  void commit(const std::function<void(Part&)>& change, bool wantJob);
  void check(const Part& part, bool emitJob);
  void setUnreadable(const PartPlace& place, bool unreadable);
  void showProblems();

  Part part_;
  std::vector<PartPlace> unreadable_;  // fields whose typed text is not a value
  std::vector<PartProblem> problems_;

  std::vector<std::unique_ptr<PartTextField>> fields_;
  std::vector<std::unique_ptr<EndControls>> ends_;
  QTableWidget* holes_ = nullptr;
  QLabel* holeProblems_ = nullptr;
  QPushButton* addHole_ = nullptr;
  QPushButton* removeHole_ = nullptr;
  QLabel* partProblems_ = nullptr;
  QPushButton* save_ = nullptr;
  QLabel* saveStatus_ = nullptr;
  bool typing_ = false;  // the problems shown are those of a text not yet committed
};

}  // namespace korvex
