#include "platform/qt_gps_receiver.h"

#include <algorithm>
#include <string_view>

namespace keelmark {

QtGpsReceiver::QtGpsReceiver(const std::string& name, const Clock& clock)
    : clock_(clock), feed_(name) {
  retry_.setSingleShot(true);
  connect(&retry_, &QTimer::timeout, this, [this] {
    if (!stopped_) Reconnect();
  });
}

int QtGpsReceiver::ChooseSentence(NmeaSentenceType type) {
  feed_.Choose(type);
  return 0;
}

GpsReading QtGpsReceiver::Read() { return feed_.Read(Now()); }

std::string QtGpsReceiver::Describe(int code) const { return feed_.Describe(code); }

void QtGpsReceiver::Stop() {
  stopped_ = true;
  retry_.stop();
}

void QtGpsReceiver::Deliver(const QByteArray& bytes) {
  if (stopped_ || bytes.isEmpty()) return;
  feed_.Feed(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), Now());
  emit bytesArrived();
}

void QtGpsReceiver::EndOfStream() {
  if (stopped_) return;
  feed_.Finish(Now());
  emit bytesArrived();
}

int QtGpsReceiver::Failure(int code, const std::string& text) {
  feed_.Fail(code, text);
  emit failed(code);
  return code;
}

void QtGpsReceiver::Connected() {
  retryMilliseconds_ = kFirstRetryMilliseconds;
  feed_.Opened(Now());
}

std::string QtGpsReceiver::RetryLater() {
  if (stopped_) return "stopped";
  const int wait = retryMilliseconds_;
  retry_.start(wait);
  retryMilliseconds_ = std::min(wait * 2, kLongestRetryMilliseconds);
  return "trying again in " + std::to_string(wait / 1000) + " s";
}

}  // namespace keelmark
