#include "platform/tcp_gps_receiver.h"

#include "platform/qt_text.h"

namespace keelmark {

TcpGpsReceiver::TcpGpsReceiver(const std::string& host, int port, const Clock& clock)
    : QtGpsReceiver("tcp:" + host + ":" + std::to_string(port), clock), host_(host), port_(port) {
  connect(&socket_, &QTcpSocket::readyRead, this, [this] { Deliver(socket_.readAll()); });
  connect(&socket_, &QTcpSocket::connected, this, [this] {
    everConnected_ = true;
    Connected();
  });
  connect(&socket_, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError error) {
    OnDropped(error == QAbstractSocket::RemoteHostClosedError ? "the source closed the connection"
                                                              : ToStdString(socket_.errorString()));
  });
}

int TcpGpsReceiver::Open() {
  socket_.connectToHost(ToQString(host_), static_cast<quint16>(port_), QIODevice::ReadOnly);
  return 0;
}

void TcpGpsReceiver::Reconnect() {
  socket_.abort();
  socket_.connectToHost(ToQString(host_), static_cast<quint16>(port_), QIODevice::ReadOnly);
}

void TcpGpsReceiver::OnDropped(const std::string& why) {
  if (Stopped()) return;
  // A source never reached is one that cannot be opened; the monitor still tries again.
  const std::string retry = RetryLater();
  if (everConnected_) {
    Failure(gps_code::kConnectionLost, why + ", " + retry);
  } else {
    Failure(gps_code::kCannotOpen, why);
  }
}

void TcpGpsReceiver::Stop() {
  QtGpsReceiver::Stop();
  socket_.abort();
}

void TcpGpsReceiver::Close() { Stop(); }

}  // namespace keelmark
