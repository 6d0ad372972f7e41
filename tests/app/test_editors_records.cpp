// The editors of every category, the voyage and the vessel: Cancel and an unchanged OK leave the
// document as it was, a table per editor of what typing writes into the record or how a value
// is refused, what the editors do beyond their fields, the options sheet and the ship's documents
// opened with the desktop, and the shared position and time entry fields with their range checks.
#include <QComboBox>
#include <QFocusEvent>
#include <QtTest>
#include <cmath>

#include "app/date_time_entry.h"
#include "app/document_dialog.h"
#include "app/position_entry.h"
#include "app/record_editors.h"
#include "document/category_edits.h"
#include "document/category_records.h"
#include "navigation/navigation.h"
#include "tests/app/desktop_spy.h"
#include "tests/app/editor_test_support.h"
#include "voyage/position_fixes.h"
#include "voyage/voyage_calculation.h"

namespace keelmark::test {

namespace {

// Runs the category's editor on the record and `drive` on its sheet.
bool Edit(CKeelmarkRouteXPDoc& doc, Category category, CPosition2* record,
          const std::function<void(PropertySheet&)>& drive) {
  return DriveSheet(
      [&] {
        return OpenEditor(doc, static_cast<int>(category), {record, nullptr});
      },
      drive);
}

// A field of the edited record, or of the vessel ("Vessel.") or the voyage ("Voyage.").
QVariant DocumentField(CKeelmarkRouteXPDoc& doc, int editor, const SelectedRecord& record,
                       const QString& path) {
  if (path.startsWith("Vessel.")) return FieldValue(doc.GetVessel(), path.mid(7));
  if (path.startsWith("Voyage.")) return FieldValue(doc.GetRoute(), path.mid(7));
  return VisitCategoryRecords(doc, static_cast<Category>(editor), [&](auto records) {
    const auto* shown = records.OfClass(record);
    return shown ? FieldValue(*shown, path) : QVariant();
  });
}

// Types into every editable field of the page and opens the last page, the way a user who
// changes everything and then thinks better of it does.
void ChangeEverythingAndCancel(PropertySheet& sheet) {
  for (QLineEdit* edit : sheet.CurrentPage()->findChildren<QLineEdit*>()) {
    if (!edit->isReadOnly() && edit->isEnabled()) Type(edit, "1");
  }
  sheet.Tabs()->setCurrentIndex(sheet.PageCount() - 1);
  sheet.reject();
}

// What an OK writes even when nothing was changed: a chart's name copies, and a port's
// trajects as they are recalculated for their list.
void SettleAsOkDoes(CKeelmarkRouteXPDoc& doc, const SelectedRecord& record) {
  if (auto* chart = dynamic_cast<Chart*>(record.position)) {
    chart->AltName = chart->GetName();
    chart->ChartText1 = chart->GetName();
  }
  if (auto* port = dynamic_cast<Port*>(record.position)) {
    for (Voyage* traject : {&port->InboundTraject, &port->OutboundTraject}) {
      if (!traject->IsEmpty()) CalculateFromDeparture(*traject, doc.GetVessel());
    }
  }
}

QString StoreText(const SettingsStore& store, const TextSetting& key) {
  return QString::fromStdString(store.Read(key));
}

}  // namespace

class TestEditorsRecords : public QObject {
  Q_OBJECT

  // One row per editor; `insert`: on a new record, as the list's Insert makes it.
  static void everyEditor_data(bool inserts) {
    QTest::addColumn<int>("editor");
    QTest::addColumn<bool>("insert");
    for (int i = 0; i < kCategoryCount; ++i) {
      QTest::newRow(std::string(kCategoryNames[i]).c_str()) << i << false;
      if (inserts) QTest::newRow((std::string(kCategoryNames[i]) + " insert").c_str()) << i << true;
    }
    QTest::newRow("Voyage") << kVoyage << false;
    QTest::newRow("Vessel") << kVessel << false;
    QTest::newRow("Options") << kOptions << false;
  }

