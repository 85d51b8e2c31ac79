#include "qt/cut_list_model.h"

#include <QBrush>
#include <filesystem>

#include "app/cut_list_document.h"
#include "base/decimal_text.h"

namespace korvex {
namespace {

QString Qs(const std::string& text) {
  return QString::fromStdString(text);
}

const QColor kProblemColour(180, 0, 0);

}  // namespace

CutListModel::CutListModel(CutListDocument& list, QObject* parent)
    : QAbstractTableModel(parent), list_(list) {}

void CutListModel::documentChanged(unsigned what) {
  if (what & CutListDocument::kRows) {
    beginResetModel();
    endResetModel();
    return;
  }
  if (rowCount() == 0) return;
  if (what & CutListDocument::kRowValues)
    emit dataChanged(index(0, 0), index(rowCount() - 1, kColumns - 1));
  if (what & CutListDocument::kSummaries)
    emit dataChanged(index(0, kTube), index(rowCount() - 1, kLength));
  if (what & CutListDocument::kFile)
    emit dataChanged(index(0, kFile), index(rowCount() - 1, kFile));
}

int CutListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(list_.rows().size());
}

int CutListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumns;
}

QString CutListModel::fileText(int row) const {
  namespace fs = std::filesystem;
  const fs::path file(list_.partPath(static_cast<std::size_t>(row)));
  // A part held in memory names the file it will be saved as.
  const QString held = list_.heldPart(file.string()) ? tr(" (not saved)") : QString();
  if (list_.path().empty() && !held.isEmpty()) return Qs(file.filename().string()) + held;
  if (list_.path().empty()) return Qs(file.string());
  const fs::path relative = file.lexically_relative(fs::path(list_.path()).parent_path());
  return Qs(relative.empty() ? file.string() : relative.string()) + held;
}

QVariant CutListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const auto r = static_cast<std::size_t>(index.row());
  const CutListRow& row = list_.rows()[r];
  const PartSummary* part = list_.summary(r);
  const bool broken = part && part->failure;
  if (role == Qt::DisplayRole || role == Qt::EditRole) {
    switch (index.column()) {
      case kName:
        return Qs(row.name);
      case kQuantity:
        return role == Qt::EditRole ? QVariant(QString::number(row.quantity))
                                    : QVariant(row.quantity);
      case kFile:
        return fileText(index.row());
      case kTube:
        if (!part) return tr("reading...");
        return broken ? tr("cannot be used") : Qs(part->tube);
      case kLength:
        return part && !broken ? Qs(DecimalText(part->length, 3)) : QString();
      default:
        return {};
    }
  }
  if (role == Qt::ToolTipRole && broken && index.column() >= kTube) return Qs(*part->failure);
  if (role == Qt::ForegroundRole && broken && index.column() >= kTube)
    return QBrush(kProblemColour);
  if (role == Qt::TextAlignmentRole && (index.column() == kQuantity || index.column() == kLength))
    return QVariant(Qt::AlignRight | Qt::AlignVCenter);
  return {};
}

QVariant CutListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  switch (section) {
    case kName:
      return tr("Name");
    case kQuantity:
      return tr("Qty");
    case kFile:
      return tr("File");
    case kTube:
      return tr("Tube");
    case kLength:
      return tr("Length");
    default:
      return {};
  }
}

Qt::ItemFlags CutListModel::flags(const QModelIndex& index) const {
  Qt::ItemFlags flags = QAbstractTableModel::flags(index);
  if (index.column() == kName || index.column() == kQuantity) flags |= Qt::ItemIsEditable;
  return flags;
}

bool CutListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || !index.isValid()) return false;
  const auto row = static_cast<std::size_t>(index.row());
  const std::string text = value.toString().toStdString();
  const auto refusal = index.column() == kName ? list_.rename(row, text)
                                               : list_.setQuantity(row, text);
  if (refusal) emit refused(tr("Not changed: %1").arg(Qs(*refusal)));
  return !refusal;
}

}  // namespace korvex
