#include "platform/serial_gps_receiver.h"

#include "platform/qt_text.h"

namespace keelmark {
namespace {

std::string ErrorText(const QSerialPort& port) {
  switch (port.error()) {
    case QSerialPort::PermissionError:
      return "permission denied (is the user in the dialout group?)";
    case QSerialPort::DeviceNotFoundError:
      return "no such device";
    case QSerialPort::OpenError:
      return "already open";
    case QSerialPort::ResourceError:
      return "the device went away";
    default:
      return ToStdString(port.errorString());
  }
}

}  // namespace

SerialGpsReceiver::SerialGpsReceiver(const std::string& device, int baud, const Clock& clock)
    : QtGpsReceiver(device, clock), device_(device), baud_(baud) {
  connect(&port_, &QSerialPort::readyRead, this, [this] { Deliver(port_.readAll()); });
  connect(&port_, &QSerialPort::errorOccurred, this, &SerialGpsReceiver::OnError);
}

int SerialGpsReceiver::OpenPort(int failureCode) {
  port_.setPortName(ToQString(device_));
  port_.setBaudRate(baud_);
  port_.setDataBits(QSerialPort::Data8);
  port_.setParity(QSerialPort::NoParity);
  port_.setStopBits(QSerialPort::OneStop);
  port_.setFlowControl(QSerialPort::NoFlowControl);
  if (!port_.open(QIODevice::ReadOnly)) {
    const std::string why = ErrorText(port_);
    if (failureCode == gps_code::kCannotOpen) return Failure(failureCode, why);
    return Failure(failureCode, why + ", " + RetryLater());
  }
  Connected();
  return 0;
}

int SerialGpsReceiver::Open() { return OpenPort(gps_code::kCannotOpen); }

void SerialGpsReceiver::Reconnect() { (void)OpenPort(gps_code::kConnectionLost); }

void SerialGpsReceiver::OnError(QSerialPort::SerialPortError error) {
  // Failures to open are answered by OpenPort; here only a port that was open fails.
  if (error == QSerialPort::NoError || !port_.isOpen() || Stopped()) return;
  const std::string why = ErrorText(port_);
  port_.close();
  Failure(gps_code::kConnectionLost, why + ", " + RetryLater());
}

void SerialGpsReceiver::Close() {
  QtGpsReceiver::Stop();
  port_.close();
}

}  // namespace keelmark
