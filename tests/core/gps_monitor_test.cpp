#include <gtest/gtest.h>

#include <cmath>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "document/gps_feed.h"
#include "document/gps_monitor.h"
#include "document/gps_source.h"
#include "navigation/navigation.h"
#include "records/settings_keys.h"
#include "records/settings_store.h"
#include "tests/core/document_fixture.h"
#include "voyage/position_fixes.h"

namespace keelmark {
namespace {

namespace code = gps_code;

// A receiver that answers from a script and writes down what it was asked.
class ScriptedReceiver final : public GpsReceiver {
 public:
  int Open() override {
    calls.push_back("Open");
    return 0;
  }
  int ChooseSentence(NmeaSentenceType type) override {
    calls.push_back(std::string("Choose ") + NmeaSentenceName(type));
    return chooseCode;
  }
  GpsReading Read() override {
    calls.push_back("Read");
    if (readings.empty()) return {};
    const GpsReading next = readings.front();
    readings.pop_front();
    return next;
  }
  std::string Describe(int c) const override { return "scripted failure " + std::to_string(c); }
  void Stop() override { calls.push_back("Stop"); }
  void Close() override { calls.push_back("Close"); }

  int chooseCode = 0;
  std::deque<GpsReading> readings;
  std::vector<std::string>& calls;

  explicit ScriptedReceiver(std::vector<std::string>& log) : calls(log) {}
};

// Degrees to the receiver's 1/60000 degree.
std::int32_t Units(double degrees) {
  return static_cast<std::int32_t>(std::lround(degrees * 60000));
}

GpsReading At(double latitude, double longitude) {
  return {code::kPosition, Units(latitude), Units(longitude)};
}

class GpsMonitorTest : public test::DocumentFixture {
 protected:
  GpsMonitorTest() {
    WriteEmptyDataFiles();
    doc_ = Open();
  }

  // A receiver for Start; the test keeps a pointer to script it.
  std::unique_ptr<ScriptedReceiver> NewReceiver() {
    auto receiver = std::make_unique<ScriptedReceiver>(calls_);
    receiver_ = receiver.get();
    return receiver;
  }

  // Create and Start with a scripted receiver; the monitor counts the notifications.
  std::unique_ptr<GpsMonitor> Running() {
    auto monitor = std::make_unique<GpsMonitor>(*doc_, clock_);
    (void)monitor->Create();
    monitor->onDocumentChanged = [this] { ++notified_; };
    EXPECT_TRUE(monitor->Start(NewReceiver()));
    return monitor;
  }

  // A history fix at the given position, `hoursAgo` before the clock.
  void AddHistoryFix(double latitude, double longitude, double hoursAgo) {
    PositionFix* fix = ProposeLatestFix(doc_->GetHistory());
    fix->SetLatitude(latitude);
    fix->SetLongitude(longitude);
    fix->SetTime(Now() - hoursAgo / 24.0);
  }

  [[nodiscard]] double Now() const { return CNavigation(clock_).UtcDayNumberNow(); }

  std::unique_ptr<CKeelmarkRouteXPDoc> doc_;
  std::vector<std::string> calls_;
  ScriptedReceiver* receiver_ = nullptr;
  int notified_ = 0;
};

TEST_F(GpsMonitorTest, TimersHaveTheirLeastPeriodsStoredBack) {
  const struct {
    int updateSeconds, writeToHis, writeToHisMinutes;
    std::int64_t positionMilliseconds, historyMilliseconds;
    int storedSeconds, storedMinutes;
  } cases[] = {{60, 1, 30, 60000, 1800000, 60, 30},
               {-7, 0, -1, 1000, 600000, 1, 10},
               // Far beyond a timer's int: the longest it can take.
               {2000000000, 1, 2000000000, 2147483647, 2147483647, 2000000000, 2000000000}};
  Settings& settings = doc_->GetSettings();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.updateSeconds);
    settings.updateSeconds = c.updateSeconds;
    settings.writeToHis = c.writeToHis;
    settings.writeToHisMinutes = c.writeToHisMinutes;
    const GpsMonitor::Periods periods = GpsMonitor(*doc_, clock_).Create();
    EXPECT_EQ(periods.positionMilliseconds, c.positionMilliseconds);
    EXPECT_EQ(periods.historyMilliseconds, c.historyMilliseconds);
    EXPECT_EQ(periods.writeHistory, c.writeToHis != 0);
    EXPECT_EQ(settings.updateSeconds, c.storedSeconds);
    EXPECT_EQ(settings.writeToHisMinutes, c.storedMinutes);
  }
}

