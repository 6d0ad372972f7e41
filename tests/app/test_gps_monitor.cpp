// The GPS monitor window on real sources started by the test: a TCP server that drops the
// connection and takes the next, and UDP datagrams. Waits are for conditions, with timeouts.
#include <QElapsedTimer>
#include <QLabel>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUdpSocket>
#include <cmath>

#include "app/gps_monitor_dialog.h"
#include "records/settings_keys.h"
#include "tests/app/app_test_support.h"

using namespace keelmark;
using namespace keelmark::test;

namespace {

constexpr int kWait = 15000;  // ms; a source reached again waits a retry period of 1 s first

// 48 07.038 N, 11 31.000 E, and the same a mile further north.
constexpr const char* kGga =
    "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n";
constexpr const char* kGgaMileNorth =
    "$GPGGA,124519,4808.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*4F\r\n";
// Sixty miles south: no ship gets there in ten minutes.
constexpr const char* kGgaFarSouth = "$GPGGA,125519,4707.038,N,01131.000,E,1,08\r\n";

QString LabelText(QWidget* dialog, const char* name) {
  return dialog->findChild<QLabel*>(QLatin1String(name))->text();
}

int IconId(QWidget* dialog) {
  return dialog->findChild<QLabel*>(QStringLiteral("statusIcon"))->property("resourceId").toInt();
}

}  // namespace

class TestGpsMonitor : public QObject {
  Q_OBJECT

