// The options sheet and the ship's documents opened with the desktop. (Cancel and an unchanged
// OK of the options sheet: test_editors_records.)
#include <QColorDialog>
#include <QUrl>
#include <QtTest>

#include "app/document_dialog.h"
#include "app/record_editors.h"
#include "tests/app/desktop_spy.h"
#include "tests/app/editor_test_support.h"

namespace keelmark::test {

namespace {

QString StoreText(const SettingsStore& store, const TextSetting& key) {
  return QString::fromStdString(store.Read(key));
}

bool DriveOptions(EditorFixture& fixture, const QString& steps, bool ok = true) {
  return DriveSheet([&] { return EditOptions(nullptr, fixture.Doc()); },
                    [&](PropertySheet& sheet) {
                      Apply(sheet, steps);
                      if (ok) PressOk(sheet);
                    });
}

// Answers the next colour chooser with a colour, or cancels it.
void AnswerColorChooser(std::optional<QColor> color) {
  HandleNextModal([color](QWidget* modal) {
    auto* chooser = qobject_cast<QColorDialog*>(modal);
    if (!chooser) return false;
    if (color) chooser->setCurrentColor(*color);
    color ? chooser->accept() : chooser->reject();
    return true;
  });
}

}  // namespace

class TestEditorsOptions : public QObject {
  Q_OBJECT

 private slots:
  // Paths, ports and mail reach the settings store at once; the rest goes into the document,
  // stored at exit.
  void okWritesPathsAtOnceAndTheRestIntoTheDocument() {
    EditorFixture fixture;
    SettingsStore& store = fixture.Store();
    QVERIFY(DriveOptions(fixture,
                         "Path/History data=/data/history.dat; Master Schedule=/data/schedule.dat; "
                         "Documents/Masters standing orders=/docs/orders.odt; "
                         "History/Maximum days to retain history=30; "
                         "NMEA/COM3=/dev/ttyUSB0; NMEA connected to=2; Serial speed=38400; "
                         "Receiver reached by=1; Address=bridge.local:10110; "
                         "Mail/Send mail by=0; Server=smtp.example.org; Port=465; "
                         "Password=secret; Backup/Character to separate fields=;"));
    QCOMPARE(StoreText(store, setting::kHistoryPath), QString("/data/history.dat"));
    QCOMPARE(StoreText(store, setting::kComDevices[2]), QString("/dev/ttyUSB0"));
    QCOMPARE(store.Read(setting::kGpsTransport), 1);
    QCOMPARE(StoreText(store, setting::kGpsAddress), QString("bridge.local:10110"));
    QCOMPARE(store.Read(setting::kGpsBaud), 38400);
    QCOMPARE(StoreText(store, setting::kSmtpServer), QString("smtp.example.org"));
    QCOMPARE(store.Read(setting::kSmtpPort), 465);
    QCOMPARE(store.Read(setting::kMailTransport), 0);
    QCOMPARE(StoreText(store, setting::kSmtpPassword), QString());  // not asked to remember
    const Settings& settings = fixture.Doc().GetSettings();
    QCOMPARE(settings.schedulePath, std::string("/data/schedule.dat"));
    QCOMPARE(StoreText(store, setting::kSchedulePath), QString("schedule.dat"));
    QCOMPARE(settings.standingOrders, std::string("/docs/orders.odt"));
    QCOMPARE(settings.historyCleanUp, 30);
    QCOMPARE(settings.comPort, 2);
    QCOMPARE(settings.convChar, std::string(";"));
  }

  void colourChooserTakesAColourAndItsCancelKeepsOne() {
    EditorFixture fixture;
    const std::int32_t text = fixture.Doc().GetSettings().colTxMain;
    AnswerColorChooser(QColor(10, 20, 30));
    QVERIFY(DriveOptions(fixture, "Background Select"));
    AnswerColorChooser(std::nullopt);
    QVERIFY(DriveOptions(fixture, "Text color Select"));
    QCOMPARE(fixture.Doc().GetSettings().colBckMain, PackColor(10, 20, 30));
    QCOMPARE(fixture.Doc().GetSettings().colTxMain, text);
    QCOMPARE(fixture.Store().Read(setting::kColBckMain), PackColor(10, 20, 30));  // at once
  }

