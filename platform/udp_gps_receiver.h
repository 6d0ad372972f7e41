// UdpGpsReceiver: NMEA broadcast by a bridge on a UDP port, each datagram one or more whole
// sentences.
#pragma once

#include <QUdpSocket>

#include "platform/qt_gps_receiver.h"

namespace keelmark {

class UdpGpsReceiver final : public QtGpsReceiver {
  Q_OBJECT

 public:
  UdpGpsReceiver(int port, const Clock& clock);

  [[nodiscard]] int Open() override;
  void Stop() override;
  void Close() override;

 private:
  int port_;
  QUdpSocket socket_;
};

}  // namespace keelmark