 private slots:
  void cancelLeavesTheDocumentAsItWas_data() { everyEditor_data(true); }
  void cancelLeavesTheDocumentAsItWas() {
    QFETCH(int, editor);
    QFETCH(bool, insert);
    EditorFixture fixture;
    CKeelmarkRouteXPDoc& doc = fixture.Doc();
    const auto category = static_cast<Category>(editor);
    const SelectedRecord selected = SelectRow(doc, editor, 1);
    const Archive::Bytes before = DocumentBytes(doc);
    const Settings settings = doc.GetSettings();
    const SelectedRecord record = insert ? InsertNewRecord(doc, category) : selected;
    QVERIFY(editor >= kCategoryCount || record);
    QVERIFY(
        !DriveSheet([&] { return OpenEditor(doc, editor, record); }, ChangeEverythingAndCancel));
    if (insert) QVERIFY(RemoveRecord(doc, category, record));
    QVERIFY(DocumentBytes(doc) == before);
    QVERIFY(doc.GetSettings() == settings);
  }

  void okWithoutChangesWritesTheSameValues_data() { everyEditor_data(false); }
  void okWithoutChangesWritesTheSameValues() {
    QFETCH(int, editor);
    if (editor == static_cast<int>(Category::History)) {
      QSKIP("a confirmed fix is taken into the history again: made good values are renewed");
    }
    if (editor == kVoyage) QSKIP("a confirmed voyage is calculated again");
    EditorFixture fixture;
    CKeelmarkRouteXPDoc& doc = fixture.Doc();
    doc.GetSettings().weekdayScheduler = 3;  // kept although the weekday list has no entries
    const SelectedRecord record = SelectRow(doc, editor, 0);
    SettleAsOkDoes(doc, record);
    const Archive::Bytes before = DocumentBytes(doc);
    const Settings settings = doc.GetSettings();
    QVERIFY(DriveSheet([&] { return OpenEditor(doc, editor, record); },
                       [](PropertySheet& sheet) {
                         for (int i = 0; i < sheet.PageCount(); ++i)
                           sheet.Tabs()->setCurrentIndex(i);
                         PressOk(sheet);
                       }));
    QVERIFY(DocumentBytes(doc) == before);
    QVERIFY(doc.GetSettings() == settings);
    QVERIFY(fixture.Messages().isEmpty());
  }

  // What typing on an editor's pages writes into the record: tests/data/tables/editor_fields.txt.
  void fields_data() {
    QTest::addColumn<int>("editor");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("holds");
    for (const QStringList& c : DataTable("editor_fields.txt")) {
      QTest::newRow(qPrintable(c[2])) << EditorNamed(c[0]) << c[1].toInt() << c[3] << c[4];
    }
  }
  void fields() {
    QFETCH(int, editor);
    QFETCH(int, row);
    QFETCH(QString, steps);
    QFETCH(QString, holds);
    EditorFixture fixture;
    CKeelmarkRouteXPDoc& doc = fixture.Doc();
    const SelectedRecord record = SelectRow(doc, editor, row);
    const Archive::Bytes before = DocumentBytes(doc);
    bool open = false;
    const bool confirmed = DriveSheet([&] { return OpenEditor(doc, editor, record); },
                                      [&](PropertySheet& sheet) {
                                        Apply(sheet, steps);
                                        PressOk(sheet);
                                        open = sheet.isVisible();
                                      });
    if (holds.startsWith("refused: ")) {
      QVERIFY(open && !confirmed);
      QCOMPARE(fixture.Messages(), QStringList{holds.mid(9)});
      QVERIFY(DocumentBytes(doc) == before);
      return;
    }
    QVERIFY(confirmed);
    QCOMPARE(fixture.Messages(), QStringList());
    for (const QString& held : holds.split("; ")) {
      const QVariant found = DocumentField(doc, editor, record, held.section('=', 0, 0));
      QVERIFY2(found.isValid(), qPrintable(held));
      if (found.typeId() == QMetaType::Double) {
        QCOMPARE(found.toDouble(), held.section('=', 1).toDouble());
      } else {
        QCOMPARE(found.toString(), held.section('=', 1));
      }
    }
  }

  // Beyond the fields.
  void tickingReportCompletedStampsTheMomentOfTicking() {
    EditorFixture fixture;
    ReportingPoint* point = fixture.Doc().GetReportingPoints().GetAt(1);
    QVERIFY(Edit(fixture.Doc(), Category::Reporting, point, [&](PropertySheet& sheet) {
      Apply(sheet, "Action/Report completed");
      fixture.Clock().Advance(2 * 3600);  // OK comes two hours later
      PressOk(sheet);
    }));
    QCOMPARE(point->Completed, 1);
    QCOMPARE(point->GetTime(), CNavigation().LocalDayNumber(ExampleNow()));
  }