// What Start asked the receiver and what it showed. (A missing source, one that cannot be
// opened and a "No" to the running monitor: the monitor window's tests.)
TEST_F(GpsMonitorTest, StartOpensTheReceiverOrSaysWhyNot) {
  const struct {
    int monitorRunning, gpsString, chooseCode;
    bool started;
    std::vector<std::string> calls;
    const char* status;
  } cases[] = {{0, 7, 0, true, {"Open"}, kGpsConnecting},  // an unknown sentence is not chosen
               {1, 1, 0, true, {"Open", "Choose RMC"}, kGpsConnecting},  // "Yes" to running
               {0, 0, -9, false, {"Open", "Choose GGA", "Stop", "Close"}, "scripted failure -9"}};
  Settings& settings = doc_->GetSettings();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.status);
    calls_.clear();
    settings.monitorRunning = c.monitorRunning;
    settings.gpsString = c.gpsString;
    prompter_.QueueAnswer(true);
    GpsMonitor monitor(*doc_, clock_);
    (void)monitor.Create();
    std::unique_ptr<ScriptedReceiver> receiver = NewReceiver();
    receiver->chooseCode = c.chooseCode;
    EXPECT_EQ(monitor.Start(std::move(receiver)), c.started);
    EXPECT_EQ(calls_, c.calls);
    EXPECT_EQ(monitor.StatusText(), c.status);
    EXPECT_EQ(monitor.State(),
              c.started ? GpsMonitorState::kConnecting : GpsMonitorState::kNotRunning);
    // A monitor that runs says so in the settings; one that closed again does not.
    EXPECT_EQ(settings.monitorRunning, c.started ? 1 : 0);
  }
  EXPECT_EQ(prompter_.Messages().size(), 1u);  // the failure's
}

TEST_F(GpsMonitorTest, ATickMovesThePresentPositionWithMadeGoodSinceTheLastHistoryFix) {
  AddHistoryFix(-50.5, 5.0, 2.0);
  CVessel2& vessel = doc_->GetVessel();
  vessel.calibrationRpm = 85.0;
  vessel.calibrationHeading = 10.0;
  auto monitor = Running();
  // 50 degrees south, 30 nM north of the fix two hours ago.
  receiver_->readings = {{code::kPosition, -3000000, Units(5.0)}};
  monitor->UpdatePosition();

  const PositionFix& present = doc_->PresentPosition();
  EXPECT_DOUBLE_EQ(present.GetLatitude(), -50.0);
  EXPECT_DOUBLE_EQ(present.GetLongitude(), 5.0);
  EXPECT_DOUBLE_EQ(present.GetTime(), Now());
  EXPECT_NEAR(present.SpeedMadeGood, 15.0, 1e-6);
  EXPECT_NEAR(present.CourseMadeGood, 0.0, 1e-6);
  EXPECT_EQ(monitor->LatitudeText(), "50 : 0.00 S");
  EXPECT_EQ(monitor->StatusText(), kGpsReceiving);
  EXPECT_EQ(monitor->Icon(), GpsStatusIcon::kReceiving);
  EXPECT_EQ(notified_, 1);

  EXPECT_GT(present.LogSpeed, 0.0);  // from the vessel's engine setting and course steered
  // The present position stays the monitor's: the document does not take it from the history.
  EXPECT_DOUBLE_EQ(doc_->GetPresentPosition().GetLatitude(), -50.0);
}

// Regression: with no time since the last history fix, made good was a division by zero.
TEST_F(GpsMonitorTest, NoTimeSinceTheLastFixKeepsThePreviousMadeGood) {
  for (const bool historyFix : {false, true}) {
    if (historyFix) AddHistoryFix(10.0, 10.0, 0.0);
    PositionFix& present = doc_->PresentPosition();
    present.SpeedMadeGood = 12.5;
    present.CourseMadeGood = 250.0;
    auto monitor = Running();
    receiver_->readings = {At(10.1, 10.0)};
    monitor->UpdatePosition();
    EXPECT_DOUBLE_EQ(present.GetLatitude(), 10.1);
    EXPECT_EQ(present.SpeedMadeGood, 12.5) << historyFix;
    EXPECT_EQ(present.CourseMadeGood, 250.0) << historyFix;
  }
}

