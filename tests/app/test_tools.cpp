// The Tools on the example data. The GPS monitor window on real sources started by the test: a
// TCP server that drops the connection and takes the next, and UDP datagrams; waits are for
// conditions, with timeouts. The "Master Schedule" dialog: what it shows, adding, changing and
// removing port calls with their totals, the checks of its fields, and the stored files. The
// calculator sheet: typing on every page shows the texts of the calculator's own computations,
// bad input shows "NA" and is named when the page is left, the keyboard never closes the sheet
// by accident, and the ship's vessel file stays as it was.
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QPointer>
#include <QTableView>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUdpSocket>
#include <QtTest>
#include <array>
#include <cmath>
#include <functional>

#include "app/calculator_sheet.h"
#include "app/date_time_entry.h"
#include "app/gps_monitor_dialog.h"
#include "app/schedule_dialog.h"
#include "records/archive_file.h"
#include "records/settings_keys.h"
#include "tests/app/editor_test_support.h"
#include "voyage/calculator.h"

namespace keelmark::test {

namespace {

QStringList Totals(QWidget* dialog) {
  QStringList texts;
  for (const char* field :
       {"Total portstay", "At sea", "Total distance", "Av. Speed", "Fuel Cons"}) {
    texts << Text(dialog, field);
  }
  return texts;
}

void Press(QWidget* dialog, const char* button) { Click(ButtonText(dialog, button)); }

// Runs the calculator and `drive` on it once it shows.
void DriveCalculator(EditorFixture& fixture, const std::function<void(PropertySheet&)>& drive) {
  DriveSheet(
      [&] {
        RunCalculator(nullptr, fixture.Doc());
        return true;
      },
      drive);
}

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

class TestTools : public QObject {
  Q_OBJECT

  ExampleClock clock_;  // for the GPS monitor's main window

 private slots:
  void addChangeAndRemoveCallsWithTheirTotals() {
    EditorFixture fixture;
    CMasterScheduleDialog dialog(fixture.Doc());
    const QAbstractItemModel& list = *dialog.findChild<QTableView*>()->model();
    QCOMPARE(list.rowCount(), 5);
    QCOMPARE(RowTexts(list, 1), (QStringList{"New York", "14.5 kts", "56.6 rpm", "10 Dec 15:00 LT",
                                             "12 Dec 15:00 LT"}));
    QCOMPARE(Totals(&dialog),
             (QStringList{"128.0 hrs", "490.0 hrs", "7275.0 nM", "14.8 kts", "542.9 mT"}));
    QCOMPARE(Text(&dialog, "Name"), QString("Rotterdam"));  // the first call opens selected

    // Norfolk is 12 hours from New York: 300 nM make 25 knots.
    auto* view = dialog.findChild<QTableView*>();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      view->visualRect(list.index(2, 0)).center());
    QCOMPARE(Text(&dialog, "Name"), QString("Norfolk"));
    Type(Field<QLineEdit>(&dialog, "Distance"), "300");
    Press(&dialog, "Save Changes");
    QCOMPARE(RowTexts(list, 2).mid(0, 2), (QStringList{"Norfolk", "25.0 kts"}));

    // A new call a day after Antwerp's departure (26 Dec 18:00 UTC), 240 nM on: 10 knots.
    Press(&dialog, "New Item");
    QCOMPARE(dialog.SelectedRow(), 5);
    Type(Field<QLineEdit>(&dialog, "Name"), "Le Havre");
    Type(Field<QLineEdit>(&dialog, "Distance"), "240");
    Type(Field<QLineEdit>(&dialog, "Local time"), "1");
    Field<DateTimeEntry>(&dialog, "Scheduled ETA")  // local: 18:00 UTC
        ->setDateTime(QDateTime(QDate(2026, 12, 27), QTime(19, 0), Qt::UTC));
    Press(&dialog, "Save Changes");
    QCOMPARE(RowTexts(list, 5).mid(0, 2), (QStringList{"Le Havre", "10.0 kts"}));

