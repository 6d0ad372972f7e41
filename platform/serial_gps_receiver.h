// SerialGpsReceiver: NMEA from a serial device (/dev/ttyUSB0 ...), 8 data bits, no parity,
// one stop bit, at 4800 baud or the rate given. A device that goes away (a USB adapter pulled)
// is opened again with back-off.
#pragma once

#include <QSerialPort>
#include <string>

#include "platform/qt_gps_receiver.h"

namespace keelmark {

class SerialGpsReceiver final : public QtGpsReceiver {
  Q_OBJECT

 public:
  SerialGpsReceiver(const std::string& device, int baud, const Clock& clock);

  [[nodiscard]] int Open() override;
  void Close() override;

 private:
  void Reconnect() override;
  // The port opened; the failure's code otherwise.
  int OpenPort(int failureCode);
  void OnError(QSerialPort::SerialPortError error);

  std::string device_;
  int baud_;
  QSerialPort port_;
};

}  // namespace keelmark