TEST_F(GpsMonitorTest, AFailingReadShowsWhyAndLeavesThePositionAlone) {
  auto monitor = Running();
  receiver_->readings = {At(20.0, 30.0), {code::kSilent}, {code::kNoData}, At(20.01, 30.0)};
  monitor->UpdatePosition();
  monitor->UpdatePosition();
  EXPECT_EQ(monitor->State(), GpsMonitorState::kFailing);
  EXPECT_EQ(monitor->StatusText(), "scripted failure -3");
  EXPECT_EQ(monitor->Icon(), GpsStatusIcon::kFailure);
  EXPECT_DOUBLE_EQ(doc_->PresentPosition().GetLatitude(), 20.0);
  monitor->UpdatePosition();
  EXPECT_EQ(monitor->StatusText(), kGpsNoData);
  // The source comes back: the monitor never stopped trying.
  monitor->UpdatePosition();
  EXPECT_EQ(monitor->State(), GpsMonitorState::kReceiving);
  EXPECT_DOUBLE_EQ(doc_->PresentPosition().GetLatitude(), 20.01);
  EXPECT_EQ(notified_, 4);
}

TEST_F(GpsMonitorTest, WritesNothingItHasNotReceived) {
  auto monitor = Running();
  EXPECT_FALSE(monitor->WriteHistory());  // connecting, nothing received
  receiver_->readings = {At(1.0, 1.0), {code::kSilent}};
  monitor->UpdatePosition();
  EXPECT_TRUE(monitor->WriteHistory());
  EXPECT_FALSE(monitor->WriteHistory());  // the same position again
  clock_.Advance(60);
  monitor->UpdatePosition();  // the source is silent
  EXPECT_FALSE(monitor->WriteHistory());
  EXPECT_EQ(doc_->GetHistory().GetCount(), 1);
}

// More than 40 knots from the previous tick is shown, not written; where it jumped to, it stays.
TEST_F(GpsMonitorTest, AJumpIsShownButNotWritten) {
  auto monitor = Running();
  const double north = 10.0 + 10.0 / 60.0;
  receiver_->readings = {At(10.0, 10.0),    At(10.0, 10.001),  At(10.0, 10.001),
                         At(north, 10.001), At(north, 10.001), At(north + 0.5 / 60.0, 10.001)};
  monitor->UpdatePosition();
  monitor->UpdatePosition();  // moved in no time at all
  EXPECT_TRUE(monitor->LastPositionJumped());
  monitor->UpdatePosition();  // not moved in no time at all
  EXPECT_FALSE(monitor->LastPositionJumped());
  // Ten miles in a minute: 600 knots.
  for (const bool jumped : {true, false, false}) {  // then still, then 30 knots
    clock_.Advance(60);
    monitor->UpdatePosition();
    EXPECT_EQ(monitor->LastPositionJumped(), jumped);
    if (jumped) {
      EXPECT_FALSE(monitor->WriteHistory());
    }
  }
  EXPECT_NEAR(doc_->PresentPosition().GetLatitude(), north + 0.5 / 60.0, 1e-9);
  EXPECT_TRUE(monitor->WriteHistory());
  ASSERT_EQ(doc_->GetHistory().GetCount(), 1);
}

// Stop, or a window destroyed without it, lets the receiver go once; a late tick reads nothing.
TEST_F(GpsMonitorTest, StopLetsTheReceiverGoOnceAndClearsTheRunningFlag) {
  for (const bool stop : {true, false}) {
    calls_.clear();
    {
      auto monitor = Running();
      if (stop) {
        monitor->Stop();
        monitor->UpdatePosition();
      }
    }
    EXPECT_EQ(calls_, (std::vector<std::string>{"Open", "Choose GGA", "Stop", "Close"}));
    EXPECT_EQ(doc_->GetSettings().monitorRunning, 0);
  }
}

// --- GPS sources as the options and the command line name them, and the feed that explains why
// a source gives no position ---

constexpr const char* kGga =
    "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n";
constexpr const char* kGgaNoFix = "$GPGGA,,,,,,0,00,99.99,,,,,,*48\r\n";
constexpr const char* kRmc =
    "$GNRMC,083559.00,A,4717.11437,N,00833.91522,E,0.004,77.52,091202,,,A*49\r\n";
constexpr const char* kGgaDamaged =
    "$GPGGA,123519,4807.039,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n";

