// NumberEdit: a one-line field for a number, with the field's name and range for its check.
#pragma once

#include <optional>

#include <QLineEdit>
#include <QString>

namespace keelmark {

// The closed range a bounded field accepts.
struct NumberRange {
  double minimum = 0.0;
  double maximum = 0.0;
};

class NumberEdit : public QLineEdit {
  Q_OBJECT

 public:
  enum class Kind { Decimal, Whole };

  // `field` names the field in messages (a label such as "Wind speed"); it is also the
  // field's accessible name.
  NumberEdit(const QString& field, Kind kind, std::optional<NumberRange> range = std::nullopt,
             QWidget* parent = nullptr);

  // Shows a value: whole numbers with "%d", others with up to ten significant digits, or with
  // at most the decimals set here (trailing zeros dropped).
  void SetValue(double value);
  void SetMaximumDecimals(int decimals) { decimals_ = decimals; }
  // The number typed, or nothing when the text is not a finite number (of the field's kind).
  [[nodiscard]] std::optional<double> Value() const;
  // Why the text cannot be taken: not a number, or outside the range. Empty when it can.
  [[nodiscard]] QString Problem() const;
  // The value of the text, or `fallback` when it has none (for figures computed as the user
  // types).
  [[nodiscard]] double ValueOr(double fallback) const { return Value().value_or(fallback); }

  [[nodiscard]] const QString& Field() const { return field_; }
  [[nodiscard]] const std::optional<NumberRange>& Range() const { return range_; }

  // The text a value is shown with in a field of this kind (decimals < 0: ten digits).
  [[nodiscard]] static QString Text(double value, Kind kind, int decimals = -1);

 private:
  QString field_;
  Kind kind_;
  std::optional<NumberRange> range_;
  int decimals_ = -1;
};

}  // namespace keelmark
