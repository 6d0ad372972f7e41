// ScheduleModel: the table of the "Master Schedule" dialog, one row per port call.
#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "voyage/master_schedule.h"

namespace keelmark {

class ScheduleModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  enum Column { Name, Speed, Rpm, Eta, Etd, kColumnCount };

  explicit ScheduleModel(QObject* parent = nullptr);

  // Shows these rows instead of the ones shown.
  void SetRows(std::vector<ScheduleRow> rows);
  // The width a column opens with, pixels.
  [[nodiscard]] static int ColumnWidth(Column column);

  [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
  [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
  [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
  [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                    int role) const override;

 private:
  std::vector<ScheduleRow> rows_;
};

}  // namespace keelmark
