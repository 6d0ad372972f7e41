// TcpGpsReceiver: NMEA from a TCP server (an NMEA multiplexer or a network talker). A
// connection that fails or drops is made again with back-off.
#pragma once

#include <QTcpSocket>
#include <string>

#include "platform/qt_gps_receiver.h"

namespace keelmark {

class TcpGpsReceiver final : public QtGpsReceiver {
  Q_OBJECT

 public:
  TcpGpsReceiver(const std::string& host, int port, const Clock& clock);

  // Starts connecting; the outcome arrives later (a refusal as a failure, then retries).
  [[nodiscard]] int Open() override;
  void Stop() override;
  void Close() override;

 private:
  void Reconnect() override;
  void OnDropped(const std::string& why);

  std::string host_;
  int port_;
  QTcpSocket socket_;
  bool everConnected_ = false;
};

}  // namespace keelmark
