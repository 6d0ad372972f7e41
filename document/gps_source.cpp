#include "document/gps_source.h"

#include <algorithm>
#include <charconv>

#include "records/settings_keys.h"
#include "records/settings_store.h"

namespace keelmark {
namespace {

constexpr const char* kForms =
    "serial:DEVICE[@BAUD], tcp:HOST:PORT, udp:PORT, gpsd[:HOST:PORT] or file:LOG[@RATE]";
constexpr int kHighestBaud = 4000000;
constexpr int kHighestReplayRate = 1000;  // lines a second

// A whole decimal number within [low, high], the whole text.
std::optional<int> WholeNumber(std::string_view text, int low, int high) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < low ||
      value > high) {
    return std::nullopt;
  }
  return value;
}

// "HOST:PORT", the host perhaps an IPv6 address in brackets.
bool ReadHostPort(std::string_view text, GpsSource& source, std::string& error) {
  const std::size_t colon = text.rfind(':');
  std::string_view host = colon == std::string_view::npos ? text : text.substr(0, colon);
  if (host.size() >= 2 && host.front() == '[' && host.back() == ']') {
    host = host.substr(1, host.size() - 2);
  }
  const auto port = colon == std::string_view::npos ? std::nullopt
                                                    : WholeNumber(text.substr(colon + 1), 1, 65535);
  if (host.empty() || !port) {
    error = "'" + std::string(text) + "' is not HOST:PORT (a port 1-65535)";
    return false;
  }
  source.host = host;
  source.port = *port;
  return true;
}

}  // namespace

std::string GpsSource::Text() const {
  const std::string bracketed = host.find(':') != std::string::npos ? "[" + host + "]" : host;
  switch (kind) {
    case Kind::kSerial:
      return "serial:" + path + "@" + std::to_string(baud);
    case Kind::kTcp:
      return "tcp:" + bracketed + ":" + std::to_string(port);
    case Kind::kUdp:
      return "udp:" + std::to_string(port);
    case Kind::kGpsd:
      return "gpsd:" + bracketed + ":" + std::to_string(port);
    case Kind::kFile:
      return "file:" + path + (linesPerSecond > 0 ? "@" + std::to_string(linesPerSecond) : "");
  }
  return {};
}

std::optional<GpsSource> ParseGpsSource(std::string_view text, std::string& error) {
  GpsSource source;
  const std::size_t colon = text.find(':');
  const std::string_view kind = text.substr(0, colon);
  const std::string_view rest =
      colon == std::string_view::npos ? std::string_view() : text.substr(colon + 1);
  if (kind == "serial" && !rest.empty()) {
    source.kind = GpsSource::Kind::kSerial;
    const std::size_t at = rest.rfind('@');
    source.path = rest.substr(0, at);
    if (at != std::string_view::npos) {
      const auto baud = WholeNumber(rest.substr(at + 1), 1, kHighestBaud);
      if (!baud || source.path.empty()) {
        error = "'" + std::string(rest) + "' is not DEVICE@BAUD";
        return std::nullopt;
      }
      source.baud = *baud;
    }
    return source;
  }
  if (kind == "tcp" && !rest.empty()) {
    source.kind = GpsSource::Kind::kTcp;
    if (!ReadHostPort(rest, source, error)) return std::nullopt;
    return source;
  }
  if (kind == "udp" && !rest.empty()) {
    source.kind = GpsSource::Kind::kUdp;
    const auto port = WholeNumber(rest, 1, 65535);
    if (!port) {
      error = "'" + std::string(rest) + "' is no port 1-65535";
      return std::nullopt;
    }
    source.port = *port;
    return source;
  }
  if (kind == "gpsd") {
    source.kind = GpsSource::Kind::kGpsd;
    source.host = "localhost";
    source.port = GpsSource::kGpsdPort;
    if (colon != std::string_view::npos && !ReadHostPort(rest, source, error)) {
      return std::nullopt;
    }
    return source;
  }
  if (kind == "file" && !rest.empty()) {
    source.kind = GpsSource::Kind::kFile;
    source.path = rest;
    // A trailing "@digits" is the replay rate; any other '@' belongs to the file name.
    const std::size_t at = rest.rfind('@');
    if (at != std::string_view::npos && at > 0) {
      if (const auto rate = WholeNumber(rest.substr(at + 1), 1, kHighestReplayRate)) {
        source.path = rest.substr(0, at);
        source.linesPerSecond = *rate;
      }
    }
    return source;
  }
  error = "'" + std::string(text) + "' is no NMEA source: give " + kForms;
  return std::nullopt;
}

std::optional<GpsSource> GpsSourceFromSettings(const SettingsStore& store, std::int32_t comPort,
                                               std::string& error) {
  const std::string address = store.Read(setting::kGpsAddress);
  switch (store.Read(setting::kGpsTransport)) {
    case 1:
      return ParseGpsSource("tcp:" + address, error);
    case 2:
      return ParseGpsSource("udp:" + address, error);
    case 3:
      return ParseGpsSource(address.empty() ? "gpsd" : "gpsd:" + address, error);
    case 4:
      return ParseGpsSource("file:" + address, error);
    default: {
      GpsSource source;
      const auto port = static_cast<std::size_t>(std::clamp(comPort, 0, 7));
      source.path = store.Read(setting::kComDevices[port]);
      source.baud = store.Read(setting::kGpsBaud);
      if (source.path.empty()) {
        error = "no serial device is set for COM" + std::to_string(port + 1);
        return std::nullopt;
      }
      return source;
    }
  }
}

}  // namespace keelmark
