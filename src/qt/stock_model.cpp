#include "qt/stock_model.h"

#include <QBrush>
#include <QPalette>
#include <algorithm>

#include "app/cut_list_document.h"
#include "base/decimal_text.h"

namespace korvex {
namespace {

QString Qs(const std::string& text) {
  return QString::fromStdString(text);
}

bool IsFor(const StockLength& entry, const std::optional<TubeSize>& tube) {
  return entry.tube ? tube && SameTube(*entry.tube, *tube) : !tube;
}

}  // namespace

StockModel::StockModel(CutListDocument& list, QObject* parent)
    : QAbstractTableModel(parent), list_(list) {
  documentChanged();
}

void StockModel::documentChanged() {
  std::vector<TubeSize> tubes = list_.tubes();
  for (const StockLength& entry : list_.settings().stock) {
    if (entry.tube && std::none_of(tubes.begin(), tubes.end(), [&](const TubeSize& tube) {
          return SameTube(tube, *entry.tube);
        }))
      tubes.push_back(*entry.tube);
  }
  if (tubes == tubes_) {
    if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, kColumns - 1));
    return;
  }
  beginResetModel();
  tubes_ = std::move(tubes);
  endResetModel();
}

std::optional<TubeSize> StockModel::tubeAt(int row) const {
  if (row <= 0) return std::nullopt;
  return tubes_[static_cast<std::size_t>(row - 1)];
}

int StockModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(tubes_.size()) + 1;
}

int StockModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumns;
}

QVariant StockModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const auto tube = tubeAt(index.row());
  const auto& stock = list_.settings().stock;
  const auto own = std::find_if(stock.begin(), stock.end(),
                                [&](const StockLength& entry) { return IsFor(entry, tube); });
  if (index.column() == kTube) {
    if (role != Qt::DisplayRole) return {};
    return tube ? Qs(TubeLabel(*tube)) : tr("every tube");
  }
  if (role == Qt::TextAlignmentRole) return QVariant(Qt::AlignRight | Qt::AlignVCenter);
  if (role == Qt::EditRole) return own != stock.end() ? Qs(ShortestText(own->length)) : QString();
  if (role == Qt::ForegroundRole && own == stock.end())
    return QBrush(QPalette().color(QPalette::PlaceholderText));
  if (role != Qt::DisplayRole) return {};
  if (own != stock.end()) return Qs(DecimalText(own->length, 3));
  const auto taken = tube ? StockLengthOf(stock, *tube) : std::nullopt;
  return taken ? tr("%1 (every tube)").arg(Qs(DecimalText(*taken, 3))) : tr("none");
}

QVariant StockModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
  return section == kTube ? tr("Tube") : tr("Stock length (mm)");
}

Qt::ItemFlags StockModel::flags(const QModelIndex& index) const {
  Qt::ItemFlags flags = QAbstractTableModel::flags(index);
  if (index.column() == kLength) flags |= Qt::ItemIsEditable;
  return flags;
}

bool StockModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || index.column() != kLength) return false;
  const auto tube = tubeAt(index.row());
  ShopSettings settings = list_.settings();
  std::erase_if(settings.stock, [&](const StockLength& entry) { return IsFor(entry, tube); });
  const std::string typed = value.toString().trimmed().toStdString();
  if (!typed.empty()) {
    const std::string text =
        tube ? ShortestText(tube->diameter) + "x" + ShortestText(tube->wall) + "=" + typed : typed;
    if (const auto why = ReadStockText(text, settings.stock)) {
      emit refused(tr("Stock of %1 not changed: %2")
                       .arg(data(index.siblingAtColumn(kTube), Qt::DisplayRole).toString(),
                            Qs(*why)));
      return false;
    }
  }
  list_.setSettings(std::move(settings), "stock length");
  return true;
}

}  // namespace korvex