 private slots:
  void toolsGpsMonitorFollowsATcpSourceThatGoesAndComesBack() {
    ExampleClock time;
    ExampleFolder folder;
    ExampleFrame app(folder);
    CMainFrame& frame = app.Frame();
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost, 0));
    app.Store().Write(setting::kGpsTransport, 1);
    app.Store().Write(setting::kGpsAddress, "127.0.0.1:" + std::to_string(server.serverPort()));
    Settings& settings = frame.Document().GetSettings();
    settings.updateSeconds = 0;      // becomes 1
    settings.writeToHisMinutes = 5;  // becomes 10
    settings.writeToHis = 1;

    ActionOf(frame, "actionGpsMonitor")->trigger();
    QPointer<CGpsMonitorDialog> dialog = frame.findChild<CGpsMonitorDialog*>();
    QVERIFY(dialog && dialog->isVisible() && !dialog->isModal());
    QCOMPARE(dialog->windowTitle(), QString("Keelmark GPS Monitor"));
    QCOMPARE(LabelText(dialog, "status"), QString("Connecting to GPS..."));
    QCOMPARE(IconId(dialog), 143);
    QCOMPARE(dialog->PositionTimer().interval(), 1000);
    QCOMPARE(dialog->HistoryTimer().interval(), 600000);
    QVERIFY(dialog->HistoryTimer().isActive());
    QCOMPARE(settings.updateSeconds, 1);
    QCOMPARE(settings.writeToHisMinutes, 10);
    QCOMPARE(settings.monitorRunning, 1);
    // The command a second time brings the same window forward.
    ActionOf(frame, "actionGpsMonitor")->trigger();
    QCOMPARE(frame.findChildren<CGpsMonitorDialog*>().size(), 1);

    QTRY_VERIFY_WITH_TIMEOUT(server.hasPendingConnections(), kWait);
    QTcpSocket* talker = server.nextPendingConnection();
    talker->write(kGga);
    QTRY_COMPARE_WITH_TIMEOUT(LabelText(dialog, "status"), QString("Receiving data from NMEA.."),
                              kWait);
    QCOMPARE(IconId(dialog), 142);
    QCOMPARE(LabelText(dialog, "latitude"), QString("48 : 7.04 N"));
    QCOMPARE(LabelText(dialog, "longitude"), QString("11 : 31.00 E"));
    QVERIFY(std::abs(frame.Document().PresentPosition().GetLatitude() - 48.1173) < 1e-9);

    // The history timer's tick: a fix at the present position, shown in the list.
    ClickTab(frame, 1);
    const int rows = frame.View().model()->rowCount();
    const int fixes = frame.Document().GetHistory().GetCount();
    dialog->OnHistoryTick();
    QCOMPARE(frame.Document().GetHistory().GetCount(), fixes + 1);
    QVERIFY(std::abs(frame.Document().GetHistory().GetLast()->GetLatitude() - 48.1173) < 1e-9);
    QCOMPARE(frame.View().model()->rowCount(), rows + 1);

    // The multiplexer goes away: the monitor says so and keeps trying.
    talker->abort();
    QTRY_VERIFY_WITH_TIMEOUT(
        LabelText(dialog, "status").contains("the source closed the connection"), kWait);
    QCOMPARE(IconId(dialog), 141);
    QTRY_VERIFY_WITH_TIMEOUT(server.hasPendingConnections(), kWait);
    talker = server.nextPendingConnection();
    talker->write(kGgaMileNorth);
    QTRY_COMPARE_WITH_TIMEOUT(LabelText(dialog, "latitude"), QString("48 : 8.04 N"), kWait);
    QCOMPARE(LabelText(dialog, "status"), QString("Receiving data from NMEA.."));

    QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("stop")), Qt::LeftButton);
    QTRY_VERIFY(dialog.isNull());
    QCOMPARE(settings.monitorRunning, 0);
    // The receiver let the connection go.
    QTRY_COMPARE_WITH_TIMEOUT(talker->state(), QAbstractSocket::UnconnectedState, kWait);
  }

  void historyFixesFollowTheClockAndAJumpIsNotWritten() {
    ExampleClock time;
    ExampleFolder folder;
    ExampleList list(folder);
    CKeelmarkRouteXPDoc& doc = list.doc;
    QUdpSocket probe;
    QVERIFY(probe.bind(QHostAddress::LocalHost, 0));
    const quint16 port = probe.localPort();
    probe.close();
    doc.GetStore().Write(setting::kGpsTransport, 2);
    doc.GetStore().Write(setting::kGpsAddress, std::to_string(port));
    doc.GetSettings().writeToHis = 1;
    FixedClock clock(ExampleNow());
    CGpsMonitorDialog dialog(doc, clock, OptionsGpsReceiver(doc));
    QVERIFY(dialog.Start());
    QUdpSocket bridge;
    // Sends the sentence until a position tick shows the latitude, the clock standing still;
    // `settle` ticks once more on it, so that the position is no jump from the tick before.
    const auto showUntil = [&](const char* sentence, const QString& latitude, bool settle) {
      QElapsedTimer waited;
      waited.start();
      bool shown = false;
      while (!shown && waited.elapsed() < kWait) {
        bridge.writeDatagram(sentence, QHostAddress::LocalHost, port);
        QTest::qWait(20);
        dialog.OnPositionTick();
        shown = LabelText(&dialog, "latitude") == latitude;
      }
      QVERIFY(shown);
      if (settle) dialog.OnPositionTick();
    };
    const int before = doc.GetHistory().GetCount();
    showUntil(kGga, "48 : 7.04 N", true);
    dialog.OnHistoryTick();
    clock.Advance(600);
    showUntil(kGgaMileNorth, "48 : 8.04 N", true);
    dialog.OnHistoryTick();
    QCOMPARE(doc.GetHistory().GetCount(), before + 2);
    const PositionFix* last = doc.GetHistory().GetLast();
    QCOMPARE(last->GetTimeValue(), ExampleNow() + 600);
    QVERIFY(std::abs(last->SpeedMadeGood - 6.0) < 1e-3);  // a mile in ten minutes
    QCOMPARE(LabelText(&dialog, "speed"), QString("6.0 kts"));

    // Sixty miles in a minute: shown, not written.
    clock.Advance(60);
    showUntil(kGgaFarSouth, "47 : 7.04 N", false);
    dialog.OnHistoryTick();
    QCOMPARE(doc.GetHistory().GetCount(), before + 2);
  }

  void aMonitorThatSeemsToRunAsksFirst() {
    ExampleClock time;
    ExampleFolder folder;
    ExampleFrame app(folder);
    CMainFrame& frame = app.Frame();
    frame.Document().GetSettings().monitorRunning = 1;
    app.Prompter().QueueAnswer(false);
    ActionOf(frame, "actionGpsMonitor")->trigger();
    QCOMPARE(app.Prompter().Questions().size(), size_t(1));
    QCOMPARE(app.Prompter().Questions()[0].text,
             std::string("GPS Monitor seems to be running already\nContinue anyway?"));
    QTRY_VERIFY(!frame.findChild<CGpsMonitorDialog*>());
    QCOMPARE(frame.Document().GetSettings().monitorRunning, 0);
  }

  void optionsThatNameNoSourceCloseTheMonitor() {
    ExampleClock time;
    ExampleFolder folder;
    ExampleFrame app(folder);
    app.Store().Write(setting::kGpsTransport, 4);  // a log file, but none named
    app.Store().Write(setting::kGpsAddress, "");
    ActionOf(app.Frame(), "actionGpsMonitor")->trigger();
    QCOMPARE(app.Prompter().Messages().size(), size_t(1));
    QCOMPARE(app.Prompter().Messages()[0].text, std::string("Can not load GPS library"));
    QTRY_VERIFY(!app.Frame().findChild<CGpsMonitorDialog*>());
  }

  void aLogThatCannotBeReadFailsTheStart() {
    ExampleClock time;
    ExampleFolder folder;
    ExampleFrame app(folder);
    app.Store().Write(setting::kGpsTransport, 4);
    app.Store().Write(setting::kGpsAddress, folder.Path("missing.nmea").toStdString());
    ActionOf(app.Frame(), "actionGpsMonitor")->trigger();
    QCOMPARE(app.Prompter().Messages().size(), size_t(1));
    QCOMPARE(app.Prompter().Messages()[0].text, std::string("GPS Init failed"));
    QTRY_VERIFY(!app.Frame().findChild<CGpsMonitorDialog*>());
  }
};

QTEST_MAIN(TestGpsMonitor)
#include "test_gps_monitor.moc"
