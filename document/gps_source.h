// GpsSource: where NMEA sentences come from, and its text form as the command line and the
// options take it: "serial:/dev/ttyUSB0[@4800]", "tcp:HOST:PORT", "udp:PORT",
// "gpsd[:HOST:PORT]" or "file:LOG[@LINES_PER_SECOND]".
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace keelmark {

class SettingsStore;

struct GpsSource {
  enum class Kind { kSerial, kTcp, kUdp, kGpsd, kFile };

  static constexpr int kDefaultBaud = 4800;
  static constexpr int kGpsdPort = 2947;

  Kind kind = Kind::kSerial;
  std::string path;  // the serial device or the log file
  std::string host;  // tcp and gpsd
  int port = 0;      // tcp, udp and gpsd
  int baud = kDefaultBaud;
  int linesPerSecond = 0;  // a log replayed at this rate; 0: the reader's own choice

  // The text form, as ParseGpsSource reads it (the baud rate always written for a serial
  // device, a log's rate when one is chosen).
  [[nodiscard]] std::string Text() const;
};

// What the text names; nothing, with the reason in `error`, when it names no source.
[[nodiscard]] std::optional<GpsSource> ParseGpsSource(std::string_view text, std::string& error);

// The source the options name: the serial device behind `comPort` (COM1 = 0) at GpsBaud, or
// GpsAddress taken as the chosen transport's address. Nothing, with the reason in `error`,
// when the address names no such source.
[[nodiscard]] std::optional<GpsSource> GpsSourceFromSettings(const SettingsStore& store,
                                                             std::int32_t comPort,
                                                             std::string& error);

}  // namespace keelmark
