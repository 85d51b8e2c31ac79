#include "qt/part_editor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <string>

#include "app/part_panel.h"
#include "project/part_fields.h"
#include "qt/part_text_field.h"

namespace korvex {
namespace {

const QColor kProblemColour(255, 205, 205);
constexpr const char* kProblemStyle = "color: #c00000;";


// The hole table's columns are the hole's fields, in their order.
const HoleField& HoleColumn(int column) {
  return HoleFields()[static_cast<std::size_t>(column)];
}

bool IsNumberColumn(int column) {
  return column >= 0 && column < static_cast<int>(HoleFields().size()) &&
         HoleColumn(column).number != nullptr;
}

QLabel* NewProblemLabel(QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setStyleSheet(QString::fromLatin1(kProblemStyle));
  label->setWordWrap(true);
  label->hide();
  return label;
}

void ShowTexts(QLabel* label, const QStringList& texts) {
  label->setText(texts.join(QLatin1Char('\n')));
  label->setVisible(!texts.isEmpty());
}

// Reports each keystroke in a hole's cell, so the value is checked as it is typed.
class CellDelegate : public QStyledItemDelegate {
 public:
  CellDelegate(std::function<void(int, int, const QString&)> typed, QObject* parent)
      : QStyledItemDelegate(parent), typed_(std::move(typed)) {}

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override {
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto* line = qobject_cast<QLineEdit*>(editor)) {
      QObject::connect(line, &QLineEdit::textEdited, line,
                       [typed = typed_, row = index.row(), column = index.column()](
                           const QString& text) { typed(row, column, text); });
    }
    return editor;
  }

 private:
  std::function<void(int, int, const QString&)> typed_;
};

QTableWidgetItem* FlagItem(bool ticked) {
  auto* item = new QTableWidgetItem;
  item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
  item->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
  return item;
}

}  // namespace

struct PartEditor::EndControls {
  TubeEnd end;
  std::vector<std::pair<const EndField*, QCheckBox*>> flags;
  std::vector<std::pair<const EndField*, QComboBox*>> choices;
  QLabel* problem;  // the end as a whole
};

PartEditor::PartEditor(QWidget* parent) : QWidget(parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);

  auto* frames = new QHBoxLayout;
  layout->addLayout(frames);
  // The tube, and under it the part's own problems and Save, beside the two ends.
  auto* first = new QVBoxLayout;
  frames->addLayout(first);
  auto* tube = new QGroupBox(QStringLiteral("MAIN TUBE"), this);
  buildTube(tube);
  first->addWidget(tube);
  partProblems_ = NewProblemLabel(this);
  first->addWidget(partProblems_);
  save_ = new QPushButton(tr("Save part"), this);
  save_->setObjectName(QStringLiteral("savePart"));
  connect(save_, &QPushButton::clicked, this, &PartEditor::saveRequested);
  saveStatus_ = new QLabel(this);
  saveStatus_->setObjectName(QStringLiteral("saveStatus"));
  saveStatus_->setWordWrap(true);
  first->addWidget(save_, 0, Qt::AlignLeft);
  first->addWidget(saveStatus_);
  first->addStretch(1);
  for (const auto& [end, caption] :
       {std::pair{TubeEnd::Left, "LEFT CUT"}, std::pair{TubeEnd::Right, "RIGHT CUT"}}) {
    auto* box = new QGroupBox(QString::fromLatin1(caption), this);
    buildEnd(end, box);
    frames->addWidget(box, 0, Qt::AlignTop);
  }
  layout->addWidget(buildHoles(), 1);

  setPart(PanelDefaultPart());
}

PartEditor::~PartEditor() = default;

void PartEditor::addTextField(PartTextField field, const QString& caption, QWidget* box) {
  auto* grid = static_cast<QGridLayout*>(box->layout());
  const int row = grid->rowCount();
  field.edit = new QLineEdit(box);
  field.problem = NewProblemLabel(box);
  grid->addWidget(new QLabel(caption, box), row, 0);
  grid->addWidget(field.edit, row, 1);
  grid->addWidget(field.problem, row + 1, 0, 1, 2);
  fields_.push_back(std::make_unique<PartTextField>(std::move(field)));
  const PartTextField* stored = fields_.back().get();
  connect(stored->edit, &QLineEdit::textEdited, this, [this, stored] { fieldTyped(*stored); });
  connect(stored->edit, &QLineEdit::editingFinished, this,
          [this, stored] { fieldFinished(*stored); });
}

