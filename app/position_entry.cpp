#include "app/position_entry.h"

#include <cmath>

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>

#include "app/number_edit.h"
#include "navigation/navigation.h"

namespace keelmark {

namespace {

constexpr const char* kLatitude = "Latitude";
constexpr const char* kLongitude = "Longitude";
constexpr const char* kNorth = "North";
constexpr const char* kSouth = "South";
constexpr const char* kEast = "East";
constexpr const char* kWest = "West";
constexpr const char* kDegreesPart = "%1 degrees";
constexpr const char* kMinutesPart = "%1 minutes";
constexpr const char* kHemispherePart = "%1 hemisphere";
constexpr const char* kAtMost = "%1: please enter at most %2 degrees.";

}  // namespace

CoordinateEntry::CoordinateEntry(Axis axis, Style style, bool checked, const QString& field,
                                 QWidget* parent)
    : QWidget(parent), axis_(axis), style_(style), checked_(checked), field_(field) {
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  const double limit = Limit();
  const auto range = [checked](double maximum) {
    return checked ? std::optional<NumberRange>(NumberRange{0.0, maximum}) : std::nullopt;
  };
  if (style == Style::DegreesMinutes) {
    degrees_ = new NumberEdit(QString::fromLatin1(kDegreesPart).arg(field), NumberEdit::Kind::Whole,
                              range(limit), this);
    minutes_ = new NumberEdit(QString::fromLatin1(kMinutesPart).arg(field),
                              NumberEdit::Kind::Decimal, range(60.0), this);
    degrees_->setMaximumWidth(50);
    minutes_->setMaximumWidth(80);
    // A ten-thousandth of a minute is some 20 cm; a value left alone keeps every digit.
    minutes_->SetMaximumDecimals(4);
    row->addWidget(degrees_);
    row->addWidget(new QLabel(QStringLiteral("\u00B0"), this));
    row->addWidget(minutes_);
    row->addWidget(new QLabel(QStringLiteral("'"), this));
    connect(minutes_, &QLineEdit::textEdited, this, &CoordinateEntry::Edited);
  } else {
    degrees_ = new NumberEdit(field, NumberEdit::Kind::Decimal, range(limit), this);
    degrees_->setMaximumWidth(90);
    row->addWidget(degrees_);
    row->addWidget(new QLabel(QStringLiteral("\u00B0"), this));
  }
  connect(degrees_, &QLineEdit::textEdited, this, &CoordinateEntry::Edited);
  hemisphere_ = new QComboBox(this);
  hemisphere_->setAccessibleName(QString::fromLatin1(kHemispherePart).arg(field));
  if (axis == Axis::Latitude) {
    hemisphere_->addItems({QString::fromLatin1(kNorth), QString::fromLatin1(kSouth)});
  } else {
    hemisphere_->addItems({QString::fromLatin1(kEast), QString::fromLatin1(kWest)});
  }
  connect(hemisphere_, &QComboBox::activated, this, &CoordinateEntry::Edited);
  row->addWidget(hemisphere_);
  row->addStretch(1);
}

double CoordinateEntry::Limit() const { return axis_ == Axis::Latitude ? 90.0 : 180.0; }

void CoordinateEntry::SetValue(double degrees) {
  shownValue_ = degrees;
  const double magnitude = std::fabs(degrees);
  if (style_ == Style::DegreesMinutes) {
    const double whole = std::isfinite(magnitude) ? std::trunc(magnitude) : 0.0;
    degrees_->SetValue(whole);
    minutes_->SetValue((magnitude - whole) * 60.0);
    shownMinutes_ = minutes_->text();
  } else {
    degrees_->SetValue(magnitude);
  }
  hemisphere_->setCurrentIndex(degrees < 0.0 ? 1 : 0);
  shownDegrees_ = degrees_->text();
  shownHemisphere_ = hemisphere_->currentIndex();
}

bool CoordinateEntry::Unchanged() const {
  return degrees_->text() == shownDegrees_ && (!minutes_ || minutes_->text() == shownMinutes_) &&
         hemisphere_->currentIndex() == shownHemisphere_;
}

std::optional<double> CoordinateEntry::Value() const {
  if (Unchanged()) return shownValue_;
  const std::optional<double> degrees = degrees_->Value();
  if (!degrees) return std::nullopt;
  const int hemisphere = hemisphere_->currentIndex() == 1 ? 1 : 0;
  if (!minutes_) return hemisphere ? -*degrees : *degrees;
  const std::optional<double> minutes = minutes_->Value();
  if (!minutes) return std::nullopt;
  return CNavigation::DegMinToDecimal(static_cast<int>(*degrees), *minutes, hemisphere);
}

QString CoordinateEntry::Problem() const {
  if (QString problem = degrees_->Problem(); !problem.isEmpty()) return problem;
  if (minutes_) {
    if (QString problem = minutes_->Problem(); !problem.isEmpty()) return problem;
  }
  if (checked_) {
    if (const std::optional<double> value = Value(); value && std::fabs(*value) > Limit()) {
      return QString::fromLatin1(kAtMost).arg(field_).arg(Limit());
    }
  }
  return {};
}

QWidget* CoordinateEntry::ProblemWidget() const {
  if (minutes_ && degrees_->Problem().isEmpty() && !minutes_->Problem().isEmpty()) {
    return minutes_;
  }
  return degrees_;
}

PositionEntry::PositionEntry(bool checked, const QString& prefix, QWidget* parent)
    : QWidget(parent) {
  const auto field = [&prefix](const char* name) {
    const QString text = QString::fromLatin1(name);
    return prefix.isEmpty() ? text : prefix + QLatin1Char(' ') + text.toLower();
  };
  latitude_ = new CoordinateEntry(Axis::Latitude, CoordinateEntry::Style::DegreesMinutes, checked,
                                  field(kLatitude), this);
  longitude_ = new CoordinateEntry(Axis::Longitude, CoordinateEntry::Style::DegreesMinutes, checked,
                                   field(kLongitude), this);
  auto* form = new QFormLayout(this);
  form->setContentsMargins(0, 0, 0, 0);
  form->addRow(QString::fromLatin1(kLatitude) + QLatin1Char(':'), latitude_);
  form->addRow(QString::fromLatin1(kLongitude) + QLatin1Char(':'), longitude_);
  connect(latitude_, &CoordinateEntry::Edited, this, &PositionEntry::Edited);
  connect(longitude_, &CoordinateEntry::Edited, this, &PositionEntry::Edited);
}

}  // namespace keelmark
