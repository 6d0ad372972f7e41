// The receiver of a GPS source: serial device, TCP server, UDP port, gpsd or a replayed log.
#pragma once

#include <memory>

#include "document/gps_source.h"
#include "navigation/clock.h"
#include "platform/qt_gps_receiver.h"

namespace keelmark {

// A log file replays this many lines a second in the monitor, looping at its end.
inline constexpr int kReplayLinesPerSecond = 10;

// `replayLinesPerSecond` for a log file: 0 reads it whole at once and ends; otherwise it loops.
[[nodiscard]] std::unique_ptr<QtGpsReceiver> MakeGpsReceiver(const GpsSource& source,
                                                             const Clock& clock,
                                                             int replayLinesPerSecond);

}  // namespace keelmark
