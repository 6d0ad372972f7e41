// GpsMonitor: the GPS monitor's logic, without a window. The window calls Create when it is
// made, Start when it is shown, UpdatePosition on its position timer, WriteHistory on its
// history timer and Stop when it is stopped or closed; it shows the texts and the icon this
// class gives. The receiver and the clock are handed in, so tests drive it tick by tick.
//
// Each position tick moves the document's present position to the receiver's latest position
// and gives it the course and speed made good since the last history fix, the vessel's engine
// setting and course steered, and the log speed of the vessel model. Each history tick appends
// a copy of the present position to the history.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "document/gps_receiver.h"
#include "navigation/clock.h"

namespace keelmark {

class CKeelmarkRouteXPDoc;

enum class GpsMonitorState { kNotRunning, kStarting, kConnecting, kReceiving, kFailing };
// The status icons, numbered as the program's resources.
enum class GpsStatusIcon { kFailure = 141, kReceiving = 142, kConnecting = 143 };

inline constexpr const char* kGpsMonitorCaption = "Keelmark GPS Monitor";
inline constexpr const char* kGpsLoading = "Loading library...";
inline constexpr const char* kGpsConnecting = "Connecting to GPS...";
inline constexpr const char* kGpsReceiving = "Receiving data from NMEA..";
inline constexpr const char* kGpsNoData = "GPS failure / no data";
inline constexpr const char* kGpsAlreadyRunning =
    "GPS Monitor seems to be running already\nContinue anyway?";
inline constexpr const char* kGpsCannotLoad = "Can not load GPS library";
inline constexpr const char* kGpsInitFailed = "GPS Init failed";

// A position further from the previous tick's than this speed could take the ship is shown but
// never written to the history (knots; exactly this counts as too fast).
inline constexpr double kGpsHighestTickSpeed = 40.0;

class GpsMonitor {
 public:
  struct Periods {
    std::int64_t positionMilliseconds = 0;
    std::int64_t historyMilliseconds = 0;
    bool writeHistory = false;  // the history timer runs only then
  };

  GpsMonitor(CKeelmarkRouteXPDoc& document, const Clock& clock);
  // Stops the receiver if Stop has not run.
  ~GpsMonitor();
  GpsMonitor(const GpsMonitor&) = delete;
  GpsMonitor& operator=(const GpsMonitor&) = delete;

  // The window is made: "Loading library...", UseNMEA set, and the two periods with their
  // least values (1 s, 10 min), which are stored back into the settings.
  [[nodiscard]] Periods Create();
  // The window is shown: the question when a monitor seems to run already, then the receiver
  // (none when its library cannot be had) opened and its sentence chosen. False when the
  // monitor must close; the messages have been shown through the document's prompter.
  [[nodiscard]] bool Start(std::unique_ptr<GpsReceiver> receiver);
  // The position timer.
  void UpdatePosition();
  // The history timer: true when a fix was appended.
  bool WriteHistory();
  // Stop, closing or destroying the window: the receiver stopped and closed, MonitorRunning
  // cleared. Runs once.
  void Stop();

  [[nodiscard]] GpsMonitorState State() const { return state_; }
  [[nodiscard]] const std::string& StatusText() const { return status_; }
  [[nodiscard]] GpsStatusIcon Icon() const { return icon_; }
  [[nodiscard]] std::string LatitudeText() const;
  [[nodiscard]] std::string LongitudeText() const;
  [[nodiscard]] std::string CourseText() const;
  [[nodiscard]] std::string SpeedText() const;
  // The latest position was too far from the one before: shown, not written.
  [[nodiscard]] bool LastPositionJumped() const { return jumped_; }

  // Every view of the document is to be refreshed (the list, the top panel).
  std::function<void()> onDocumentChanged;

 private:
  void ShowError(int code);
  void NotifyViews() const;

  CKeelmarkRouteXPDoc& document_;
  const Clock& clock_;
  std::unique_ptr<GpsReceiver> receiver_;
  GpsMonitorState state_ = GpsMonitorState::kNotRunning;
  std::string status_;
  GpsStatusIcon icon_ = GpsStatusIcon::kFailure;
  bool stopped_ = false;
  // The previous tick's position and time (day number), for the jump rule.
  struct TickPosition {
    double latitude;
    double longitude;
    double time;
  };
  std::optional<TickPosition> previousTick_;
  bool jumped_ = false;
  // The present position holds a received position not yet written to the history.
  bool unwritten_ = false;
};

}  // namespace keelmark