  // A position 14 knots' run on 250 degrees from the previous fix: the fix's made good values,
  // and its observation in the average weather near it.
  void fixEditorTakesTheFixIntoTheHistory() {
    EditorFixture fixture;
    CKeelmarkRouteXPDoc& doc = fixture.Doc();
    PositionFix* fix = ProposeLatestFix(doc.GetHistory());
    const PositionFix& previous = *doc.GetHistory().GetPrevious(fix);
    CPosition2 target;
    CNavigation().DeadReckonFrom(previous, target, 250.0,
                                 14.0 * 24.0 * (fix->GetTime() - previous.GetTime()));
    QString shownDraft;
    QVERIFY(Edit(doc, Category::History, fix, [&](PropertySheet& sheet) {
      Apply(sheet, QString("Latitude degrees=%1; Latitude minutes=%2; Longitude degrees=%3; "
                           "Longitude minutes=%4; Longitude hemisphere=%5")
                       .arg(target.LatitudeDegrees())
                       .arg(target.LatitudeMinutes(), 0, 'f', 4)
                       .arg(target.LongitudeDegrees())
                       .arg(target.LongitudeMinutes(), 0, 'f', 4)
                       .arg(int(target.LongitudeWest())));
      // The Vessel page opens with the vessel's drafts, the ship's present condition.
      shownDraft = Text(ShowPage(sheet, "Vessel"), "Draft forward");
      Apply(sheet, "Vessel/Engine setting=70; Weather/Wind speed=23.5");
      PressOk(sheet);
    }));
    QCOMPARE(shownDraft, NumberEdit::Text(doc.GetVessel().draftForward, NumberEdit::Kind::Decimal));
    QVERIFY(std::fabs(fix->SpeedMadeGood - 14.0) < 0.05);
    QVERIFY(std::fabs(fix->CourseMadeGood - 250.0) < 0.5);
    QVERIFY(fix->LogSpeed > 0.0);
    const MeteoObservation* grid = doc.GetMeteo().Nearest(*fix);
    QVERIFY(grid);
    QCOMPARE(grid->Latest.WindSpeed, 23.5);
  }

  void voyageEditorOnAnEmptyRouteCreatesDepartureAndArrival() {
    EditorFixture fixture;
    CKeelmarkRouteXPDoc& doc = fixture.Doc();
    doc.OnNewDocument();
    const Port* rotterdam = doc.GetPorts().FindByName("Rotterdam");
    const Port* felixstowe = doc.GetPorts().FindByName("Felixstowe");
    QVERIFY(DriveSheet([&] { return EditVoyage(nullptr, doc, ""); },
                       [&](PropertySheet& sheet) {
                         auto* departure = Field<QComboBox>(sheet.CurrentPage(), "Departure port");
                         auto* arrival = Field<QComboBox>(sheet.CurrentPage(), "Arrival port");
                         Choose(departure, departure->findText("Rotterdam"));
                         Choose(arrival, arrival->findText("Felixstowe"));
                         Apply(sheet,
                               "Begin seavoyage=2026-12-07T06:00:00Z; "
                               "Scheduled arrival=2026-12-08T06:00:00Z; "
                               "Weather/Use weather data from forecast areas");
                         PressOk(sheet);
                       }));
    const Voyage& route = doc.GetRoute();
    QCOMPARE(route.GetCount(), 2);
    const Waypoint& first = *route.GetFirst();
    const Waypoint& last = *route.GetLast();
    QCOMPARE(first.GetName(), std::string("Rotterdam"));
    QCOMPARE(first.GetLatitude(), rotterdam->GetLatitude());
    QCOMPARE(first.GetZoneOffset(), rotterdam->GetZoneOffset());
    QCOMPARE(last.GetName(), std::string("Felixstowe"));
    QCOMPARE(last.GetLongitude(), felixstowe->GetLongitude());
    // The pickers are read in each port's local time.
    const CNavigation navigation;
    QCOMPARE(first.GetTime(),
             navigation.LocalDayNumber(TimeFromUtcFields({126, 11, 7, 6, 0, 0, 0})) -
                 rotterdam->GetZoneOffset());
    QCOMPARE(last.GetScheduledTime(),
             navigation.LocalDayNumber(TimeFromUtcFields({126, 11, 8, 6, 0, 0, 0})) -
                 felixstowe->GetZoneOffset());
    QCOMPARE(route.UseForecastAreas, 1);
    QVERIFY(last.LegDistance > 0.0);  // calculated from the departure
  }