    // Removing Antwerp asks first; No keeps it, Yes removes it.
    dialog.findChild<QTableView*>()->setCurrentIndex(list.index(4, 0));
    Press(&dialog, "Remove Item");
    QCOMPARE(list.rowCount(), 6);
    fixture.Prompter().QueueAnswer(true);
    Press(&dialog, "Remove Item");
    QCOMPARE(QString::fromStdString(fixture.Prompter().Questions().back().text),
             QString("Remove Antwerp\nAre you sure?"));
    QCOMPARE(list.rowCount(), 5);
    QCOMPARE(Text(&dialog, "Name"), QString("Le Havre"));  // the call now in its place
    // The totals are the schedule's own (its core tests); here only that they follow the list.
    QCOMPARE(Totals(&dialog)[2], QString("4820.0 nM"));
  }

  void fieldsOutsideTheirRangesChangeNothing() {
    const std::array<std::array<const char*, 3>, 3> cases = {
        {{"Distance", "-1", "Distance: please enter a number between 0 and 50000."},
         {"Local time", "14.5", "Local time: please enter a number between -14 and 14."},
         {"Scheduled portstay", "two days",
          "Scheduled portstay: please enter a number between 0 and 9999."}}};
    for (const auto& [field, typed, message] : cases) {
      EditorFixture fixture;
      CMasterScheduleDialog dialog(fixture.Doc());
      Type(Field<QLineEdit>(&dialog, "Name"), "Changed");
      Type(Field<QLineEdit>(&dialog, field), typed);
      Press(&dialog, "Save Changes");
      QCOMPARE(fixture.Messages(), QStringList{message});
      QCOMPARE(dialog.Schedule().Rows()[0].name, std::string("Rotterdam"));
    }
  }

  void closeStoresTheFileAndOffersTheText() {
    EditorFixture fixture;
    const QString textPath = fixture.Folder().Path("schedule.txt");
    fixture.Prompter().QueueAnswer(true);  // "Create schedule as text file?"
    fixture.Prompter().QueueFile(textPath.toStdString());
    bool openAfterEnter = false;
    OnNext<CMasterScheduleDialog>([&openAfterEnter](CMasterScheduleDialog& dialog) {
      Press(&dialog, "New Item");
      QTest::keyClick(Field<QLineEdit>(&dialog, "Name"), Qt::Key_Return);
      openAfterEnter = dialog.isVisible();
      Press(&dialog, "Close");
    });
    RunMasterSchedule(nullptr, fixture.Doc());
    QVERIFY(openAfterEnter);
    MasterSchedule stored(fixture.Doc().GetVessel());
    QVERIFY(stored.Load(fixture.Folder().Path("schedule.dat").toStdString()).Ok());
    QCOMPARE(stored.Items().GetCount(), 6);
    QCOMPARE(stored.Items().GetLast()->Name, std::string("New Item"));
    QCOMPARE(fixture.Prompter().FileChoices().back().initialName, std::string("Schedule"));
    const QByteArray text = FileBytes(textPath);
    QVERIFY(text.startsWith("Master Schedule created by Keelmark Route\r\n\r\nPort\t\tETA"));
    QVERIFY(text.contains("Rotterdam\t29 Nov 19:00 LT\t01 Dec 01:00 LT\t0.0 kts\r\n"));
  }

  // Regression: a damaged schedule file was written over by the empty schedule.
  void aDamagedFileIsKeptAndCancelStoresNothing() {
    EditorFixture fixture;
    const QString path = fixture.Folder().Path("schedule.dat");
    QVERIFY(WriteFileAtomically(path.toStdString(), std::string("\x05\x00\x00\x00garbage", 11)));
    for (const bool close : {false, true}) {  // the window's close box, then "Close"
      // Left open, the dialog is cancelled.
      OnNext<CMasterScheduleDialog>([close](CMasterScheduleDialog& dialog) {
        if (close) Press(&dialog, "Close");
      });
      RunMasterSchedule(nullptr, fixture.Doc());
      if (!close) QCOMPARE(FileBytes(path).size(), 11);
    }
    QCOMPARE(fixture.Messages().first(), QString(MasterSchedule::kLoadFailed));
    const QStringList kept =
        QDir(fixture.Folder().Path(".")).entryList({"schedule.dat.damaged-*"}, QDir::Files);
    QCOMPARE(kept.size(), 1);
    QCOMPARE(FileBytes(fixture.Folder().Path(kept[0])).size(), 11);
    QCOMPARE(FileBytes(path), QByteArray(4, '\0'));  // the empty schedule
  }

