#include <gtest/gtest.h>

#include <cmath>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "document/gps_monitor.h"
#include "navigation/navigation.h"
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
    return openCode;
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

  int openCode = 0;
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

struct PeriodCase {
  int updateSeconds;
  int writeToHis;
  int writeToHisMinutes;
  std::int64_t positionMilliseconds;
  std::int64_t historyMilliseconds;
  int storedSeconds;
  int storedMinutes;
};

class GpsMonitorPeriodTest : public GpsMonitorTest,
                             public testing::WithParamInterface<PeriodCase> {};

TEST_P(GpsMonitorPeriodTest, TimersHaveTheirLeastPeriodsStoredBack) {
  const PeriodCase& c = GetParam();
  Settings& settings = doc_->GetSettings();
  settings.updateSeconds = c.updateSeconds;
  settings.writeToHis = c.writeToHis;
  settings.writeToHisMinutes = c.writeToHisMinutes;
  GpsMonitor monitor(*doc_, clock_);
  const GpsMonitor::Periods periods = monitor.Create();
  EXPECT_EQ(periods.positionMilliseconds, c.positionMilliseconds);
  EXPECT_EQ(periods.historyMilliseconds, c.historyMilliseconds);
  EXPECT_EQ(periods.writeHistory, c.writeToHis != 0);
  EXPECT_EQ(settings.updateSeconds, c.storedSeconds);
  EXPECT_EQ(settings.writeToHisMinutes, c.storedMinutes);
  EXPECT_EQ(settings.useNMEA, 1);
  EXPECT_EQ(monitor.StatusText(), kGpsLoading);
}

INSTANTIATE_TEST_SUITE_P(Periods, GpsMonitorPeriodTest,
                         testing::Values(PeriodCase{60, 1, 30, 60000, 1800000, 60, 30},
                                         PeriodCase{0, 1, 5, 1000, 600000, 1, 10},
                                         PeriodCase{-7, 0, -1, 1000, 600000, 1, 10},
                                         PeriodCase{1, 1, 10, 1000, 600000, 1, 10},
                                         // Far beyond a timer's int: the longest it can take.
                                         PeriodCase{2000000000, 1, 2000000000, 2147483647,
                                                    2147483647, 2000000000, 2000000000}));

struct StartCase {
  const char* name;
  int monitorRunning;
  bool answerYes;
  bool haveReceiver;
  int openCode;
  int chooseCode;
  int gpsString;
  bool started;
  std::vector<std::string> calls;
  std::vector<std::string> messages;
  const char* status;
};

class GpsMonitorStartTest : public GpsMonitorTest, public testing::WithParamInterface<StartCase> {};

