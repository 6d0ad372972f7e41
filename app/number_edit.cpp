#include "app/number_edit.h"

#include <cmath>

namespace keelmark {

namespace {

constexpr const char* kEnterNumber = "%1: please enter a number.";
constexpr const char* kEnterWhole = "%1: please enter a whole number.";
constexpr const char* kEnterNumberBetween = "%1: please enter a number between %2 and %3.";
constexpr const char* kEnterWholeBetween = "%1: please enter a whole number between %2 and %3.";

}  // namespace

NumberEdit::NumberEdit(const QString& field, Kind kind, std::optional<NumberRange> range,
                       QWidget* parent)
    : QLineEdit(parent), field_(field), kind_(kind), range_(range) {
  setAccessibleName(field);
  setMaximumWidth(110);
}

QString NumberEdit::Text(double value, Kind kind, int decimals) {
  if (kind == Kind::Whole && std::isfinite(value)) {
    return QString::number(static_cast<long long>(std::trunc(value)));
  }
  if (decimals < 0 || !std::isfinite(value)) return QString::number(value, 'g', 10);
  QString text = QString::number(value, 'f', decimals);
  if (text.contains(QLatin1Char('.'))) {
    while (text.endsWith(QLatin1Char('0'))) text.chop(1);
    if (text.endsWith(QLatin1Char('.'))) text.chop(1);
  }
  return text;
}

void NumberEdit::SetValue(double value) { setText(Text(value, kind_, decimals_)); }

std::optional<double> NumberEdit::Value() const {
  const QString typed = text().trimmed();
  bool ok = false;
  if (kind_ == Kind::Whole) {
    const int whole = typed.toInt(&ok);
    if (!ok) return std::nullopt;
    return whole;
  }
  // QString::toDouble reads the "C" notation whatever the user's locale.
  const double value = typed.toDouble(&ok);
  if (!ok || !std::isfinite(value)) return std::nullopt;
  return value;
}

QString NumberEdit::Problem() const {
  const std::optional<double> value = Value();
  const bool whole = kind_ == Kind::Whole;
  if (range_ && (!value || *value < range_->minimum || *value > range_->maximum)) {
    return QString::fromLatin1(whole ? kEnterWholeBetween : kEnterNumberBetween)
        .arg(field_, Text(range_->minimum, kind_), Text(range_->maximum, kind_));
  }
  if (!value) return QString::fromLatin1(whole ? kEnterWhole : kEnterNumber).arg(field_);
  return {};
}

}  // namespace keelmark
