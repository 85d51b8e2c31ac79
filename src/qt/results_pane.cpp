#include "qt/results_pane.h"

#include <QHeaderView>
#include <QLabel>
#include <QScrollArea>
#include <QTableView>
#include <QVBoxLayout>

#include "app/shop_session.h"
#include "qt/plan_view.h"
#include "qt/totals_model.h"

namespace korvex {
namespace {

constexpr int kTotalsRows = 4;  // a few tubes and all of them, without scrolling

}  // namespace

ResultsPane::ResultsPane(ShopSession& session, QWidget* parent)
    : QWidget(parent), session_(session) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  banner_ = new QLabel(this);
  banner_->setObjectName(QStringLiteral("planBanner"));
  banner_->setWordWrap(true);
  banner_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  totalsModel_ = new TotalsModel(this);
  totals_ = new QTableView(this);
  totals_->setObjectName(QStringLiteral("totals"));
  totals_->setModel(totalsModel_);
  totals_->verticalHeader()->hide();
  totals_->verticalHeader()->setDefaultSectionSize(totals_->fontMetrics().height() + 8);
  totals_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  totals_->horizontalHeader()->setStretchLastSection(true);
  totals_->setFixedHeight(totals_->horizontalHeader()->sizeHint().height() +
                          kTotalsRows * totals_->verticalHeader()->defaultSectionSize() + 4);
  plan_ = new PlanView(this);
  auto* scroll = new QScrollArea(this);
  scroll->setWidget(plan_);
  scroll->setWidgetResizable(true);
  layout->addWidget(banner_);
  layout->addWidget(totals_);
  layout->addWidget(scroll, 1);
  showPlan();
}

void ResultsPane::sessionChanged(unsigned what) {
  if (what & ShopSession::kPlan) showPlan();
  showBanner();
}

void ResultsPane::showPlan() {
  const auto& plan = session_.plan();
  totalsModel_->showTotals(plan ? plan->totals : std::vector<TubeTotals>{});
  if (plan)
    plan_->showPlan(plan->sheet);
  else
    plan_->clear();
  totals_->setVisible(plan.has_value());
}

void ResultsPane::showBanner() {
  const auto& plan = session_.plan();
  const auto outOfDate = session_.planOutOfDate();
  plan_->setOutOfDate(outOfDate.has_value());
  QString text;
  QString style;
  if (const auto problems = session_.jobProblems()) {
    text = tr("No plan:\n%1").arg(QString::fromStdString(*problems));
    style = QStringLiteral("color: #c00000;");
  } else if (!plan) {
    text = tr("No plan yet.");
  } else if (outOfDate) {
    text = tr("OUT OF DATE: %1. Nest again (F5) for the list as it is.\nMade from %2")
               .arg(QString::fromStdString(*outOfDate), QString::fromStdString(plan->madeFrom));
    style = QStringLiteral("color: #a04000; font-weight: bold;");
  } else {
    text = tr("Plan of %1").arg(QString::fromStdString(plan->madeFrom));
  }
  banner_->setStyleSheet(style);
  banner_->setText(text);
}

QString ResultsPane::banner() const {
  return banner_->text();
}

}  // namespace korvex
