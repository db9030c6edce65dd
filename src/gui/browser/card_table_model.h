// The browser's table: a Qt model over the core catalogue that shows the
// rows of the last query in the order of the last sort. Searching, filtering
// and ordering all happen in the catalogue; the model only hands cells to
// the view and resets itself when the rows change.
#pragma once

#include <QAbstractTableModel>
#include <cstdint>
#include <vector>

#include "core/catalogue/catalogue.h"

namespace quillet {

class CardTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  CardTableModel(Catalogue& catalogue, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;
  void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

  // Reads the database again; the table is empty until the next setQuery.
  // Throws IoError (the table then stays empty).
  void reload();
  // Runs `query` and shows its rows in the current order. Throws IoError.
  void setQuery(const CatalogueQuery& query);
  // The catalogue index of a row of the table.
  std::uint32_t cardAt(int row) const { return rows_[static_cast<std::size_t>(row)]; }

 private:
  Catalogue& catalogue_;
  std::vector<std::uint32_t> rows_;
  CatalogueColumn sortColumn_ = CatalogueColumn::Name;
  bool descending_ = false;
};

}  // namespace quillet
