#include "qt/nesting_panel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "app/cut_list_document.h"
#include "app/machine_profiles.h"
#include "base/decimal_text.h"
#include "qt/progress_strip.h"
#include "qt/stock_model.h"

namespace korvex {
namespace {

QString Qs(const std::string& text) {
  return QString::fromStdString(text);
}

QString OptionalText(const std::optional<double>& value) {
  return value ? Qs(ShortestText(*value)) : QString();
}

constexpr int kStockRows = 4;  // rows of the stock table shown without scrolling

}  // namespace

NestingPanel::NestingPanel(CutListDocument& list, QWidget* parent)
    : QWidget(parent), list_(list) {
  auto* layout = new QVBoxLayout(this);
  buildFields(*layout);
  buildButtons(*layout);
  listChanged();
}

void NestingPanel::buildFields(QVBoxLayout& layout) {
  stockModel_ = new StockModel(list_, this);
  stock_ = new QTableView(this);
  stock_->setObjectName(QStringLiteral("stock"));
  stock_->setModel(stockModel_);
  stock_->verticalHeader()->hide();
  stock_->verticalHeader()->setDefaultSectionSize(stock_->fontMetrics().height() + 8);
  stock_->horizontalHeader()->setStretchLastSection(true);
  stock_->setEditTriggers(QAbstractItemView::AllEditTriggers);
  stock_->setFixedHeight(stock_->horizontalHeader()->sizeHint().height() +
                         kStockRows * stock_->verticalHeader()->defaultSectionSize() + 4);
  connect(stockModel_, &StockModel::refused, this, &NestingPanel::refused);
  layout.addWidget(stock_);

  auto* grid = new QGridLayout;
  layout.addLayout(grid);
  kerf_ = new QLineEdit(this);
  kerf_->setPlaceholderText(tr("the profile's"));
  trim_ = new QLineEdit(this);
  trim_->setPlaceholderText(tr("none"));
  machine_ = new QComboBox(this);
  for (const MachineEntry& entry : LoadMachineEntries(UserMachinesFolder())) {
    if (entry.profile) machine_->addItem(Qs(entry.name), Qs(entry.path.empty() ? entry.name : entry.path));
  }
  templates_ = new QComboBox(this);
  templates_->addItems({tr("no templates"), tr("PDF templates"), tr("SVG templates")});
  paper_ = new QComboBox(this);
  for (const char* name : {"a4", "letter", "a4-landscape", "letter-landscape"})
    paper_->addItem(QString::fromLatin1(name));
  const std::pair<const char*, QWidget*> rows[] = {
      {"Kerf (mm)", kerf_}, {"Trim (mm)", trim_}, {"Machine", machine_}};
  for (int r = 0; r < 3; ++r) {
    grid->addWidget(new QLabel(tr(rows[r].first), this), r, 0);
    grid->addWidget(rows[r].second, r, 1);
  }
  grid->addWidget(new QLabel(tr("Write"), this), 3, 0);
  auto* writing = new QHBoxLayout;
  writing->addWidget(templates_, 1);
  writing->addWidget(paper_, 1);
  grid->addLayout(writing, 3, 1);
  connect(kerf_, &QLineEdit::editingFinished, this, [this] { numberTyped(kerf_, "kerf"); });
  connect(trim_, &QLineEdit::editingFinished, this, [this] { numberTyped(trim_, "trim"); });
  for (QComboBox* choice : {machine_, templates_, paper_})
    connect(choice, &QComboBox::activated, this, &NestingPanel::choiceMade);
}

void NestingPanel::buildButtons(QVBoxLayout& layout) {
  auto* buttons = new QHBoxLayout;
  layout.addLayout(buttons);
  nest_ = new QPushButton(tr("Nest (F5)"), this);
  nest_->setObjectName(QStringLiteral("nest"));
  write_ = new QPushButton(tr("Write All..."), this);
  write_->setObjectName(QStringLiteral("writeAll"));
  cancel_ = new QPushButton(tr("Cancel (Esc)"), this);
  cancel_->setObjectName(QStringLiteral("cancel"));
  sheet_ = new QPushButton(tr("Open Cut Sheet"), this);
  sheet_->setObjectName(QStringLiteral("openSheet"));
  for (QPushButton* button : {nest_, write_, cancel_, sheet_}) {
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    buttons->addWidget(button);
  }
  progress_ = new ProgressStrip(this);
  layout.addWidget(progress_);
  notice_ = new QLabel(this);
  notice_->setObjectName(QStringLiteral("notice"));
  notice_->setFixedHeight(2 * notice_->fontMetrics().height() + 4);
  notice_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
  notice_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
  notice_->setWordWrap(true);
  layout.addWidget(notice_);
  layout.addStretch(1);
  setBusy(false);
}

void NestingPanel::listChanged() {
  stockModel_->documentChanged();
  const ShopSettings& settings = list_.settings();
  if (!kerf_->hasFocus()) kerf_->setText(OptionalText(settings.kerf));
  if (!trim_->hasFocus()) trim_->setText(OptionalText(settings.trim));
  int machine = machine_->findText(Qs(settings.machine));
  if (machine < 0) {
    machine_->addItem(Qs(settings.machine), Qs(settings.machine));
    machine = machine_->count() - 1;
  }
  machine_->setCurrentIndex(machine);
  templates_->setCurrentIndex(!settings.templates                                  ? 0
                              : settings.templates == ShopOutput::PdfTemplate      ? 1
                                                                                   : 2);
  paper_->setCurrentText(Qs(PaperName(settings.paper)));
  paper_->setEnabled(settings.templates == ShopOutput::PdfTemplate);
}

void NestingPanel::numberTyped(QLineEdit* field, const QString& what) {
  ShopSettings settings = list_.settings();
  std::optional<double>& value = field == kerf_ ? settings.kerf : settings.trim;
  const std::string typed = field->text().trimmed().toStdString();
  if (typed.empty()) {
    value.reset();
  } else {
    auto read = field == kerf_ ? ReadKerfText(typed) : ReadTrimText(typed);
    if (const auto* why = std::get_if<std::string>(&read)) {
      emit refused(tr("Not changed: the %1 %2").arg(what, Qs(*why)));
      return;
    }
    value = std::get<double>(read);
  }
  list_.setSettings(std::move(settings), what.toStdString());
}

void NestingPanel::choiceMade() {
  ShopSettings settings = list_.settings();
  settings.machine = machine_->currentText().toStdString();
  const int templates = templates_->currentIndex();
  settings.templates = templates == 0   ? std::nullopt
                       : templates == 1 ? std::optional(ShopOutput::PdfTemplate)
                                        : std::optional(ShopOutput::SvgTemplate);
  settings.paper = PaperNamed(paper_->currentText().toStdString()).value_or(Paper::A4);
  list_.setSettings(std::move(settings), "machine and outputs");
}

void NestingPanel::setBusy(bool busy) {
  for (QWidget* widget : {static_cast<QWidget*>(nest_), static_cast<QWidget*>(write_),
                          static_cast<QWidget*>(stock_), static_cast<QWidget*>(kerf_),
                          static_cast<QWidget*>(trim_), static_cast<QWidget*>(machine_),
                          static_cast<QWidget*>(templates_)})
    widget->setEnabled(!busy);
  paper_->setEnabled(!busy && list_.settings().templates == ShopOutput::PdfTemplate);
  cancel_->setEnabled(busy);
}

void NestingPanel::showNotice(const QString& text, bool problem) {
  notice_->setStyleSheet(problem ? QStringLiteral("color: #c00000;") : QString());
  notice_->setText(text);
  notice_->setToolTip(text);
}

}  // namespace korvex