  void everythingFits() {
    EditorFixture fixture;
    CMasterScheduleDialog dialog(fixture.Doc());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QVERIFY(dialog.width() >= dialog.minimumSizeHint().width() &&
            dialog.height() >= dialog.minimumSizeHint().height());
    if (const QString folder = qEnvironmentVariable("KEELMARK_SCREENSHOTS"); !folder.isEmpty())
      QVERIFY(QDir().mkpath(folder) && dialog.grab().save(folder + "/master-schedule.png"));
  }

  // Each page shows the text of its computation: tests/data/tables/calculator_pages.txt.
  void everyPageShowsTheCalculatorsText() {
    for (const QStringList& c : DataTable("calculator_pages.txt")) {
      EditorFixture fixture;
      QString shown;
      DriveCalculator(fixture, [&](PropertySheet& sheet) {
        Apply(sheet, c[0]);
        shown = Text(sheet.CurrentPage(), c[1]);
      });
      QCOMPARE(shown, c[2]);
    }
  }

  void badInputShowsNaAndIsNamedWhenThePageIsLeft() {
    EditorFixture fixture;
    QStringList shown;
    DriveCalculator(fixture, [&](PropertySheet& sheet) {
      PropertyPage* page = sheet.CurrentPage();
      Type(Field<QLineEdit>(page, "Arrival latitude degrees"), "95");
      shown << Text(page, "Course") << Text(page, "Distance");
      ShowPage(sheet, "Speed");
      shown << sheet.CurrentPage()->Caption();
    });
    QCOMPARE(shown, (QStringList{"NA", "NA", "Distances"}));
    QCOMPARE(
        fixture.Messages(),
        QStringList{"Arrival latitude degrees: please enter a whole number between 0 and 90."});
  }

  void keyboardTabsThroughTheFieldsAndEnterKeepsTheSheetOpen() {
    EditorFixture fixture;
    QStringList visited;
    bool open = false;
    DriveCalculator(fixture, [&](PropertySheet& sheet) {
      sheet.activateWindow();
      QVERIFY(QTest::qWaitForWindowActive(&sheet));
      Field<QLineEdit>(ShowPage(sheet, "Wheel over Point"), "Original grnd course")->setFocus();
      for (int i = 0; i < 5; ++i) {
        QTest::keyClick(QApplication::focusWidget(), i < 4 ? Qt::Key_Tab : Qt::Key_Return);
        visited << QApplication::focusWidget()->accessibleName();
      }
      open = sheet.isVisible();
    });
    QCOMPARE(visited, (QStringList{"Required grnd course", "Current direction", "Current speed",
                                   "Rate of turn", "Rate of turn"}));
    QVERIFY(open);
  }

  void theShipsVesselStaysAsItWas() {
    EditorFixture fixture;
    const QString path = QString::fromStdString(fixture.Doc().DataFilePath(setting::kVesselPath));
    const QByteArray before = FileBytes(path);
    const double mctc = fixture.Doc().GetVessel().mctc;
    DriveCalculator(fixture, [&](PropertySheet& sheet) {
      Type(Field<QLineEdit>(ShowPage(sheet, "Squat"), "ETM"), "1");
      Type(Field<QLineEdit>(ShowPage(sheet, "Height"), "Draft Aft"), "3");
      Click(sheet.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Close));
    });
    fixture.Doc().Close();
    QCOMPARE(fixture.Doc().GetVessel().mctc, mctc);
    QCOMPARE(FileBytes(path), before);
    QVERIFY(fixture.Messages().isEmpty());
  }

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
    ExampleList list;
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

}  // namespace keelmark::test

QTEST_MAIN(keelmark::test::TestTools)
#include "test_tools.moc"
