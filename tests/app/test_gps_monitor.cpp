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

QString LabelText(QWidget* dialog, const char* name) {
  return dialog->findChild<QLabel*>(QLatin1String(name))->text();
}

int IconId(QWidget* dialog) {
  return dialog->findChild<QLabel*>(QStringLiteral("statusIcon"))->property("resourceId").toInt();
}

}  // namespace

class TestGpsMonitor : public QObject {
  Q_OBJECT

  ExampleClock clock_;

 private slots:
  void toolsGpsMonitorFollowsATcpSourceThatGoesAndComesBack() {
    ExampleFrame app;
    CMainFrame& frame = app.Frame();
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost, 0));
    app.Store().Write(setting::kGpsTransport, 1);
    app.Store().Write(setting::kGpsAddress, "127.0.0.1:" + std::to_string(server.serverPort()));
    Settings& settings = frame.Document().GetSettings();
    settings.updateSeconds = 0;  // becomes 1: the position ticks every second
    settings.writeToHis = 1;

    ActionOf(frame, "actionGpsMonitor")->trigger();
    QPointer<CGpsMonitorDialog> dialog = frame.findChild<CGpsMonitorDialog*>();
    QVERIFY(dialog && dialog->isVisible() && !dialog->isModal());
    QCOMPARE(LabelText(dialog, "status"), QString("Connecting to GPS..."));
    QCOMPARE(IconId(dialog), 143);
    QVERIFY(dialog->HistoryTimer().isActive());
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

    // The history timer's tick: a fix at the present position, shown in the list.
    ClickTab(frame, 1);
    const int rows = frame.View().model()->rowCount();
    dialog->OnHistoryTick();
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

  // (What a history tick writes, and the jumps it leaves out: the core's monitor tests.)
  void udpDatagramsWithoutLineEndsAreRead() {
    ExampleFolder folder;
    ExampleList list(folder);
    QUdpSocket probe;
    QVERIFY(probe.bind(QHostAddress::LocalHost, 0));
    const quint16 port = probe.localPort();
    probe.close();
    list.doc.GetStore().Write(setting::kGpsTransport, 2);
    list.doc.GetStore().Write(setting::kGpsAddress, std::to_string(port));
    FixedClock clock(ExampleNow());
    CGpsMonitorDialog dialog(list.doc, clock, OptionsGpsReceiver(list.doc));
    QVERIFY(dialog.Start());
    QUdpSocket bridge;
    QElapsedTimer waited;
    waited.start();
    // One sentence a datagram without its line end, as some bridges send them.
    while (LabelText(&dialog, "latitude") != "48 : 7.04 N" && waited.elapsed() < kWait) {
      bridge.writeDatagram(QByteArray(kGga).trimmed(), QHostAddress::LocalHost, port);
      QTest::qWait(20);
      dialog.OnPositionTick();
    }
    QCOMPARE(LabelText(&dialog, "latitude"), QString("48 : 7.04 N"));
  }

  // A log file, but none named, or one that cannot be read: said, and the monitor closes.
  void optionsThatNameNoReadableSourceCloseTheMonitor() {
    for (const auto& [path, message] :
         {std::pair<QString, const char*>{"", "Can not load GPS library"},
          {"missing.nmea", "GPS Init failed"}}) {
      ExampleFolder folder;
      ExampleFrame app(folder);
      app.Store().Write(setting::kGpsTransport, 4);
      app.Store().Write(setting::kGpsAddress,
                        path.isEmpty() ? std::string() : folder.Path(path).toStdString());
      ActionOf(app.Frame(), "actionGpsMonitor")->trigger();
      QCOMPARE(app.Prompter().Messages().size(), size_t(1));
      QCOMPARE(app.Prompter().Messages()[0].text, std::string(message));
      QTRY_VERIFY(!app.Frame().findChild<CGpsMonitorDialog*>());
    }
  }
};

QTEST_MAIN(TestGpsMonitor)
#include "test_gps_monitor.moc"
