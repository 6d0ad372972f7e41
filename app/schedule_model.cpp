#include "app/schedule_model.h"

#include "platform/qt_text.h"

namespace keelmark {

namespace {

struct ColumnLook {
  const char* head;
  int width;
  bool right;
};

constexpr ColumnLook kColumns[ScheduleModel::kColumnCount] = {{"Name", 100, false},
                                                              {"Speed", 80, true},
                                                              {"RPM", 80, true},
                                                              {"ETA", 130, true},
                                                              {"ETD", 130, true}};

}  // namespace

ScheduleModel::ScheduleModel(QObject* parent) : QAbstractTableModel(parent) {}

void ScheduleModel::SetRows(std::vector<ScheduleRow> rows) {
  beginResetModel();
  rows_ = std::move(rows);
  endResetModel();
}

int ScheduleModel::ColumnWidth(Column column) { return kColumns[column].width; }

int ScheduleModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ScheduleModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumnCount;
}

QVariant ScheduleModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount() || index.column() >= kColumnCount) return {};
  if (role == Qt::TextAlignmentRole) {
    return QVariant::fromValue((kColumns[index.column()].right ? Qt::AlignRight : Qt::AlignLeft) |
                               Qt::AlignVCenter);
  }
  if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
  const ScheduleRow& row = rows_[static_cast<std::size_t>(index.row())];
  switch (static_cast<Column>(index.column())) {
    case Name:
      return ToQString(row.name);
    case Speed:
      return ToQString(row.speed);
    case Rpm:
      return ToQString(row.rpm);
    case Eta:
      return ToQString(row.eta);
    case Etd:
      return ToQString(row.etd);
    case kColumnCount:
      break;
  }
  return {};
}

QVariant ScheduleModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= kColumnCount) return {};
  if (role == Qt::DisplayRole) return QString::fromLatin1(kColumns[section].head);
  if (role == Qt::TextAlignmentRole) {
    return QVariant::fromValue((kColumns[section].right ? Qt::AlignRight : Qt::AlignLeft) |
                               Qt::AlignVCenter);
  }
  return {};
}

}  // namespace keelmark