void PartEditor::buildTube(QWidget* box) {
  new QGridLayout(box);
  addTextField(
      PartTextField::Number({PartField::Diameter}, [](Part& p) -> double& { return p.diameter; }),
      QStringLiteral("DIAMETER"), box);
  addTextField(PartTextField::Number({PartField::Wall}, [](Part& p) -> double& { return p.wall; }),
               QStringLiteral("THICKNESS"), box);
  addTextField(PartTextField::Whole({PartField::Segments},
                                [](Part& p) -> std::int64_t& { return p.segments; }),
               QStringLiteral("CUT SEGMENTS"), box);
  addTextField(PartTextField::Text({PartField::AngleLetter},
                               [](Part& p) -> std::string& { return p.angleLetter; }),
               QStringLiteral("ANGLE LETTER"), box);
}

void PartEditor::buildEnd(TubeEnd end, QWidget* box) {
  auto* grid = new QGridLayout(box);
  auto controls = std::make_unique<EndControls>();
  controls->end = end;
  const QString frame =
      end == TubeEnd::Left ? QStringLiteral("LEFT CUT ") : QStringLiteral("RIGHT CUT ");
  for (const EndField& field : EndFields()) {
    const QString caption = QString::fromLatin1(field.caption);
    if (field.number) {
      addTextField(PartTextField::Number({field.field, end},
                                     [end, value = field.number](Part& p) -> double& {
                                       return EndOf(p, end).*value;
                                     }),
                   caption, box);
    } else if (field.flag) {
      auto* check = new QCheckBox(caption, box);
      check->setObjectName(frame + caption);
      grid->addWidget(check, grid->rowCount(), 0, 1, 2);
      connect(check, &QCheckBox::clicked, this, [this, end, value = field.flag](bool ticked) {
        commit([&](Part& p) { EndOf(p, end).*value = ticked; }, true);
      });
      controls->flags.emplace_back(&field, check);
    } else {
      auto* choice = new QComboBox(box);
      for (const char* word : field.words)
        choice->addItem(QString::fromLatin1(word));
      const int row = grid->rowCount();
      grid->addWidget(new QLabel(caption, box), row, 0);
      grid->addWidget(choice, row, 1);
      connect(choice, &QComboBox::activated, this, [this, end, value = field.choice](int index) {
        commit([&](Part& p) { EndOf(p, end).*value = static_cast<EndFit>(index); }, true);
      });
      controls->choices.emplace_back(&field, choice);
    }
  }
  controls->problem = NewProblemLabel(box);
  grid->addWidget(controls->problem, grid->rowCount(), 0, 1, 2);
  ends_.push_back(std::move(controls));
}

QWidget* PartEditor::buildHoles() {
  auto* box = new QGroupBox(QStringLiteral("HOLES"), this);
  auto* layout = new QVBoxLayout(box);
  holes_ = new QTableWidget(0, static_cast<int>(HoleFields().size()), box);
  holes_->setObjectName(QStringLiteral("holes"));
  QStringList captions;
  for (const HoleField& column : HoleFields())
    captions << QString::fromLatin1(column.caption);
  holes_->setHorizontalHeaderLabels(captions);
  holes_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  holes_->setSelectionBehavior(QAbstractItemView::SelectRows);
  holes_->setSelectionMode(QAbstractItemView::SingleSelection);
  // Room for several holes at a glance.
  holes_->verticalHeader()->setDefaultSectionSize(holes_->fontMetrics().height() + 8);
  holes_->setMinimumHeight(holes_->horizontalHeader()->sizeHint().height() +
                           5 * holes_->verticalHeader()->defaultSectionSize() + 4);
  connect(holes_, &QTableWidget::itemChanged, this, &PartEditor::holeItemChanged);
  holes_->setItemDelegate(new CellDelegate(
      [this](int row, int column, const QString& text) { holeCellTyped(row, column, text); },
      holes_));
  layout->addWidget(holes_, 1);

  holeProblems_ = NewProblemLabel(box);
  layout->addWidget(holeProblems_);
  auto* buttons = new QHBoxLayout;
  layout->addLayout(buttons);
  addHole_ = new QPushButton(tr("Add hole"), box);
  addHole_->setObjectName(QStringLiteral("addHole"));
  removeHole_ = new QPushButton(tr("Remove hole"), box);
  removeHole_->setObjectName(QStringLiteral("removeHole"));
  removeHole_->setEnabled(false);
  connect(addHole_, &QPushButton::clicked, this, &PartEditor::addHole);
  connect(removeHole_, &QPushButton::clicked, this, &PartEditor::removeHole);
  connect(holes_, &QTableWidget::currentCellChanged, this,
          [this](int row) { removeHole_->setEnabled(row >= 0); });
  buttons->addWidget(addHole_);
  buttons->addWidget(removeHole_);
  buttons->addStretch(1);
  return box;
}

