#include "app/category_model.h"

#include "app/program_resources.h"
#include "platform/qt_text.h"

namespace keelmark {
namespace {

// The icon files of the row images, in image-list order.
constexpr std::array<const char*, kRowImageCount> kRowImageFiles = {
    ":/icons/row-waypoint.svg", ":/icons/row-passed.svg",      ":/icons/row-fix-past.svg",
    ":/icons/row-chart.svg",    ":/icons/row-storm.svg",       ":/icons/row-port.svg",
    ":/icons/row-forecast.svg", ":/icons/row-fix-current.svg", ":/icons/row-warning.svg"};

bool SameColumns(const ColumnSet& a, const ColumnSet& b) {
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i].text != b[i].text || a[i].align != b[i].align || a[i].width != b[i].width) {
      return false;
    }
  }
  return true;
}

Qt::Alignment CellAlignment(Alignment align) {
  return (align == Alignment::Right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
}

}  // namespace

QIcon RowImageIcon(int image) {
  if (image < 0 || image >= kRowImageCount) return {};
  return QIcon(QString::fromLatin1(kRowImageFiles[static_cast<std::size_t>(image)]));
}

CategoryModel::CategoryModel(QObject* parent) : QAbstractTableModel(parent) {
  UseProgramResources();
  for (int i = 0; i < kRowImageCount; ++i) rowIcons_[static_cast<std::size_t>(i)] = RowImageIcon(i);
}

void CategoryModel::SetTable(Table table) {
  if (SameColumns(table.columns, table_.columns) && table.rows.size() == table_.rows.size()) {
    table_ = std::move(table);
    if (!table_.rows.empty()) {
      emit dataChanged(index(0, 0), index(rowCount() - 1, kListColumnCount - 1));
    }
    return;
  }
  beginResetModel();
  table_ = std::move(table);
  endResetModel();
}

void CategoryModel::SetColors(const QColor& text, const QColor& background) {
  text_ = text;
  background_ = background;
  if (!table_.rows.empty()) {
    emit dataChanged(index(0, 0), index(rowCount() - 1, kListColumnCount - 1),
                     {Qt::ForegroundRole, Qt::BackgroundRole});
  }
}

int CategoryModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(table_.rows.size());
}

int CategoryModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kListColumnCount;
}

QVariant CategoryModel::data(const QModelIndex& index, int role) const {
  if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) {
    return {};
  }
  const Row& row = table_.rows[static_cast<std::size_t>(index.row())];
  const auto column = static_cast<std::size_t>(index.column());
  switch (role) {
    case Qt::DisplayRole:
      return ToQString(row.cells[column]);
    case Qt::ToolTipRole:
      // The columns keep their fixed widths; the whole text of a cut-off cell is a hover away.
      return row.cells[column].empty() ? QVariant() : QVariant(ToQString(row.cells[column]));
    case Qt::DecorationRole:
      if (column == 0 && row.image >= 0 && row.image < kRowImageCount) {
        return rowIcons_[static_cast<std::size_t>(row.image)];
      }
      return {};
    case Qt::TextAlignmentRole:
      return static_cast<int>(CellAlignment(table_.columns[column].align));
    case Qt::ForegroundRole:
      return text_.isValid() ? QVariant(text_) : QVariant();
    case Qt::BackgroundRole:
      return background_.isValid() ? QVariant(background_) : QVariant();
    default:
      return {};
  }
}

QVariant CategoryModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= kListColumnCount) return {};
  const Column& column = table_.columns[static_cast<std::size_t>(section)];
  switch (role) {
    case Qt::DisplayRole:
      return ToQString(column.text);
    case Qt::TextAlignmentRole:
      return static_cast<int>(CellAlignment(column.align));
    default:
      return {};
  }
}

}  // namespace keelmark
