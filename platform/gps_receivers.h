// The receiver of a GPS source: serial device, TCP server, UDP port, gpsd or a replayed log.
#pragma once

#include <memory>

#include "document/gps_source.h"
#include "navigation/clock.h"
#include "platform/qt_gps_receiver.h"

namespace keelmark {

// A log file replays this many lines a second in the monitor when its source names no rate.
inline constexpr int kReplayLinesPerSecond = 10;

// A log file at the source's own rate, else at `replayLinesPerSecond`: at a rate it loops at its
// end; at 0 it is read whole at once and ends.
[[nodiscard]] std::unique_ptr<QtGpsReceiver> MakeGpsReceiver(const GpsSource& source,
                                                             const Clock& clock,
                                                             int replayLinesPerSecond);

}  // namespace keelmark
