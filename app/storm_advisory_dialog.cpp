#include "app/storm_advisory_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <optional>

#include "app/form_with_buttons.h"
#include "document/keelmark_document.h"
#include "navigation/text_format.h"
#include "platform/qt_text.h"
#include "records/storm.h"
#include "reports/storm_advisory.h"
#include "voyage/closest_approach.h"

namespace keelmark {
namespace {

constexpr const char* kCpaTimeFormat = "%d %b %H:%M UTC";

}  // namespace

CStormAdvisoryDialog::CStormAdvisoryDialog(CKeelmarkRouteXPDoc& doc, QWidget* parent)
    : QDialog(parent), doc_(doc) {
  setObjectName(QStringLiteral("stormAdvisoryDialog"));
  setWindowTitle(tr("Tropical storm advisory"));
  storm_ = new QComboBox(this);
  storm_->setObjectName(QStringLiteral("storm"));
  for (const auto& storm : doc.GetStorms()) storm_->addItem(ToQString(storm->GetName()));
  fromLatestFix_ = new QCheckBox(
      tr("Calculate from latest positionfix (instead of departure position/time)"), this);
  fromLatestFix_->setObjectName(QStringLiteral("fromLatestFix"));
  fromLatestFix_->setChecked(doc.GetSettings().underWay == 1);
  presentCourse_ =
      new QCheckBox(tr("Continue on present course (do not follow present voyage)"), this);
  presentCourse_->setObjectName(QStringLiteral("presentCourse"));
  auto result = [this](const char* name) {
    auto* field = new QLineEdit(this);
    field->setReadOnly(true);
    field->setObjectName(QString::fromLatin1(name));
    return field;
  };
  distance_ = result("cpaDistance");
  bearing_ = result("cpaBearing");
  time_ = result("cpaTime");
  auto withUnit = [this](QWidget* field, const QString& unit) {
    auto* box = new QHBoxLayout;
    box->addWidget(field);
    box->addWidget(new QLabel(unit, this));
    return box;
  };
  auto* form = new QFormLayout;
  form->addRow(tr("Select storm:"), storm_);
  form->addRow(fromLatestFix_);
  form->addRow(presentCourse_);
  form->addRow(tr("Distance at CPA:"), withUnit(distance_, tr("nM")));
  form->addRow(tr("Bearing of storm at CPA:"), withUnit(bearing_, tr("deg")));
  form->addRow(tr("Time of CPA:"), time_);

  auto* print = new QPushButton(tr("Print Form"), this);
  print->setObjectName(QStringLiteral("printFormButton"));
  auto* close = new QPushButton(tr("Close"), this);
  close->setObjectName(QStringLiteral("closeButton"));
  close->setDefault(true);
  LayOutFormWithButtons(*this, form, {print, close});
  setMinimumWidth(480);

  connect(storm_, &QComboBox::currentIndexChanged, this, &CStormAdvisoryDialog::Recompute);
  connect(fromLatestFix_, &QCheckBox::toggled, this, &CStormAdvisoryDialog::Recompute);
  connect(presentCourse_, &QCheckBox::toggled, this, &CStormAdvisoryDialog::Recompute);
  connect(print, &QPushButton::clicked, this, &CStormAdvisoryDialog::PrintRequested);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  storm_->setCurrentIndex(0);
  Recompute();
}

void CStormAdvisoryDialog::Recompute() {
  // The first storm is chosen on opening, and the printout then prints it as well.
  doc_.selectedRow = std::max(0, storm_->currentIndex());
  doc_.GetSettings().underWay = fromLatestFix_->isChecked() ? 1 : 0;
  std::optional<CPosition2> at;
  double distance = 0.0;
  double bearing = 0.0;
  if (!doc_.GetStorms().IsEmpty()) {
    const Storm& storm = *doc_.GetStorms().GetAt(doc_.selectedRow);
    const PositionFix start = StormAdvisoryStart(doc_);
    // "Continue on present course": the ship leaves the route and holds P's made good.
    at = presentCourse_->isChecked()
             ? std::optional(PresentCourseStormCpa(storm, start, distance, bearing))
             : StormCpa(storm, doc_.GetRoute(), start, distance, bearing);
  }
  distance_->setText(at ? ToQString(FormatNumber("%.1f", distance)) : QString());
  bearing_->setText(at ? ToQString(FormatNumber("%.0f", bearing)) : QString());
  time_->setText(at ? ToQString(at->LocalTimeText(TimeSlot::Required, kCpaTimeFormat)) : QString());
}

}  // namespace keelmark
