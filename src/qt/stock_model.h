#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "app/cut_list_plan.h"

namespace korvex {

class CutListDocument;

// The stock lengths a list is nested with, edited in place: one for every tube, and each
// tube's own, which wins over it. A tube without its own length shows the one it takes.
class StockModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  enum Column { kTube, kLength, kColumns };

  StockModel(CutListDocument& list, QObject* parent);

  // The list's settings or its parts changed: the tubes are listed again.
  void documentChanged();

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;

 signals:
  void refused(const QString& why);

 private:
  // The tube of a row; nothing for the row of every tube.
  std::optional<TubeSize> tubeAt(int row) const;

  CutListDocument& list_;
  std::vector<TubeSize> tubes_;  // the list's tubes, then those with stock of their own
};

}  // namespace korvex
