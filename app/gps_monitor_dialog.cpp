#include "app/gps_monitor_dialog.h"

#include <QCloseEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <utility>

#include "document/gps_source.h"
#include "document/keelmark_document.h"
#include "platform/gps_receivers.h"
#include "platform/qt_text.h"

namespace keelmark {
namespace {

QPixmap IconOf(GpsStatusIcon icon) {
  const char* name = icon == GpsStatusIcon::kReceiving    ? "receiving"
                     : icon == GpsStatusIcon::kConnecting ? "connecting"
                                                          : "failure";
  return QIcon(QStringLiteral(":/icons/gps-%1.svg").arg(QLatin1String(name))).pixmap(16, 16);
}

QLabel* ValueLabel(QWidget* parent, const char* name) {
  auto* label = new QLabel(parent);
  label->setObjectName(QLatin1String(name));
  label->setMinimumWidth(120);
  return label;
}

}  // namespace

CGpsMonitorDialog::CGpsMonitorDialog(CKeelmarkRouteXPDoc& document, const Clock& clock,
                                     ReceiverFactory factory, QWidget* parent)
    : QDialog(parent), monitor_(document, clock), factory_(std::move(factory)), clock_(clock) {
  setWindowTitle(QLatin1String(kGpsMonitorCaption));
  setModal(false);
  auto* column = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  latitude_ = ValueLabel(this, "latitude");
  longitude_ = ValueLabel(this, "longitude");
  course_ = ValueLabel(this, "groundcourse");
  speed_ = ValueLabel(this, "speed");
  form->addRow(tr("Latitude:"), latitude_);
  form->addRow(tr("Longitude:"), longitude_);
  form->addRow(tr("Groundcourse:"), course_);
  form->addRow(tr("Speed:"), speed_);
  column->addLayout(form);
  auto* statusRow = new QHBoxLayout;
  icon_ = new QLabel(this);
  icon_->setObjectName(QStringLiteral("statusIcon"));
  status_ = new QLabel(this);
  status_->setObjectName(QStringLiteral("status"));
  status_->setWordWrap(true);
  statusRow->addWidget(icon_);
  statusRow->addWidget(status_, 1);
  column->addLayout(statusRow);
  auto* stop = new QPushButton(tr("Stop"), this);
  stop->setObjectName(QStringLiteral("stop"));
  connect(stop, &QPushButton::clicked, this, &QDialog::close);
  column->addWidget(stop, 0, Qt::AlignRight);

  periods_ = monitor_.Create();
  positionTimer_.setInterval(static_cast<int>(periods_.positionMilliseconds));
  historyTimer_.setInterval(static_cast<int>(periods_.historyMilliseconds));
  connect(&positionTimer_, &QTimer::timeout, this, &CGpsMonitorDialog::OnPositionTick);
  connect(&historyTimer_, &QTimer::timeout, this, &CGpsMonitorDialog::OnHistoryTick);
  monitor_.onDocumentChanged = [this] { emit documentChanged(); };
  ShowValues();
}

CGpsMonitorDialog::~CGpsMonitorDialog() { StopMonitor(); }

bool CGpsMonitorDialog::Start() {
  show();
  const bool started = monitor_.Start(factory_ ? factory_(clock_) : nullptr);
  ShowValues();
  if (!started) {
    close();
    return false;
  }
  positionTimer_.start();
  if (periods_.writeHistory) historyTimer_.start();
  return true;
}

void CGpsMonitorDialog::OnPositionTick() {
  monitor_.UpdatePosition();
  ShowValues();
}

void CGpsMonitorDialog::OnHistoryTick() { monitor_.WriteHistory(); }

void CGpsMonitorDialog::ShowValues() {
  latitude_->setText(ToQString(monitor_.LatitudeText()));
  longitude_->setText(ToQString(monitor_.LongitudeText()));
  course_->setText(ToQString(monitor_.CourseText()));
  speed_->setText(ToQString(monitor_.SpeedText()));
  status_->setText(ToQString(monitor_.StatusText()));
  icon_->setPixmap(IconOf(monitor_.Icon()));
  icon_->setProperty("resourceId", static_cast<int>(monitor_.Icon()));
}

void CGpsMonitorDialog::StopMonitor() {
  positionTimer_.stop();
  historyTimer_.stop();
  if (monitor_.State() != GpsMonitorState::kNotRunning) monitor_.Stop();
}

void CGpsMonitorDialog::closeEvent(QCloseEvent* event) {
  StopMonitor();
  event->accept();
}

CGpsMonitorDialog::ReceiverFactory OptionsGpsReceiver(CKeelmarkRouteXPDoc& document) {
  return [&document](const Clock& clock) -> std::unique_ptr<GpsReceiver> {
    std::string error;
    const std::optional<GpsSource> source =
        GpsSourceFromSettings(document.GetStore(), document.GetSettings().comPort, error);
    if (!source) return nullptr;
    return MakeGpsReceiver(*source, clock, kReplayLinesPerSecond);
  };
}

}  // namespace keelmark
