#include "platform/gpsd_gps_receiver.h"

#include <gps.h>

#include <cerrno>

namespace keelmark {
namespace {

// Room for what one read of the daemon's socket hands over.
constexpr int kMessageBytes = 4096;

}  // namespace

GpsdGpsReceiver::GpsdGpsReceiver(const std::string& host, int port, const Clock& clock)
    : QtGpsReceiver("gpsd:" + host + ":" + std::to_string(port), clock),
      host_(host),
      port_(std::to_string(port)),
      data_(std::make_unique<gps_data_t>()) {}

GpsdGpsReceiver::~GpsdGpsReceiver() { Disconnect(); }

int GpsdGpsReceiver::Connect(int failureCode) {
  if (gps_open(host_.c_str(), port_.c_str(), data_.get()) != 0) {
    const std::string why = gps_errstr(errno);
    if (failureCode == gps_code::kCannotOpen) return Failure(failureCode, why);
    return Failure(failureCode, why + ", " + RetryLater());
  }
  open_ = true;
  (void)gps_stream(data_.get(), WATCH_ENABLE | WATCH_NMEA, nullptr);
  notifier_ =
      std::make_unique<QSocketNotifier>(static_cast<qintptr>(data_->gps_fd), QSocketNotifier::Read);
  connect(notifier_.get(), &QSocketNotifier::activated, this, [this] { ReadAvailable(); });
  Connected();
  return 0;
}

int GpsdGpsReceiver::Open() { return Connect(gps_code::kCannotOpen); }

void GpsdGpsReceiver::Reconnect() { (void)Connect(gps_code::kConnectionLost); }

void GpsdGpsReceiver::ReadAvailable() {
  char message[kMessageBytes];
  // libgps keeps what it has read beyond one line: take all of it now.
  do {
    message[0] = '\0';
    if (gps_read(data_.get(), message, kMessageBytes - 1) < 0) {
      Disconnect();
      if (!Stopped()) Failure(gps_code::kConnectionLost, "gpsd went away, " + RetryLater());
      return;
    }
    // The daemon's own reports are JSON; its NMEA lines are the receiver's sentences.
    QByteArray bytes(message);
    if (!bytes.isEmpty() && bytes.back() != '\n') bytes.append("\r\n");
    Deliver(bytes);
  } while (open_ && gps_waiting(data_.get(), 0));
}

void GpsdGpsReceiver::Disconnect() {
  notifier_.reset();
  if (open_) {
    (void)gps_stream(data_.get(), WATCH_DISABLE, nullptr);
    (void)gps_close(data_.get());
    open_ = false;
  }
}

void GpsdGpsReceiver::Stop() {
  QtGpsReceiver::Stop();
  if (notifier_) notifier_->setEnabled(false);
}

void GpsdGpsReceiver::Close() {
  Stop();
  Disconnect();
}

}  // namespace keelmark
