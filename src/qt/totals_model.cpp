#include "qt/totals_model.h"

#include "base/decimal_text.h"
#include "gcode/machine_program.h"

namespace korvex {
namespace {

QString Qs(const std::string& text) {
  return QString::fromStdString(text);
}

double Stock(const TubeTotals& tube) {
  return tube.sticks * tube.stockLength;
}

}  // namespace

void TotalsModel::showTotals(std::vector<TubeTotals> totals) {
  beginResetModel();
  totals_ = std::move(totals);
  endResetModel();
}

int TotalsModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid() || totals_.empty()) return 0;
  return static_cast<int>(totals_.size()) + (totals_.size() > 1 ? 1 : 0);
}

int TotalsModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumns;
}

// One row of the table: a tube, or all of them with the stock they take together.
struct TotalsModel::Row {
  QString tube;
  QString stock;
  TubeTotals figures;
  double allStock = 0;
};

TotalsModel::Row TotalsModel::rowAt(std::size_t index) const {
  if (index < totals_.size()) {
    const TubeTotals& tube = totals_[index];
    return {Qs(tube.tube),
            tr("%1 x %2").arg(tube.sticks).arg(Qs(DecimalText(tube.stockLength, 3))), tube,
            Stock(tube)};
  }
  Row sum{tr("All tubes"), {}, {"", 0, 0, true, 0, 0, 0, 0.0, {}}, 0};
  for (const TubeTotals& tube : totals_) {
    TubeTotals& all = sum.figures;
    all.sticks += tube.sticks;
    all.lowerBound += tube.lowerBound;
    all.provenOptimal = all.provenOptimal && tube.provenOptimal;
    all.ownLength += tube.ownLength;
    all.longestRemnant = std::max(all.longestRemnant, tube.longestRemnant);
    all.cutSeconds = all.cutSeconds && tube.cutSeconds
                         ? std::optional<double>(*all.cutSeconds + *tube.cutSeconds)
                         : std::nullopt;
    sum.allStock += Stock(tube);
  }
  sum.stock = Qs(DecimalText(sum.allStock, 3));
  return sum;
}

QVariant TotalsModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  if (role == Qt::TextAlignmentRole && index.column() != kTube && index.column() != kProof)
    return QVariant(Qt::AlignRight | Qt::AlignVCenter);
  if (role != Qt::DisplayRole) return {};
  const Row row = rowAt(static_cast<std::size_t>(index.row()));
  const TubeTotals& figures = row.figures;
  switch (index.column()) {
    case kTube:
      return row.tube;
    case kSticks:
      return tr("%1 / %2").arg(figures.sticks).arg(figures.lowerBound);
    case kStock:
      return row.stock;
    case kWaste:
      return Qs(DecimalText(row.allStock > 0 ? 100 * (1 - figures.ownLength / row.allStock) : 0, 1));
    case kRemnant:
      return Qs(DecimalText(figures.longestRemnant, 1));
    case kCutTime:
      return figures.cutSeconds ? Qs(FormatCutTime(*figures.cutSeconds)) : QString();
    case kProof:
      return figures.provenOptimal ? tr("proven optimal") : tr("best found");
    default:
      return {};
  }
}

QVariant TotalsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
  static const char* const kHeaders[kColumns] = {
      "Tube", "Sticks / bound", "Stock (mm)", "Waste %", "Longest remnant", "Cut time", "Stick count"};
  return tr(kHeaders[section]);
}

}  // namespace korvex
