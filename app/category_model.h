// CategoryModel: the main list's table model over the CategoryTable of one category.
#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QIcon>
#include <array>

#include "reports/category_table.h"

namespace keelmark {

class CategoryModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit CategoryModel(QObject* parent = nullptr);

  // Shows the table. A table with the same columns and number of rows only changes the cells,
  // so that the list keeps its scroll position and current row.
  void SetTable(Table table);
  [[nodiscard]] const Table& GetTable() const { return table_; }

  // The text colour and the text background of every cell.
  void SetColors(const QColor& text, const QColor& background);

  [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
  [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
  [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
  [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                    int role) const override;

 private:
  Table table_;
  QColor text_;
  QColor background_;
  std::array<QIcon, kRowImageCount> rowIcons_;
};

// The row icon of a row image index (the list's image list).
[[nodiscard]] QIcon RowImageIcon(int image);

}  // namespace keelmark
