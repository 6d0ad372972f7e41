#include "document/gps_monitor.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "document/keelmark_document.h"
#include "navigation/geo_point.h"
#include "navigation/navigation.h"
#include "navigation/text_format.h"
#include "voyage/position_fixes.h"

namespace keelmark {
namespace {

constexpr std::int32_t kLeastUpdateSeconds = 1;
constexpr std::int32_t kLeastHistoryMinutes = 10;
// Qt's timers take an int of milliseconds.
constexpr std::int64_t kLongestPeriod = std::numeric_limits<int>::max();

}  // namespace

GpsMonitor::GpsMonitor(CKeelmarkRouteXPDoc& document, const Clock& clock)
    : document_(document), clock_(clock) {}

GpsMonitor::~GpsMonitor() {
  if (state_ != GpsMonitorState::kNotRunning) Stop();
}

GpsMonitor::Periods GpsMonitor::Create() {
  Settings& settings = document_.GetSettings();
  state_ = GpsMonitorState::kStarting;
  status_ = kGpsLoading;
  settings.useNMEA = 1;
  settings.updateSeconds = std::max(settings.updateSeconds, kLeastUpdateSeconds);
  settings.writeToHisMinutes = std::max(settings.writeToHisMinutes, kLeastHistoryMinutes);
  Periods periods;
  periods.positionMilliseconds =
      std::min<std::int64_t>(std::int64_t{settings.updateSeconds} * 1000, kLongestPeriod);
  periods.historyMilliseconds =
      std::min<std::int64_t>(std::int64_t{settings.writeToHisMinutes} * 60000, kLongestPeriod);
  periods.writeHistory = settings.writeToHis != 0;
  return periods;
}

bool GpsMonitor::Start(std::unique_ptr<GpsReceiver> receiver) {
  Settings& settings = document_.GetSettings();
  Prompter& prompter = document_.GetPrompter();
  state_ = GpsMonitorState::kStarting;
  icon_ = GpsStatusIcon::kFailure;
  if (settings.monitorRunning == 1 &&
      !prompter.AskYesNo(kGpsAlreadyRunning, MessageIcon::Question)) {
    Stop();
    return false;
  }
  settings.monitorRunning = 1;
  settings.useNMEA = 1;
  receiver_ = std::move(receiver);
  if (!receiver_) {
    ShowError(gps_code::kNoData);
    prompter.Message(kGpsCannotLoad, MessageIcon::Stop);
    Stop();
    return false;
  }
  status_ = kGpsLoading;
  bool failed = false;
  if (const int code = receiver_->Open(); code < 0) {
    ShowError(code);
    failed = true;
  }
  if (settings.gpsString >= 0 && settings.gpsString <= 2) {
    const int code = receiver_->ChooseSentence(static_cast<NmeaSentenceType>(settings.gpsString));
    if (code < 0) {
      ShowError(code);
      failed = true;
    }
  }
  if (failed) {
    prompter.Message(kGpsInitFailed, MessageIcon::Stop);
    Stop();
    return false;
  }
  state_ = GpsMonitorState::kConnecting;
  status_ = kGpsConnecting;
  icon_ = GpsStatusIcon::kConnecting;
  return true;
}

void GpsMonitor::ShowError(int code) {
  icon_ = GpsStatusIcon::kFailure;
  status_ = code == gps_code::kNoData || !receiver_ ? kGpsNoData : receiver_->Describe(code);
  if (state_ == GpsMonitorState::kConnecting || state_ == GpsMonitorState::kReceiving) {
    state_ = GpsMonitorState::kFailing;
  }
}

void GpsMonitor::UpdatePosition() {
  if (!receiver_ || state_ == GpsMonitorState::kNotRunning) return;
  const GpsReading reading = receiver_->Read();
  if (reading.code <= 0) {
    ShowError(reading.code);
    NotifyViews();
    return;
  }
  state_ = GpsMonitorState::kReceiving;
  status_ = kGpsReceiving;
  icon_ = GpsStatusIcon::kReceiving;

  const CNavigation navigation(clock_);
  const double now = navigation.UtcDayNumberNow();
  PositionFix& present = document_.PresentPosition();
  present.SetLatitude(reading.latitude * kDegreesPerNmeaUnit);
  present.SetLongitude(reading.longitude * kDegreesPerNmeaUnit);
  present.SetTime(now);
  present.SetScheduledTime(now);

  // A receiver that jumps (a multipath fix, a wrong source) moves the shown position but must
  // not enter the history.
  jumped_ = false;
  if (previousTick_) {
    const LatLon previous(previousTick_->latitude, previousTick_->longitude);
    const double distance = navigation.Distance(previous, present, false);
    const double hours = (now - previousTick_->time) * 24.0;
    jumped_ = distance > 0.0 && !(distance / hours < kGpsHighestTickSpeed);
  }
  previousTick_ = TickPosition{present.GetLatitude(), present.GetLongitude(), now};
  unwritten_ = !jumped_;

  // Made good since the last history fix; without one, or no time since it, the values of the
  // previous tick stay rather than a division by zero.
  if (const PositionFix* last = document_.GetHistory().GetLast()) {
    const double hours = (now - last->GetTime()) * 24.0;
    if (hours > 0.0) {
      present.SpeedMadeGood = navigation.Distance(*last, present, false) / hours;
      present.CourseMadeGood = navigation.Course(*last, present, false);
    }
  }
  const CVessel2& vessel = document_.GetVessel();
  present.EngineRpm = vessel.calibrationRpm;
  present.SteeredCourse = vessel.calibrationHeading;
  EstimateLogSpeed(vessel, present);
  NotifyViews();
}

bool GpsMonitor::WriteHistory() {
  if (!unwritten_ || state_ != GpsMonitorState::kReceiving) return false;
  const PositionFix& present = document_.PresentPosition();
  HistoryList& history = document_.GetHistory();
  PositionFix* fix = ProposeLatestFix(history);
  fix->SetLatitude(present.GetLatitude());
  fix->SetLongitude(present.GetLongitude());
  fix->SetZoneOffset(present.GetZoneOffset());
  fix->SetTime(present.GetTime());
  fix->Weather = present.Weather;
  (void)UpdateMadeGood(history, *fix);
  unwritten_ = false;
  NotifyViews();
  return true;
}

void GpsMonitor::Stop() {
  if (receiver_) {
    receiver_->Stop();
    receiver_->Close();
  }
  document_.GetSettings().monitorRunning = 0;
  state_ = GpsMonitorState::kNotRunning;
}

std::string GpsMonitor::LatitudeText() const { return document_.PresentPosition().LatitudeText(); }

std::string GpsMonitor::LongitudeText() const {
  return document_.PresentPosition().LongitudeText();
}

std::string GpsMonitor::CourseText() const {
  return FormatNumber("%#3.1f deg", document_.PresentPosition().CourseMadeGood);
}

std::string GpsMonitor::SpeedText() const {
  return FormatNumber("%#3.1f kts", document_.PresentPosition().SpeedMadeGood);
}

void GpsMonitor::NotifyViews() const {
  if (onDocumentChanged) onDocumentChanged();
}

}  // namespace keelmark
