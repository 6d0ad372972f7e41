#include "platform/gps_receivers.h"

#include "platform/file_gps_receiver.h"
#include "platform/gpsd_gps_receiver.h"
#include "platform/serial_gps_receiver.h"
#include "platform/tcp_gps_receiver.h"
#include "platform/udp_gps_receiver.h"

namespace keelmark {

std::unique_ptr<QtGpsReceiver> MakeGpsReceiver(const GpsSource& source, const Clock& clock,
                                               int replayLinesPerSecond) {
  switch (source.kind) {
    case GpsSource::Kind::kSerial:
      return std::make_unique<SerialGpsReceiver>(source.path, source.baud, clock);
    case GpsSource::Kind::kTcp:
      return std::make_unique<TcpGpsReceiver>(source.host, source.port, clock);
    case GpsSource::Kind::kUdp:
      return std::make_unique<UdpGpsReceiver>(source.port, clock);
    case GpsSource::Kind::kGpsd:
      return std::make_unique<GpsdGpsReceiver>(source.host, source.port, clock);
    case GpsSource::Kind::kFile: {
      const int rate = source.linesPerSecond > 0 ? source.linesPerSecond : replayLinesPerSecond;
      return std::make_unique<FileGpsReceiver>(source.path, rate, rate > 0, clock);
    }
  }
  return nullptr;
}

}  // namespace keelmark