TEST_P(GpsMonitorStartTest, OpensTheReceiverOrSaysWhyNot) {
  const StartCase& c = GetParam();
  Settings& settings = doc_->GetSettings();
  settings.monitorRunning = c.monitorRunning;
  settings.gpsString = c.gpsString;
  prompter_.QueueAnswer(c.answerYes);
  GpsMonitor monitor(*doc_, clock_);
  (void)monitor.Create();
  std::unique_ptr<ScriptedReceiver> receiver = NewReceiver();
  receiver->openCode = c.openCode;
  receiver->chooseCode = c.chooseCode;
  EXPECT_EQ(monitor.Start(c.haveReceiver ? std::move(receiver) : nullptr), c.started);
  EXPECT_EQ(calls_, c.calls);
  std::vector<std::string> messages;
  for (const auto& shown : prompter_.Messages()) messages.push_back(shown.text);
  EXPECT_EQ(messages, c.messages);
  EXPECT_EQ(prompter_.Questions().size(), c.monitorRunning == 1 ? 1u : 0u);
  EXPECT_EQ(monitor.StatusText(), c.status);
  EXPECT_EQ(monitor.Icon(), c.started ? GpsStatusIcon::kConnecting : GpsStatusIcon::kFailure);
  EXPECT_EQ(monitor.State(),
            c.started ? GpsMonitorState::kConnecting : GpsMonitorState::kNotRunning);
  // A monitor that runs says so in the settings; one that closed again does not.
  EXPECT_EQ(settings.monitorRunning, c.started ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Starts, GpsMonitorStartTest,
    testing::Values(
        StartCase{"Gga", 0, false, true, 0, 0, 0, true, {"Open", "Choose GGA"}, {}, kGpsConnecting},
        StartCase{"Gll", 0, false, true, 0, 0, 2, true, {"Open", "Choose GLL"}, {}, kGpsConnecting},
        StartCase{"UnknownSentenceNotChosen",
                  0,
                  false,
                  true,
                  0,
                  0,
                  7,
                  true,
                  {"Open"},
                  {},
                  kGpsConnecting},
        StartCase{"RunningAnswerYes",
                  1,
                  true,
                  true,
                  0,
                  0,
                  1,
                  true,
                  {"Open", "Choose RMC"},
                  {},
                  kGpsConnecting},
        StartCase{"RunningAnswerNo", 1, false, true, 0, 0, 0, false, {}, {}, kGpsLoading},
        StartCase{"NoLibrary", 0, false, false, 0, 0, 0, false, {}, {kGpsCannotLoad}, kGpsNoData},
        StartCase{"OpenFails",
                  0,
                  false,
                  true,
                  code::kCannotOpen,
                  0,
                  0,
                  false,
                  {"Open", "Choose GGA", "Stop", "Close"},
                  {kGpsInitFailed},
                  "scripted failure -1"},
        StartCase{"ChooseFails",
                  0,
                  false,
                  true,
                  0,
                  -9,
                  0,
                  false,
                  {"Open", "Choose GGA", "Stop", "Close"},
                  {kGpsInitFailed},
                  "scripted failure -9"}),
    [](const testing::TestParamInfo<StartCase>& row) { return std::string(row.param.name); });

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
  EXPECT_EQ(monitor->LongitudeText(), "5 : 0.00 E");
  EXPECT_EQ(monitor->SpeedText(), "15.0 kts");
  EXPECT_EQ(monitor->CourseText(), "0.0 deg");
  EXPECT_EQ(monitor->StatusText(), kGpsReceiving);
  EXPECT_EQ(monitor->Icon(), GpsStatusIcon::kReceiving);
  EXPECT_EQ(monitor->State(), GpsMonitorState::kReceiving);
  EXPECT_EQ(notified_, 1);

  // The engine setting and course steered are the vessel's, and the log speed is the one a fix
  // entered by hand with them would get.
  EXPECT_EQ(present.EngineRpm, 85.0);
  EXPECT_EQ(present.SteeredCourse, 10.0);
  HistoryList scratch;
  PositionFix* byHand = ProposeLatestFix(scratch);
  FixEntry entry = OpeningEntry(*byHand, vessel);
  entry.engineRpm = 85.0;
  entry.steeredCourse = 10.0;
  entry.weather = present.Weather;
  CVessel2 copy = vessel;
  MeteoList meteo;
  (void)ConfirmFix(scratch, *byHand, entry, copy, meteo);
  EXPECT_GT(present.LogSpeed, 0.0);
  EXPECT_DOUBLE_EQ(present.LogSpeed, byHand->LogSpeed);
  // The present position stays the monitor's: the document does not take it from the history.
  EXPECT_DOUBLE_EQ(doc_->GetPresentPosition().GetLatitude(), -50.0);
}

struct KeptCase {
  const char* name;
  bool historyFix;  // one at the present time, else none
};

class GpsMonitorMadeGoodKeptTest : public GpsMonitorTest,
                                   public testing::WithParamInterface<KeptCase> {};

TEST_P(GpsMonitorMadeGoodKeptTest, NoTimeSinceTheLastFixKeepsThePreviousValues) {
  if (GetParam().historyFix) AddHistoryFix(10.0, 10.0, 0.0);
  PositionFix& present = doc_->PresentPosition();
  present.SpeedMadeGood = 12.5;
  present.CourseMadeGood = 250.0;
  auto monitor = Running();
  receiver_->readings = {At(10.1, 10.0)};
  monitor->UpdatePosition();
  EXPECT_DOUBLE_EQ(present.GetLatitude(), 10.1);
  EXPECT_EQ(present.SpeedMadeGood, 12.5);
  EXPECT_EQ(present.CourseMadeGood, 250.0);
  EXPECT_EQ(monitor->SpeedText(), "12.5 kts");
}

INSTANTIATE_TEST_SUITE_P(Kept, GpsMonitorMadeGoodKeptTest,
                         testing::Values(KeptCase{"FixAtTheSameTime", true},
                                         KeptCase{"NoFix", false}),
                         [](const testing::TestParamInfo<KeptCase>& row) {
                           return std::string(row.param.name);
                         });

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

