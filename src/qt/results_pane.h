#pragma once

#include <QWidget>

class QLabel;
class QTableView;

namespace korvex {

class PlanView;
class ShopSession;
class TotalsModel;

// The plan last made: what it was made from, or why it is out of date, above its figures per
// tube and the sticks drawn; or why the last nest or write made none.
class ResultsPane : public QWidget {
  Q_OBJECT

 public:
  ResultsPane(ShopSession& session, QWidget* parent);

  // The session changed: a set of ShopSession::Change.
  void sessionChanged(unsigned what);

  PlanView* planView() const { return plan_; }
  QTableView* totalsTable() const { return totals_; }
  QString banner() const;

 private:
  void showPlan();
  void showBanner();

  ShopSession& session_;
  QLabel* banner_;
  TotalsModel* totalsModel_;
  QTableView* totals_;
  PlanView* plan_;
};

}  // namespace korvex
