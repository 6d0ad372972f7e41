// The options sheet, the Document dialog and the documents opened with the desktop.
#include <QCheckBox>
#include <QColorDialog>
#include <QDesktopServices>
#include <QUrl>
#include <QtTest>

#include "app/document_dialog.h"
#include "app/record_editors.h"
#include "records/document_ref.h"
#include "tests/app/desktop_spy.h"
#include "tests/app/editor_test_support.h"

namespace keelmark::test {

namespace {

QString StoreText(const SettingsStore& store, const TextSetting& key) {
  return QString::fromStdString(store.Read(key));
}

// Answers the next colour chooser with a colour, or cancels it.
void AnswerColorChooser(std::optional<QColor> color) {
  HandleNextModal([color](QWidget* modal) {
    auto* chooser = qobject_cast<QColorDialog*>(modal);
    if (!chooser) return false;
    if (color) {
      chooser->setCurrentColor(*color);
      chooser->accept();
    } else {
      chooser->reject();
    }
    return true;
  });
}

}  // namespace

class TestEditorsOptions : public QObject {
  Q_OBJECT

 private slots:
  void okWritesPathsAtOnceAndTheRestIntoTheDocument() {
    EditorFixture fixture;
    CKeelmarkRouteXPDoc& doc = fixture.Doc();
    SettingsStore& store = fixture.Store();
    QStringList shown;
    QVERIFY(DriveSheet(
        [&] { return EditOptions(nullptr, doc); },
        [&](PropertySheet& sheet) {
          shown << sheet.windowTitle();
          PropertyPage* paths = ShowPage(sheet, "Path");
          shown << Field<QLineEdit>(paths, "History data")->text()
                << Field<QLineEdit>(paths, "Master Schedule")->text();
          Type(Field<QLineEdit>(paths, "History data"), "/data/history.dat");
          Type(Field<QLineEdit>(paths, "Master Schedule"), "/data/schedule.dat");
          Type(Field<QLineEdit>(ShowPage(sheet, "Documents"), "Masters standing orders"),
               "/docs/orders.odt");
          Type(Field<QLineEdit>(ShowPage(sheet, "History"), "Maximum days to retain history"),
               "30");
          PropertyPage* nmea = ShowPage(sheet, "NMEA");
          shown << Field<QLineEdit>(nmea, "COM3")->text();
          Type(Field<QLineEdit>(nmea, "COM3"), "/dev/ttyUSB0");
          Choose(Field<QComboBox>(nmea, "NMEA connected to"), 2);
          Choose(Field<QComboBox>(nmea, "GPS position string"), 1);
          PropertyPage* backup = ShowPage(sheet, "Backup");
          Click(ButtonText(backup, "Use the desktop mail program"));
          Type(Field<QLineEdit>(backup, "SMTP server"), "smtp.example.org");
          Type(Field<QLineEdit>(backup, "Port"), "465");
          Type(Field<QLineEdit>(backup, "Password"), "secret");
          Field<QComboBox>(backup, "Character to separate fields")->setCurrentText(";");
          PressOk(sheet);
        }));
    QCOMPARE(shown, (QStringList{"Options", "voyage.dat", "schedule.dat", "/dev/ttyS2"}));
    // Written to the store at once.
    QCOMPARE(StoreText(store, setting::kHistoryPath), QString("/data/history.dat"));
    QCOMPARE(StoreText(store, setting::kComDevices[2]), QString("/dev/ttyUSB0"));
    QCOMPARE(StoreText(store, setting::kSmtpServer), QString("smtp.example.org"));
    QCOMPARE(store.Read(setting::kSmtpPort), 465);
    QCOMPARE(store.Read(setting::kUseDesktopMail), 0);
    // The password was not asked to be remembered.
    QCOMPARE(StoreText(store, setting::kSmtpPassword), QString());
    // The master schedule and the other values go into the document, stored at exit.
    const Settings& settings = doc.GetSettings();
    QCOMPARE(settings.schedulePath, std::string("/data/schedule.dat"));
    QCOMPARE(StoreText(store, setting::kSchedulePath), QString("schedule.dat"));
    QCOMPARE(settings.standingOrders, std::string("/docs/orders.odt"));
    QCOMPARE(settings.historyCleanUp, 30);
    QCOMPARE(settings.comPort, 2);
    QCOMPARE(settings.gpsString, 1);
    QCOMPARE(settings.convChar, std::string(";"));
  }

