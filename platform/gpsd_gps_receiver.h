// GpsdGpsReceiver: the sentences of a gpsd daemon, asked for through libgps in NMEA form, so
// that they go through the same decoder as every other source. A daemon that goes away is
// asked again with back-off.
#pragma once

#include <QSocketNotifier>
#include <memory>
#include <string>

#include "platform/qt_gps_receiver.h"

struct gps_data_t;

namespace keelmark {

class GpsdGpsReceiver final : public QtGpsReceiver {
  Q_OBJECT

 public:
  GpsdGpsReceiver(const std::string& host, int port, const Clock& clock);
  ~GpsdGpsReceiver() override;

  [[nodiscard]] int Open() override;
  void Stop() override;
  void Close() override;

 private:
  void Reconnect() override;
  int Connect(int failureCode);
  void ReadAvailable();
  void Disconnect();

  std::string host_;
  std::string port_;
  std::unique_ptr<gps_data_t> data_;
  std::unique_ptr<QSocketNotifier> notifier_;
  bool open_ = false;
};

}  // namespace keelmark