void PartEditor::setPart(const Part& part) {
  part_ = part;
  unreadable_.clear();
  fillFields();
  fillHoles();
  check(part_, true);
}

void PartEditor::fillFields() {
  Part shown = part_;
  for (const auto& field : fields_)
    field->edit->setText(field->shown(shown));
  for (const auto& end : ends_) {
    const PartEnd& values = EndOf(shown, end->end);
    for (const auto& [field, choice] : end->choices)
      choice->setCurrentIndex(static_cast<int>(values.*field->choice));
    for (const auto& [field, check] : end->flags)
      check->setChecked(values.*field->flag);
  }
}

void PartEditor::fillHoles() {
  const QSignalBlocker blocker(holes_);
  const int rows = static_cast<int>(part_.holes.size());
  holes_->setRowCount(rows);
  for (int row = 0; row < rows; ++row) {
    const PartHole& hole = part_.holes[static_cast<std::size_t>(row)];
    for (int column = 0; column < holes_->columnCount(); ++column) {
      const HoleField& field = HoleColumn(column);
      if (field.number) {
        holes_->setItem(row, column, new QTableWidgetItem(NumberText(hole.*field.number)));
      } else if (field.flag) {
        holes_->setItem(row, column, FlagItem(hole.*field.flag));
      } else {
        auto* choice = new QComboBox;
        for (const char* word : field.words)
          choice->addItem(QString::fromLatin1(word));
        choice->setCurrentIndex(static_cast<int>(hole.*field.choice));
        connect(choice, &QComboBox::activated, this,
                [this, row, value = field.choice](int index) {
                  commit([&](Part& p) {
                    p.holes[static_cast<std::size_t>(row)].*value = static_cast<HoleFit>(index);
                  },
                         true);
                });
        holes_->setCellWidget(row, column, choice);
      }
    }
  }
  addHole_->setEnabled(part_.holes.size() < kMaxPartHoles);
}

void PartEditor::fieldTyped(const PartTextField& field) {
  Part typed = part_;
  const bool read = field.store(field.edit->text(), typed);
  checkTyped(field.place, read, typed);
}

void PartEditor::holeCellTyped(int row, int column, const QString& text) {
  if (!IsNumberColumn(column)) return;
  const HoleField& number = HoleColumn(column);
  Part typed = part_;
  const auto value = ReadNumberText(text.toStdString());
  if (value) typed.holes[static_cast<std::size_t>(row)].*number.number = *value;
  checkTyped({number.field, TubeEnd::None, row + 1}, value.has_value(), typed);
}

void PartEditor::checkTyped(const PartPlace& place, bool read, const Part& typed) {
  const std::vector<PartPlace> kept = unreadable_;
  setUnreadable(place, !read);
  typing_ = true;
  check(typed, false);
  typing_ = false;
  unreadable_ = kept;  // only a finished edit counts
}

void PartEditor::fieldFinished(const PartTextField& field) {
  Part typed = part_;
  const bool read = field.store(field.edit->text(), typed);
  const bool wasUnreadable =
      std::find(unreadable_.begin(), unreadable_.end(), field.place) != unreadable_.end();
  setUnreadable(field.place, !read);
  if (!read) {
    check(part_, false);
    return;
  }
  commit([&](Part& p) { field.store(field.edit->text(), p); }, wasUnreadable);
}

void PartEditor::holeItemChanged(QTableWidgetItem* item) {
  const int row = item->row();
  const auto hole = static_cast<std::size_t>(row);
  const int column = item->column();
  if (column < 0 || column >= static_cast<int>(HoleFields().size())) return;
  const HoleField& field = HoleColumn(column);
  if (field.flag) {
    const bool ticked = item->checkState() == Qt::Checked;
    commit([&](Part& p) { p.holes[hole].*field.flag = ticked; }, true);
    return;
  }
  if (!field.number) return;
  const PartPlace place{field.field, TubeEnd::None, row + 1};
  const auto value = ReadNumberText(item->text().toStdString());
  const bool wasUnreadable =
      std::find(unreadable_.begin(), unreadable_.end(), place) != unreadable_.end();
  setUnreadable(place, !value);
  if (!value) {
    check(part_, false);
    return;
  }
  commit([&](Part& p) { p.holes[hole].*field.number = *value; }, wasUnreadable);
}

void PartEditor::addHole() {
  if (part_.holes.size() >= kMaxPartHoles) return;
  Part before = part_;
  part_.holes.push_back(DefaultPartHole());
  // The table is made again from the part: a hole's text that was not read goes.
  std::erase_if(unreadable_, [](const PartPlace& place) { return place.hole > 0; });
  fillHoles();
  holes_->setCurrentCell(holes_->rowCount() - 1, 0);
  emit partEdited(before, part_);
  check(part_, true);
}