  void aRememberedPasswordIsStored() {
    EditorFixture fixture;
    QVERIFY(DriveSheet([&] { return EditOptions(nullptr, fixture.Doc()); },
                       [](PropertySheet& sheet) {
                         PropertyPage* backup = ShowPage(sheet, "Backup");
                         QVERIFY(!Field<QLineEdit>(backup, "Password")->isEnabled());
                         Click(ButtonText(backup, "Use the desktop mail program"));
                         Type(Field<QLineEdit>(backup, "Password"), "secret");
                         Click(ButtonText(backup, "Remember password"));
                         PressOk(sheet);
                       }));
    QCOMPARE(StoreText(fixture.Store(), setting::kSmtpPassword), QString("secret"));
    QCOMPARE(fixture.Store().Read(setting::kSmtpSavePassword), 1);
  }

  void colourChooserTakesAColourAndItsCancelKeepsOne() {
    EditorFixture fixture;
    CKeelmarkRouteXPDoc& doc = fixture.Doc();
    const std::int32_t text = doc.GetSettings().colTxMain;
    QVERIFY(DriveSheet([&] { return EditOptions(nullptr, doc); },
                       [](PropertySheet& sheet) {
                         PropertyPage* colors = sheet.CurrentPage();
                         AnswerColorChooser(QColor(10, 20, 30));
                         Click(Field<QPushButton>(colors, "Background Select"));
                         AnswerColorChooser(std::nullopt);
                         Click(Field<QPushButton>(colors, "Text color Select"));
                         PressOk(sheet);
                       }));
    QCOMPARE(doc.GetSettings().colBckMain, PackColor(10, 20, 30));
    QCOMPARE(doc.GetSettings().colTxMain, text);
    // Colours reach the store at once.
    QCOMPARE(fixture.Store().Read(setting::kColBckMain), PackColor(10, 20, 30));
  }

  void historyPeriodOutOfRangeKeepsThePageOpen() {
    EditorFixture fixture;
    CKeelmarkRouteXPDoc& doc = fixture.Doc();
    const Settings before = doc.GetSettings();
    int pageAfterLeaving = -1;
    QVERIFY(!DriveSheet(
        [&] { return EditOptions(nullptr, doc); },
        [&](PropertySheet& sheet) {
          // 0 days would prune the history to its last fix.
          Type(Field<QLineEdit>(ShowPage(sheet, "History"), "Maximum days to retain history"), "0");
          ShowPage(sheet, "Printing");
          pageAfterLeaving = sheet.Tabs()->currentIndex();
          PressOk(sheet);
        }));
    QCOMPARE(pageAfterLeaving, 3);
    QCOMPARE(fixture.Messages(),
             QStringList(2,
                         "Maximum days to retain history: please enter a whole number "
                         "between 1 and 365."));
    QVERIFY(doc.GetSettings() == before);
  }

  void runNowKeepsTheExportSettingsWhenTheSheetIsCancelled() {
    EditorFixture fixture;
    CKeelmarkRouteXPDoc& doc = fixture.Doc();
    const std::int32_t days = doc.GetSettings().historyCleanUp;
    QVERIFY(!DriveSheet([&] { return EditOptions(nullptr, doc); },
                        [](PropertySheet& sheet) {
                          Type(Field<QLineEdit>(ShowPage(sheet, "History"),
                                                "Maximum days to retain history"),
                               "12");
                          PropertyPage* backup = ShowPage(sheet, "Backup");
                          Click(ButtonText(backup, "Port data"));
                          Click(ButtonText(backup, "History (all position fixes)"));
                          Type(Field<QLineEdit>(backup, "Folder to export to"), "exports");
                          Click(ButtonText(backup, "Run Now"));
                          sheet.reject();
                        }));
    QCOMPARE(doc.GetSettings().exportPorts, 1);
    QCOMPARE(doc.GetSettings().exportHistory, 1);
    QCOMPARE(doc.GetSettings().exportFolder, std::string("exports"));
    QCOMPARE(doc.GetSettings().historyCleanUp, days);
  }

  void okWithoutChangesRewritesTheSameValues() {
    EditorFixture fixture;
    CKeelmarkRouteXPDoc& doc = fixture.Doc();
    doc.GetSettings().weekdayScheduler = 3;  // kept although the weekday list has no entries
    const Settings before = doc.GetSettings();
    QVERIFY(DriveSheet([&] { return EditOptions(nullptr, doc); },
                       [](PropertySheet& sheet) {
                         for (int i = 0; i < sheet.PageCount(); ++i) {
                           sheet.Tabs()->setCurrentIndex(i);
                         }
                         PressOk(sheet);
                       }));
    QVERIFY(doc.GetSettings() == before);
    QCOMPARE(StoreText(fixture.Store(), setting::kHistoryPath), QString("voyage.dat"));
    QVERIFY(fixture.Messages().isEmpty());
  }