TEST_F(GpsMonitorTest, WritesAFixEachHistoryPeriodWithMadeGoodFromTheOneBefore) {
  doc_->GetSettings().writeToHis = 1;
  auto monitor = Running();
  // A minute's tick for half an hour at 12 knots due east along the equator, a history tick
  // every ten minutes.
  int written = 0;
  for (int minute = 1; minute <= 30; ++minute) {
    clock_.Advance(60);
    receiver_->readings = {At(0.0, minute * 0.2 / 60.0)};
    monitor->UpdatePosition();
    if (minute % 10 == 0 && monitor->WriteHistory()) ++written;
  }
  EXPECT_EQ(written, 3);
  const HistoryList& history = doc_->GetHistory();
  ASSERT_EQ(history.GetCount(), 3);
  const PositionFix* last = history.GetLast();
  EXPECT_DOUBLE_EQ(last->GetLongitude(), 0.1);
  EXPECT_DOUBLE_EQ(last->GetTime(), Now());
  EXPECT_EQ(last->GetName(), kLatestFixName);
  EXPECT_NEAR(last->SpeedMadeGood, 12.0, 1e-3);
  EXPECT_NEAR(last->CourseMadeGood, 90.0, 1e-6);
  // Against the last history fix, ten minutes back, the present position runs at 12 knots too.
  EXPECT_NEAR(doc_->PresentPosition().SpeedMadeGood, 12.0, 1e-3);
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

TEST_F(GpsMonitorTest, AJumpIsShownButNotWritten) {
  auto monitor = Running();
  receiver_->readings = {At(10.0, 10.0), At(10.0 + 10.0 / 60.0, 10.0), At(10.0 + 10.0 / 60.0, 10.0),
                         At(10.0 + 10.5 / 60.0, 10.0)};
  monitor->UpdatePosition();
  // Ten miles in a minute: 600 knots.
  clock_.Advance(60);
  monitor->UpdatePosition();
  EXPECT_TRUE(monitor->LastPositionJumped());
  EXPECT_NEAR(doc_->PresentPosition().GetLatitude(), 10.0 + 10.0 / 60.0, 1e-9);
  EXPECT_FALSE(monitor->WriteHistory());
  // Where it jumped to, it stays: the next tick is plausible again and is written.
  clock_.Advance(60);
  monitor->UpdatePosition();
  EXPECT_FALSE(monitor->LastPositionJumped());
  EXPECT_TRUE(monitor->WriteHistory());
  // Half a mile in a minute is 30 knots: below the limit.
  clock_.Advance(60);
  monitor->UpdatePosition();
  EXPECT_FALSE(monitor->LastPositionJumped());
  ASSERT_EQ(doc_->GetHistory().GetCount(), 1);
  EXPECT_NEAR(doc_->GetHistory().GetLast()->GetLatitude(), 10.0 + 10.0 / 60.0, 1e-9);
}

TEST_F(GpsMonitorTest, AJumpWithinTheSameSecondIsOneToo) {
  auto monitor = Running();
  receiver_->readings = {At(10.0, 10.0), At(10.001, 10.0), At(10.001, 10.0)};
  monitor->UpdatePosition();
  monitor->UpdatePosition();  // moved in no time at all
  EXPECT_TRUE(monitor->LastPositionJumped());
  monitor->UpdatePosition();  // not moved in no time at all
  EXPECT_FALSE(monitor->LastPositionJumped());
}

TEST_F(GpsMonitorTest, StopLetsTheReceiverGoOnceAndClearsTheRunningFlag) {
  {
    auto monitor = Running();
    EXPECT_EQ(doc_->GetSettings().monitorRunning, 1);
    monitor->Stop();
    EXPECT_EQ(doc_->GetSettings().monitorRunning, 0);
    EXPECT_EQ(monitor->State(), GpsMonitorState::kNotRunning);
    monitor->UpdatePosition();  // a late timer tick reads nothing
  }
  EXPECT_EQ(calls_, (std::vector<std::string>{"Open", "Choose GGA", "Stop", "Close"}));
  // A window destroyed without Stop stops its monitor too.
  calls_.clear();
  { auto monitor = Running(); }
  EXPECT_EQ(calls_, (std::vector<std::string>{"Open", "Choose GGA", "Stop", "Close"}));
  EXPECT_EQ(doc_->GetSettings().monitorRunning, 0);
}

}  // namespace
}  // namespace keelmark
