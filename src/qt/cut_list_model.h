#pragma once

#include <QAbstractTableModel>

namespace korvex {

class CutListDocument;

// The rows of a cut list as a table: name and quantity (edited in place), the part's file as
// the list names it, and its tube and X LENGTH once read, or why the file cannot be used.
class CutListModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  enum Column { kName, kQuantity, kFile, kTube, kLength, kColumns };

  CutListModel(CutListDocument& list, QObject* parent);

  // The document changed: what, a set of CutListDocument::Change.
  void documentChanged(unsigned what);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;

 signals:
  // An edit the list refused, and why.
  void refused(const QString& why);

 private:
  QString fileText(int row) const;

  CutListDocument& list_;
};

}  // namespace korvex
