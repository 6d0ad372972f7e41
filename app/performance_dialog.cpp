#include "app/performance_dialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

#include "app/form_with_buttons.h"
#include "document/keelmark_document.h"
#include "navigation/calendar.h"
#include "navigation/text_format.h"
#include "platform/qt_text.h"
#include "voyage/position_fixes.h"

namespace keelmark {
namespace {

// The result fields, in the order PerformanceTexts holds them.
constexpr std::array<const char*, 7> kResultLabels = {
    "Distance made:",      "hours:",           "Average speed:", "Engine rpm:",
    "Distance remaining:", "hours remaining:", "Required speed:"};

}  // namespace

CPerformanceDialog::CPerformanceDialog(CKeelmarkRouteXPDoc& doc, QWidget* parent)
    : QDialog(parent), doc_(doc) {
  setObjectName(QStringLiteral("performanceDialog"));
  setWindowTitle(tr("Performance"));
  from_ = new QComboBox(this);
  from_->setObjectName(QStringLiteral("fromPosition"));
  till_ = new QComboBox(this);
  till_->setObjectName(QStringLiteral("tillPosition"));
  for (const auto& fix : doc.GetHistory()) {
    const QString text = ToQString(fix->LocalTimeText(TimeSlot::Time, kLocalDateTimeFormat) + "  " +
                                   fix->LatitudeText() + "  " + fix->LongitudeText());
    from_->addItem(text);
    till_->addItem(text);
  }
  from_->setCurrentIndex(0);
  till_->setCurrentIndex(till_->count() - 1);

  auto* form = new QFormLayout;
  form->addRow(tr("From position:"), from_);
  form->addRow(tr("Till position:"), till_);
  for (std::size_t i = 0; i < results_.size(); ++i) {
    results_[i] = new QLineEdit(this);
    results_[i]->setReadOnly(true);
    results_[i]->setObjectName(QStringLiteral("result%1").arg(i));
    form->addRow(tr(kResultLabels[i]), results_[i]);
  }

  auto* print = new QPushButton(tr("Print Graph"), this);
  print->setObjectName(QStringLiteral("printGraphButton"));
  auto* close = new QPushButton(tr("Close"), this);
  close->setObjectName(QStringLiteral("closeButton"));
  close->setDefault(true);
  connect(print, &QPushButton::clicked, this, &CPerformanceDialog::PrintRequested);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  connect(from_, &QComboBox::currentIndexChanged, this, &CPerformanceDialog::ShowFigures);
  connect(till_, &QComboBox::currentIndexChanged, this, &CPerformanceDialog::ShowFigures);
  print->setEnabled(from_->count() > 0);

  LayOutFormWithButtons(*this, form, {print, close});
  setMinimumWidth(420);
  ShowFigures();
}

void CPerformanceDialog::ShowFigures() {
  doc_.performanceFrom = std::max(0, from_->currentIndex());
  doc_.performanceTill = std::max(0, till_->currentIndex());
  const PerformanceTexts texts = PerformanceFigures(doc_.GetHistory(), doc_.GetRoute(),
                                                    doc_.performanceFrom, doc_.performanceTill);
  const std::array<const std::string*, 7> values = {
      &texts.distanceMade,      &texts.hours,          &texts.averageSpeed, &texts.engineRpm,
      &texts.distanceRemaining, &texts.hoursRemaining, &texts.requiredSpeed};
  for (std::size_t i = 0; i < results_.size(); ++i) results_[i]->setText(ToQString(*values[i]));
}

}  // namespace keelmark
