#include "app/zone_entry.h"

#include <cmath>

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>

#include "app/number_edit.h"

namespace keelmark {

namespace {

constexpr const char* kAheadOfUtc = "Ahead of UTC (East)";
constexpr const char* kSlowOnUtc = "Slow on UTC (West)";
// Hours to days, as every stored zone offset is converted.
constexpr double kDaysPerHour = 0.041666666666666664;

}  // namespace

ZoneEntry::ZoneEntry(const QString& field, double limitHours, Sign sign, const QString& unit,
                     QWidget* parent)
    : QWidget(parent),
      hours_(new NumberEdit(field, NumberEdit::Kind::Decimal, NumberRange{-limitHours, limitHours},
                            this)) {
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  hours_->setMaximumWidth(60);
  row->addWidget(hours_);
  if (!unit.isEmpty()) row->addWidget(new QLabel(unit, this));
  connect(hours_, &QLineEdit::textEdited, this, &ZoneEntry::Edited);
  if (sign == Sign::FromCombo) {
    sign_ = new QComboBox(this);
    sign_->setAccessibleName(field);
    sign_->addItems({QString::fromLatin1(kAheadOfUtc), QString::fromLatin1(kSlowOnUtc)});
    connect(sign_, &QComboBox::activated, this, &ZoneEntry::Edited);
    row->addWidget(sign_);
  }
  row->addStretch(1);
}

void ZoneEntry::SetDays(double days) {
  shownDays_ = days;
  const double hours = days * 24.0;
  if (sign_) {
    hours_->SetValue(std::fabs(hours));
    sign_->setCurrentIndex(hours < 0.0 ? 1 : 0);
    shownSign_ = sign_->currentIndex();
  } else {
    hours_->SetValue(hours);
  }
  shownHours_ = hours_->text();
}

bool ZoneEntry::Unchanged() const {
  return hours_->text() == shownHours_ && (!sign_ || sign_->currentIndex() == shownSign_);
}

std::optional<double> ZoneEntry::Days() const {
  if (Unchanged()) return shownDays_;
  std::optional<double> hours = hours_->Value();
  if (!hours) return std::nullopt;
  if (sign_ && sign_->currentIndex() == 1) *hours = -std::fabs(*hours);
  if (sign_ && sign_->currentIndex() == 0) *hours = std::fabs(*hours);
  return *hours * kDaysPerHour;
}

QString ZoneEntry::Problem() const { return hours_->Problem(); }

}  // namespace keelmark