  // 0 days would prune the history to its last fix: refused on leaving the page (which stays)
  // and on OK.
  void historyPeriodOutOfRangeKeepsThePageOpen() {
    EditorFixture fixture;
    const Settings before = fixture.Doc().GetSettings();
    QString stayedOn;
    QVERIFY(!DriveSheet([&] { return EditOptions(nullptr, fixture.Doc()); },
                        [&](PropertySheet& sheet) {
                          Apply(sheet, "History/Maximum days to retain history=0; Printing/");
                          stayedOn = sheet.CurrentPage()->Caption();
                          PressOk(sheet);
                        }));
    QCOMPARE(stayedOn, QString("History"));
    QCOMPARE(fixture.Messages(), QStringList(2,
                                             "Maximum days to retain history: please enter a "
                                             "whole number between 1 and 365."));
    QVERIFY(fixture.Doc().GetSettings() == before);
  }

  void runNowKeepsTheExportSettingsWhenTheSheetIsCancelled() {
    EditorFixture fixture;
    const std::int32_t days = fixture.Doc().GetSettings().historyCleanUp;
    QVERIFY(!DriveOptions(fixture,
                          "History/Maximum days to retain history=12; Backup/Port data; "
                          "Folder to export to=exports; Run Now",
                          false));
    QCOMPARE(fixture.Doc().GetSettings().exportPorts, 1);
    QCOMPARE(fixture.Doc().GetSettings().exportFolder, std::string("exports"));
    QCOMPARE(fixture.Doc().GetSettings().historyCleanUp, days);
  }

  void pathBrowseOffersTheFieldsPathAndACancelKeepsIt() {
    EditorFixture fixture;
    fixture.Prompter().QueueFile(std::nullopt);
    fixture.Prompter().QueueFile("/data/ports.dat");
    QVERIFY(DriveOptions(fixture, "Path/Port Information ...; Port Information ..."));
    QCOMPARE(fixture.Prompter().FileChoices().at(0).initialName, std::string("port.dat"));
    QCOMPARE(fixture.Prompter().FileChoices().at(1).initialName, std::string("port.dat"));
    QCOMPARE(StoreText(fixture.Store(), setting::kPortPath), QString("/data/ports.dat"));
  }

  void shipDocumentsOpenWithTheDesktopOnceConfigured_data() {
    QTest::addColumn<int>("which");
    QTest::addColumn<QString>("name");
    QTest::newRow("standing orders") << 0 << "Standing orders";
    QTest::newRow("departure") << 1 << "Departure Checklist";
    QTest::newRow("arrival") << 2 << "Arrival checklist";
  }
  void shipDocumentsOpenWithTheDesktopOnceConfigured() {
    QFETCH(int, which);
    QFETCH(QString, name);
    EditorFixture fixture;
    DesktopSpy desktop;
    OpenShipDocument(fixture.Doc(), static_cast<ShipDocument>(which));
    QCOMPARE(fixture.Messages(),
             QStringList{name + " not yet defined in options\nPlease check configuration"});
    QVERIFY(desktop.opened.isEmpty());
    Settings& settings = fixture.Doc().GetSettings();
    std::string* paths[] = {&settings.standingOrders, &settings.depCheckList,
                            &settings.arrCheckList};
    *paths[which] = "/docs/ship document.odt";
    OpenShipDocument(fixture.Doc(), static_cast<ShipDocument>(which));
    QCOMPARE(desktop.opened, QList<QUrl>{QUrl::fromLocalFile("/docs/ship document.odt")});
  }
};

}  // namespace keelmark::test

QTEST_MAIN(keelmark::test::TestEditorsOptions)
#include "moc_desktop_spy.cpp"
#include "test_editors_options.moc"