  void pathBrowseOffersTheFieldsPathAndACancelKeepsIt() {
    EditorFixture fixture;
    fixture.Prompter().QueueFile(std::nullopt);
    fixture.Prompter().QueueFile("/data/ports.dat");
    QStringList paths;
    QVERIFY(DriveSheet([&] { return EditOptions(nullptr, fixture.Doc()); },
                       [&](PropertySheet& sheet) {
                         PropertyPage* page = ShowPage(sheet, "Path");
                         Click(Field<QPushButton>(page, "Port Information ..."));
                         paths << Field<QLineEdit>(page, "Port Information")->text();
                         Click(Field<QPushButton>(page, "Port Information ..."));
                         paths << Field<QLineEdit>(page, "Port Information")->text();
                         PressOk(sheet);
                       }));
    QCOMPARE(paths, (QStringList{"port.dat", "/data/ports.dat"}));
    const FileChoice& offered = fixture.Prompter().FileChoices().at(0);
    QCOMPARE(offered.initialName, std::string("port.dat"));
    QCOMPARE(offered.filter, std::string("Data File (*.dat)|*.dat|All Files (*.*)|*.*||"));
    QCOMPARE(StoreText(fixture.Store(), setting::kPortPath), QString("/data/ports.dat"));
  }

  void shipDocumentsSayWhenTheyAreNotConfigured_data() {
    QTest::addColumn<int>("which");
    QTest::addColumn<QString>("message");
    QTest::newRow("standing orders")
        << 0 << "Standing orders not yet defined in options\nPlease check configuration";
    QTest::newRow("departure")
        << 1 << "Departure Checklist not yet defined in options\nPlease check configuration";
    QTest::newRow("arrival")
        << 2 << "Arrival checklist not yet defined in options\nPlease check configuration";
  }
  void shipDocumentsSayWhenTheyAreNotConfigured() {
    QFETCH(int, which);
    QFETCH(QString, message);
    EditorFixture fixture;
    DesktopSpy desktop;
    OpenShipDocument(fixture.Doc(), static_cast<ShipDocument>(which));
    QCOMPARE(fixture.Messages(), QStringList{message});
    QCOMPARE(fixture.Prompter().Messages().at(0).icon, MessageIcon::Stop);
    QVERIFY(desktop.opened.isEmpty());
  }

  void shipDocumentsOpenWithTheDesktop() {
    EditorFixture fixture;
    DesktopSpy desktop;
    Settings& settings = fixture.Doc().GetSettings();
    settings.standingOrders = "/docs/standing orders.odt";
    settings.depCheckList = "/docs/departure.xls";
    settings.arrCheckList = "/docs/arrival.txt";
    for (ShipDocument which : {ShipDocument::StandingOrders, ShipDocument::DepartureChecklist,
                               ShipDocument::ArrivalChecklist}) {
      OpenShipDocument(fixture.Doc(), which);
    }
    QCOMPARE(desktop.opened, (QList<QUrl>{QUrl::fromLocalFile("/docs/standing orders.odt"),
                                          QUrl::fromLocalFile("/docs/departure.xls"),
                                          QUrl::fromLocalFile("/docs/arrival.txt")}));
    QVERIFY(fixture.Messages().isEmpty());
  }

  void documentDialogBrowsesForTheFile() {
    ScriptedPrompter prompter;
    prompter.QueueFile(std::nullopt);
    prompter.QueueFile("/docs/new.doc");
    DocumentRef document;
    document.FilePath = "/docs/old.doc";
    document.Description = "Old";
    QStringList paths;
    QVERIFY(DriveSheet([&] { return EditDocument(nullptr, prompter, document); },
                       [&](PropertySheet& dialog) {
                         QPushButton* browse = Field<QPushButton>(&dialog, "Document file ...");
                         Click(browse);
                         paths << Field<QLineEdit>(&dialog, "Document file")->text();
                         Click(browse);
                         paths << Field<QLineEdit>(&dialog, "Document file")->text();
                         PressOk(dialog);
                       }));
    QCOMPARE(paths, (QStringList{"/docs/old.doc", "/docs/new.doc"}));
    QCOMPARE(prompter.FileChoices().at(0).initialName, std::string("/docs/old.doc"));
    QCOMPARE(prompter.FileChoices().at(0).defaultExtension, std::string("doc"));
    QCOMPARE(document.FilePath, std::string("/docs/new.doc"));
    QCOMPARE(document.Description, std::string("Old"));
  }
};

}  // namespace keelmark::test

QTEST_MAIN(keelmark::test::TestEditorsOptions)
#include "moc_desktop_spy.cpp"
#include "test_editors_options.moc"
