#include "platform/udp_gps_receiver.h"

#include <QNetworkDatagram>

#include "platform/qt_text.h"

namespace keelmark {

UdpGpsReceiver::UdpGpsReceiver(int port, const Clock& clock)
    : QtGpsReceiver("udp:" + std::to_string(port), clock), port_(port) {
  connect(&socket_, &QUdpSocket::readyRead, this, [this] {
    while (socket_.hasPendingDatagrams()) {
      Deliver(socket_.receiveDatagram().data());
      // A datagram ends its last sentence even without the line end.
      EndOfStream();
    }
  });
}

int UdpGpsReceiver::Open() {
  // Several programs on the bridge may listen to the same broadcast.
  if (!socket_.bind(QHostAddress::AnyIPv4, static_cast<quint16>(port_),
                    QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint)) {
    return Failure(gps_code::kCannotOpen, ToStdString(socket_.errorString()));
  }
  Connected();
  return 0;
}

void UdpGpsReceiver::Stop() {
  QtGpsReceiver::Stop();
  socket_.close();
}

void UdpGpsReceiver::Close() { Stop(); }

}  // namespace keelmark
