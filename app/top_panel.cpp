#include "app/top_panel.h"

#include <QDateTimeEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTabBar>
#include <QVBoxLayout>

#include "app/program_resources.h"
#include "document/keelmark_document.h"
#include "navigation/clock.h"
#include "navigation/text_format.h"
#include "platform/qt_text.h"
#include "voyage/voyage_calculation.h"

namespace keelmark {
namespace {

constexpr const char* kDistanceFormat = "%10.1f nM";
constexpr const char* kRpmFormat = "%3.1f rpm";
constexpr const char* kSpeedFormat = "%3.1f kts";
constexpr const char* kNoDistance = "0";

// Picker times are local readings: seconds since 1970 whose UTC fields are the local time.
QDateTime PickerTime(TimeValue t) { return QDateTime::fromSecsSinceEpoch(t, Qt::UTC); }

QLineEdit* SummaryField(const QString& name, const QString& widest, QWidget* parent) {
  auto* field = new QLineEdit(parent);
  field->setObjectName(name);
  field->setReadOnly(true);
  field->setFocusPolicy(Qt::NoFocus);
  field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  const int margins = field->textMargins().left() + field->textMargins().right();
  field->setFixedWidth(field->fontMetrics().horizontalAdvance(widest) + margins + 16);
  return field;
}

QLabel* FieldLabel(const QString& text, QWidget* buddy, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setBuddy(buddy);
  return label;
}

}  // namespace

CTopPanel::CTopPanel(QWidget* parent) : QWidget(parent) {
  UseProgramResources();
  setObjectName(QStringLiteral("topPanel"));
  speed_ = SummaryField(QStringLiteral("requiredSpeed"), QStringLiteral("888.8 kts"), this);
  rpm_ = SummaryField(QStringLiteral("requiredRpm"), QStringLiteral("888.8 rpm"), this);
  distance_ = SummaryField(QStringLiteral("remainingDistance"), QStringLiteral("88888.8 nM"), this);

  arrival_ = new QDateTimeEdit(this);
  arrival_->setObjectName(QStringLiteral("arrivalPicker"));
  arrival_->setTimeSpec(Qt::UTC);
  arrival_->setLocale(QLocale::c());  // English month names, whatever the desktop's language
  arrival_->setDisplayFormat(QString::fromLatin1(kLocalTimePickerFormat));
  arrival_->setCalendarPopup(true);
  // The lowest time stands for an arrival that has no time at all.
  arrival_->setMinimumDateTime(PickerTime(0));
  arrival_->setMaximumDateTime(QDateTime(QDate(2099, 12, 31), QTime(23, 59), Qt::UTC));
  arrival_->setSpecialValueText(QString::fromLatin1(kNotAvailable));

  tabs_ = new QTabBar(this);
  tabs_->setObjectName(QStringLiteral("categoryTabs"));
  tabs_->setDocumentMode(true);
  tabs_->setExpanding(false);
  tabs_->setDrawBase(false);
  tabs_->setIconSize(QSize(16, 16));
  for (const std::string_view name : kCategoryNames) {
    const QString text = QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
    tabs_->addTab(QIcon(QStringLiteral(":/icons/tab-%1.svg").arg(text.toLower())), text);
  }

  auto* summary = new QHBoxLayout;
  summary->setSpacing(6);
  summary->addWidget(FieldLabel(tr("Required speed"), speed_, this));
  summary->addWidget(speed_);
  summary->addWidget(rpm_);
  summary->addSpacing(18);
  summary->addWidget(FieldLabel(tr("Remaining distance:"), distance_, this));
  summary->addWidget(distance_);
  summary->addSpacing(18);
  summary->addWidget(FieldLabel(tr("ETA"), arrival_, this));
  summary->addWidget(arrival_);
  summary->addStretch(1);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 6, 8, 0);
  layout->setSpacing(6);
  layout->addLayout(summary);
  layout->addWidget(tabs_);

  connect(tabs_, &QTabBar::currentChanged, this, &CTopPanel::OnTabChosen);
  connect(arrival_, &QDateTimeEdit::dateTimeChanged, this, &CTopPanel::OnArrivalPicked);
  setEnabled(false);
}

void CTopPanel::Bind(CKeelmarkRouteXPDoc* doc) {
  doc_ = doc;
  setEnabled(doc_ != nullptr);
}

QString CTopPanel::RequiredSpeedText() const { return speed_->text(); }
QString CTopPanel::RemainingDistanceText() const { return distance_->text(); }
QString CTopPanel::RequiredRpmText() const { return rpm_->text(); }

void CTopPanel::Refresh() {
  if (!doc_) return;
  refreshing_ = true;
  tabs_->setCurrentIndex(static_cast<int>(doc_->GetCategory()));
  Voyage& route = doc_->GetRoute();
  if (route.GetCount() < 2) {
    ShowArrival(PickerTime(ProcessClock().Now()));
    distance_->setText(QString::fromLatin1(kNoDistance));
    rpm_->setText(QString::fromLatin1(kNotAvailable));
    speed_->setText(QString::fromLatin1(kNotAvailable));
    refreshing_ = false;
    return;
  }
  const TimeValue arrival = ArrivalTime(route);
  ShowArrival(arrival == kNoTime ? arrival_->minimumDateTime() : PickerTime(arrival));
  double distance = 0.0;
  double hours = 0.0;
  double rpm = 0.0;
  if (route.GetFirst()->GetTimeValue() < ProcessClock().Now()) {  // UTC, whatever the zone
    // Under way: what is left from the present position.
    const PositionFix& present = doc_->GetPresentPosition();
    distance = RemainingDistance(route, present);
    hours = HoursRemaining(route, present);
    rpm = NextWaypoint(route, present)->Rpm;
  } else {
    distance = TotalDistance(route);
    hours = HoursRemaining(route, DeparturePosition(route));
    rpm = route.GetFirst()->Rpm;
  }
  distance_->setText(ToQString(FormatNumber(kDistanceFormat, distance)));
  rpm_->setText(ToQString(FormatNumber(kRpmFormat, rpm)));
  speed_->setText(ToQString(FormatNumber(kSpeedFormat, distance / hours)));
  refreshing_ = false;
}

void CTopPanel::ShowArrival(const QDateTime& arrival) {
  // Rewriting the same minute would disturb someone who is typing into the picker.
  const QDateTime shown = arrival_->dateTime();
  if (shown.isValid() && shown.toSecsSinceEpoch() / 60 == arrival.toSecsSinceEpoch() / 60) return;
  arrival_->setDateTime(arrival);
}

void CTopPanel::OnTabChosen(int index) {
  if (refreshing_ || !doc_) return;
  const std::optional<Category> category = CategoryFromIndex(index);
  if (!category) return;
  doc_->SetCategory(*category);
  doc_->GetSettings().hasListSelected = 1;
  emit DocumentChanged();
}

void CTopPanel::OnArrivalPicked(const QDateTime& picked) {
  if (refreshing_ || !doc_ || picked == arrival_->minimumDateTime()) return;
  if (SetArrivalTime(doc_->GetRoute(), picked.toSecsSinceEpoch())) emit DocumentModified();
  emit DocumentChanged();
}

}  // namespace keelmark
