#include "gui/browser/card_table_model.h"

#include "gui/platform/card_text_codec.h"

namespace quillet {

CardTableModel::CardTableModel(Catalogue& catalogue, QObject* parent)
    : QAbstractTableModel(parent), catalogue_(catalogue) {}

int CardTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int CardTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kCatalogueColumnCount;
}

QVariant CardTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount() || index.column() >= kCatalogueColumnCount) {
    return {};
  }
  const auto column = static_cast<CatalogueColumn>(index.column());
  if (role == Qt::DisplayRole) {
    return FromCardBytes(catalogue_.Cell(cardAt(index.row()), column));
  }
  if (role == Qt::TextAlignmentRole && CatalogueColumns()[index.column()].numeric) {
    return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
  }
  return {};
}

QVariant CardTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= kCatalogueColumnCount) {
    return QAbstractTableModel::headerData(section, orientation, role);
  }
  if (role == Qt::DisplayRole) {
    return FromCardBytes(CatalogueColumns()[section].caption);
  }
  return {};
}

void CardTableModel::sort(int column, Qt::SortOrder order) {
  if (column < 0 || column >= kCatalogueColumnCount) return;
  sortColumn_ = static_cast<CatalogueColumn>(column);
  descending_ = order == Qt::DescendingOrder;
  emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  // The selection follows its cards to their new rows.
  const QModelIndexList kept = persistentIndexList();
  std::vector<std::uint32_t> keptCards;
  for (const QModelIndex& index : kept) keptCards.push_back(cardAt(index.row()));
  catalogue_.Sort(rows_, sortColumn_, descending_);
  std::vector<int> rowOf(catalogue_.Size(), -1);
  for (std::size_t row = 0; row < rows_.size(); ++row) rowOf[rows_[row]] = static_cast<int>(row);
  for (qsizetype i = 0; i < kept.size(); ++i) {
    const QModelIndex& from = kept[i];
    changePersistentIndex(from,
                          index(rowOf[keptCards[static_cast<std::size_t>(i)]], from.column()));
  }
  emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void CardTableModel::reload() {
  beginResetModel();
  rows_.clear();
  try {
    catalogue_.Load();
  } catch (...) {
    endResetModel();
    throw;
  }
  endResetModel();
}

void CardTableModel::setQuery(const CatalogueQuery& query) {
  std::vector<std::uint32_t> rows = catalogue_.Query(query);
  catalogue_.Sort(rows, sortColumn_, descending_);
  beginResetModel();
  rows_ = std::move(rows);
  endResetModel();
}

}  // namespace quillet