void PartEditor::removeHole() {
  const int row = holes_->currentRow();
  if (row < 0 || row >= static_cast<int>(part_.holes.size())) return;
  Part before = part_;
  part_.holes.erase(part_.holes.begin() + row);
  std::erase_if(unreadable_, [](const PartPlace& place) { return place.hole > 0; });
  fillHoles();
  emit partEdited(before, part_);
  check(part_, true);
}

void PartEditor::commit(const std::function<void(Part&)>& change, bool wantJob) {
  Part after = part_;
  change(after);
  if (after != part_) {
    Part before = std::exchange(part_, std::move(after));
    emit partEdited(before, part_);
    wantJob = true;
  }
  check(part_, wantJob);
}

void PartEditor::check(const Part& part, bool emitJob) {
  PartCheck checked = CheckPart(part);
  problems_.clear();
  for (const PartPlace& place : unreadable_)
    problems_.push_back({place, UnreadableText(place)});
  problems_.insert(problems_.end(), checked.problems.begin(), checked.problems.end());
  showProblems();
  if (emitJob && checked.job && problems_.empty()) emit jobComputed(*checked.job);
}

void PartEditor::setUnreadable(const PartPlace& place, bool unreadable) {
  std::erase(unreadable_, place);
  if (unreadable) unreadable_.push_back(place);
}

void PartEditor::showProblems() {
  std::vector<bool> shown(problems_.size(), false);
  auto textsAt = [&](auto&& belongs) {
    QStringList texts;
    for (std::size_t i = 0; i < problems_.size(); ++i) {
      if (!shown[i] && belongs(problems_[i].place)) {
        texts << QString::fromStdString(problems_[i].text);
        shown[i] = true;
      }
    }
    return texts;
  };
  for (const auto& field : fields_)
    ShowTexts(field->problem, textsAt([&](const PartPlace& p) { return p == field->place; }));
  for (const auto& end : ends_) {
    ShowTexts(end->problem, textsAt([&](const PartPlace& p) { return p.end == end->end; }));
  }

  // A hole's problem marks its cell, or its row when it is about the hole as a whole. A cell
  // being typed in is left alone: a change of its data would put back the text in its editor.
  const QSignalBlocker blocker(holes_);
  const QModelIndex typedIn = typing_ ? holes_->currentIndex() : QModelIndex();
  for (int row = 0; row < holes_->rowCount(); ++row) {
    for (int column = 0; column < holes_->columnCount(); ++column) {
      QTableWidgetItem* item = holes_->item(row, column);
      if (!item || holes_->indexFromItem(item) == typedIn) continue;
      QStringList texts;
      for (const PartProblem& problem : problems_) {
        const bool marked = IsNumberColumn(column)
                                ? HoleColumn(column).field == problem.place.field
                                : problem.place.field == PartField::Whole;
        if (problem.place.hole == row + 1 && marked) texts << QString::fromStdString(problem.text);
      }
      const QVariant tip = texts.isEmpty() ? QVariant() : QVariant(texts.join(QLatin1Char('\n')));
      const QVariant colour = texts.isEmpty() ? QVariant() : QVariant(QBrush(kProblemColour));
      if (item->data(Qt::ToolTipRole) != tip) item->setData(Qt::ToolTipRole, tip);
      if (item->data(Qt::BackgroundRole) != colour) item->setData(Qt::BackgroundRole, colour);
    }
  }
  ShowTexts(holeProblems_, textsAt([](const PartPlace& p) { return p.hole > 0; }));
  ShowTexts(partProblems_, textsAt([](const PartPlace&) { return true; }));
}

QStringList PartEditor::problems() const {
  QStringList texts;
  for (const PartProblem& problem : problems_)
    texts << QString::fromStdString(problem.text);
  return texts;
}

void PartEditor::setSaveStatus(const QString& text, bool refused) {
  saveStatus_->setStyleSheet(refused ? QString::fromLatin1(kProblemStyle) : QString());
  saveStatus_->setText(text);
}

QLineEdit* PartEditor::field(const PartPlace& place) const {
  for (const auto& field : fields_) {
    if (field->place == place) return field->edit;
  }
  return nullptr;
}

QLabel* PartEditor::problemLabel(const PartPlace& place) const {
  for (const auto& field : fields_) {
    if (field->place == place) return field->problem;
  }
  for (const auto& end : ends_) {
    if (place.field == PartField::Whole && place.end == end->end) return end->problem;
  }
  if (place.hole > 0) return holeProblems_;
  return place.field == PartField::Whole ? partProblems_ : nullptr;
}

}  // namespace korvex
