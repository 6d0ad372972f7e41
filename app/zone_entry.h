// ZoneEntry: a record's local time offset entered in hours (stored in days), optionally as a
// size and a combo "Ahead of UTC (East)" / "Slow on UTC (West)" for its sign.
#pragma once

#include <optional>

#include <QString>
#include <QWidget>

class QComboBox;

namespace keelmark {

class NumberEdit;

class ZoneEntry : public QWidget {
  Q_OBJECT

 public:
  enum class Sign { InHours, FromCombo };

  // Hours within -limitHours..limitHours; `field` names the field in messages and `unit` is the
  // text shown after the hours ("+ UTC", "hrs").
  ZoneEntry(const QString& field, double limitHours, Sign sign, const QString& unit,
            QWidget* parent = nullptr);

  // Shows an offset in days as hours (with the combo: its size, the sign in the combo).
  void SetDays(double days);
  // The offset entered, in days (hours x 1/24); the one last shown when nothing changed since;
  // nothing when the hours are not a number.
  [[nodiscard]] std::optional<double> Days() const;
  [[nodiscard]] QString Problem() const;

  [[nodiscard]] NumberEdit* HoursEdit() const { return hours_; }
  [[nodiscard]] QComboBox* SignBox() const { return sign_; }  // none with Sign::InHours

 signals:
  void Edited();

 private:
  [[nodiscard]] bool Unchanged() const;

  NumberEdit* hours_;
  QComboBox* sign_ = nullptr;
  double shownDays_ = 0.0;
  QString shownHours_;
  int shownSign_ = 0;
};

}  // namespace keelmark