  void voyageEditorSaysWhenAPortIsNotInTheListAndLeavesTheWaypoint() {
    EditorFixture fixture;
    CKeelmarkRouteXPDoc& doc = fixture.Doc();
    const Waypoint& first = *doc.GetRoute().GetFirst();
    const std::string name = first.GetName();
    const double latitude = first.GetLatitude();
    QVERIFY(DriveSheet([&] { return EditVoyage(nullptr, doc, ""); },
                       [](PropertySheet& sheet) {
                         auto* departure = Field<QComboBox>(sheet.CurrentPage(), "Departure port");
                         Choose(departure, 1);
                         departure->setCurrentText("Atlantis");
                         QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
                         QApplication::sendEvent(departure->lineEdit(), &leave);
                         PressOk(sheet);
                       }));
    QCOMPARE(fixture.Messages(),
             QStringList{"Departure port does not yet exist in list\nPlease add waypoint "
                         "manually to voyage"});
    QCOMPARE(fixture.Prompter().Messages().at(0).icon, MessageIcon::Information);
    // An unknown name is not looked up as the last port of the list.
    QCOMPARE(first.GetName(), name);
    QCOMPARE(first.GetLatitude(), latitude);
  }

  void coordinateEntryShowsTheRecordAndGivesItBackExactly() {
    CoordinateEntry entry(Axis::Latitude, CoordinateEntry::Style::DegreesMinutes, true, "Latitude");
    entry.SetValue(-33.25);
    QCOMPARE(entry.DegreesEdit()->text(), QString("33"));
    QCOMPARE(entry.MinutesEdit()->text(), QString("15"));
    QCOMPARE(entry.HemisphereBox()->currentText(), QString("South"));
    // A value whose minutes are not shown in full comes back unchanged when nobody edits it.
    const double precise = 51.123456789012345;
    entry.SetValue(precise);
    QVERIFY(*entry.Value() == precise);
  }

  // tests/data/tables/coordinate_problems.txt
  void coordinateProblemsNameTheFieldAndItsRange() {
    for (const QStringList& c : DataTable("coordinate_problems.txt")) {
      CoordinateEntry entry(Axis::Latitude, CoordinateEntry::Style::DegreesMinutes,
                            c[0] == "checked", "Latitude");
      entry.SetValue(1.0);
      entry.DegreesEdit()->setText(c[1]);
      entry.MinutesEdit()->setText(c[2]);
      QCOMPARE(entry.Problem(), c[3] == "none" ? QString() : c[3]);
    }
  }

  void slotTimeKeepsTheSlotUnlessATimeIsPicked() {
    const CNavigation navigation;
    const double slot = 9471.437123456789;  // not a whole second
    SlotTime time{slot, 1.0 / 24.0, std::nullopt};
    QVERIFY(time.SlotFor(1.0 / 24.0) == slot);
    // A new offset keeps the local reading: the slot moves by the difference.
    QCOMPARE(time.SlotFor(3.0 / 24.0), slot + 1.0 / 24.0 - 3.0 / 24.0);
    const TimeValue picked = TimeFromUtcFields({126, 11, 24, 8, 30, 0, 0});
    time.picked = picked;
    QCOMPARE(time.SlotFor(1.0 / 24.0), navigation.LocalDayNumber(picked) - 1.0 / 24.0);
    QCOMPARE(time.Shown(), picked);
  }

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

  void shipDocumentsOpenWithTheDesktopOnceConfigured() {
    EditorFixture fixture;
    Settings& settings = fixture.Doc().GetSettings();
    const std::pair<std::string*, QString> documents[] = {
        {&settings.standingOrders, "Standing orders"},
        {&settings.depCheckList, "Departure Checklist"},
        {&settings.arrCheckList, "Arrival checklist"}};
    for (int which = 0; which < 3; ++which) {
      DesktopSpy desktop;
      OpenShipDocument(fixture.Doc(), static_cast<ShipDocument>(which));
      QCOMPARE(fixture.Messages().size(), which + 1);  // one message, and only before it is set
      QCOMPARE(fixture.Messages().last(),
               documents[which].second + " not yet defined in options\nPlease check configuration");
      QVERIFY(desktop.opened.isEmpty());
      *documents[which].first = "/docs/ship document.odt";
      OpenShipDocument(fixture.Doc(), static_cast<ShipDocument>(which));
      QCOMPARE(desktop.opened, QList<QUrl>{QUrl::fromLocalFile("/docs/ship document.odt")});
    }
  }
};

}  // namespace keelmark::test

QTEST_MAIN(keelmark::test::TestEditorsRecords)
#include "moc_desktop_spy.cpp"
#include "test_editors_records.moc"
