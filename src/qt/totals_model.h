#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "app/cut_list_plan.h"

namespace korvex {

// A plan's figures as a small table: a row per tube and one for all of them, with the sticks
// and their lower bound, the stock, the waste, the longest remnant, the cutting time and
// whether the stick count is proven optimal.
class TotalsModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  enum Column { kTube, kSticks, kStock, kWaste, kRemnant, kCutTime, kProof, kColumns };

  explicit TotalsModel(QObject* parent) : QAbstractTableModel(parent) {}

  void showTotals(std::vector<TubeTotals> totals);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  struct Row;
  // A tube's row, or past the last tube the row of all of them.
  Row rowAt(std::size_t index) const;

  std::vector<TubeTotals> totals_;
};

}  // namespace korvex