struct ReadCase {
  const char* name;
  std::function<void(GpsFeed&)> events;  // what the source did, the feed opened at t = 0
  TimeValue readAt;
  int code;
  std::string text;  // Describe(code) after the read
};

TEST(GpsFeedRead, ExplainsWhyThereIsNoPosition) {
  const ReadCase cases[] = {
      // Ten seconds after the last position it still counts; eleven, not.
      {"Fresh", [](GpsFeed& f) { f.Feed(kGga, 1); }, 11, code::kPosition,
       "/dev/ttyUSB0: receiving"},
      {"Stale", [](GpsFeed& f) { f.Feed(kGga, 1); }, 12, code::kSilent,
       "/dev/ttyUSB0: no data for 11 s"},
      {"NothingAtAll", [](GpsFeed&) {}, 25, code::kSilent, "/dev/ttyUSB0: no data for 25 s"},
      {"JustOpened", [](GpsFeed&) {}, 3, code::kNoData, "/dev/ttyUSB0: no data yet"},
      {"OtherSentenceOnly", [](GpsFeed& f) { f.Feed(kRmc, 4); }, 6, code::kNoSentence,
       "/dev/ttyUSB0: no GGA sentence for 6 s"},
      {"FixLost",
       [](GpsFeed& f) {
         f.Feed(kGga, 1);
         f.Feed(kGgaNoFix, 2);
       },
       3, code::kNoFix, "/dev/ttyUSB0: the receiver has no fix"},
      {"MostlyDamaged",
       [](GpsFeed& f) {
         for (int i = 0; i < 30; ++i) f.Feed(i % 10 < 7 ? kGgaDamaged : kRmc, 1);
       },
       2, code::kChecksumErrors, "/dev/ttyUSB0: checksum errors: 14 of the last 20"},
      // A source that fails is named at once, whatever it gave before.
      {"SourceFailed",
       [](GpsFeed& f) {
         f.Feed(kGga, 1);
         f.Fail(code::kCannotOpen, "permission denied (is the user in the dialout group?)");
       },
       2, code::kCannotOpen, "/dev/ttyUSB0: permission denied (is the user in the dialout group?)"},
      {"ReopenedAfterFailure",
       [](GpsFeed& f) {
         f.Fail(code::kConnectionLost, "connection lost");
         f.Opened(20);
       },
       21, code::kNoData, "/dev/ttyUSB0: no data yet"}};
  for (const ReadCase& c : cases) {
    GpsFeed feed("/dev/ttyUSB0");
    feed.Opened(0);
    c.events(feed);
    const GpsReading reading = feed.Read(c.readAt);
    EXPECT_EQ(reading.code, c.code) << c.name;
    EXPECT_EQ(feed.Describe(reading.code), c.text) << c.name;
  }
}

// (The chosen sentence's position, whole across reads: the CLI's gps read and the NMEA
// decoder's tests.)
// (What the feed counts: the summary of the CLI's gps read.)

// --- Sources: tests/data/tables/gps_sources.txt ---

TEST(GpsSource, ReadsWritesAndRefusesAsTheTableSays) {
  const auto rows = test::ReadTable("tables/gps_sources.txt");
  ASSERT_EQ(rows.size(), 29u);
  for (const auto& row : rows) {
    SCOPED_TRACE(row.at(0) + " " + row.at(1));
    std::string error;
    if (row[0] == "settings") {
      MemorySettingsStore store;
      store.Write(setting::kGpsTransport, std::stoi(row[1]));
      store.Write(setting::kGpsAddress, row.at(2));
      store.Write(setting::kComDevices[1], "/dev/ttyACM0");
      const auto source = GpsSourceFromSettings(store, std::stoi(row.at(3)), error);
      EXPECT_EQ(source ? source->Text() : "", row.at(4)) << error;
      EXPECT_EQ(error.empty(), source.has_value());
      continue;
    }
    const auto source = ParseGpsSource(row[1], error);
    if (row[0] == "refuse") {
      EXPECT_FALSE(source);
      EXPECT_FALSE(error.empty());
      continue;
    }
    ASSERT_TRUE(source) << error;
    EXPECT_EQ(source->path.empty() ? source->host : source->path, row.at(2));
    EXPECT_EQ(source->Text(), row.at(3));
    // The written form reads back to the same source.
    const auto again = ParseGpsSource(source->Text(), error);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->Text(), source->Text());
  }
}

}  // namespace
}  // namespace keelmark
