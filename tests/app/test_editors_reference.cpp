// The editors of every category: Cancel and an unchanged OK leave the collections as they were,
// and the port, chart, publication, reporting point, warning, storm and forecast editors show
// and write their records.
#include <QDesktopServices>
#include <QLabel>
#include <QListWidget>
#include <QSlider>
#include <QTreeWidget>
#include <QUrl>
#include <QtTest>

#include "app/date_time_entry.h"
#include "app/record_editors.h"
#include "navigation/navigation.h"
#include "navigation/text_format.h"
#include "tests/app/desktop_spy.h"
#include "tests/app/editor_test_support.h"
#include "voyage/closest_approach.h"
#include "voyage/voyage_calculation.h"

namespace keelmark::test {

namespace {

// The stored bytes of the collection a category lists.
Archive::Bytes CollectionBytes(CKeelmarkRouteXPDoc& doc, Category category) {
  switch (category) {
    case Category::Waypoints:
    case Category::Schedule:
      return StoredBytes(doc.GetRoute());
    case Category::History:
      return StoredBytes(doc.GetHistory());
    case Category::Warnings:
      return StoredBytes(doc.GetWarnings());
    case Category::Reporting:
      return StoredBytes(doc.GetReportingPoints());
    case Category::Publications:
    case Category::Charts:
      return StoredBytes(doc.GetCharts());
    case Category::Ports:
      return StoredBytes(doc.GetPorts());
    case Category::Forecast:
      return StoredBytes(doc.GetForecasts());
    case Category::Storms:
      return StoredBytes(doc.GetStorms());
  }
  return {};
}

// A new record at the end of the category's collection, as the list's Insert makes it.
SelectedRecord InsertRecord(CKeelmarkRouteXPDoc& doc, Category category) {
  switch (category) {
    case Category::Waypoints:
    case Category::Schedule:
      return {doc.GetRoute().Add(std::make_unique<Waypoint>()), nullptr};
    case Category::History:
      return {doc.GetHistory().Add(std::make_unique<PositionFix>()), nullptr};
    case Category::Warnings:
      return {doc.GetWarnings().Add(std::make_unique<NavWarning>()), nullptr};
    case Category::Reporting:
      return {doc.GetReportingPoints().Add(std::make_unique<ReportingPoint>()), nullptr};
    case Category::Publications:
    case Category::Charts: {
      Chart* chart = doc.GetCharts().Add(std::make_unique<Chart>());
      chart->IsChart = category == Category::Charts ? 1 : 0;
      return {chart, nullptr};
    }
    case Category::Ports:
      return {doc.GetPorts().Add(std::make_unique<Port>()), nullptr};
    case Category::Forecast:
      return {nullptr, doc.GetForecasts().Add(std::make_unique<ForecastArea>())};
    case Category::Storms:
      return {doc.GetStorms().Add(std::make_unique<Storm>()), nullptr};
  }
  return {};
}

void RemoveRecord(CKeelmarkRouteXPDoc& doc, Category category, const SelectedRecord& record) {
  switch (category) {
    case Category::Waypoints:
    case Category::Schedule:
      doc.GetRoute().Remove(static_cast<Waypoint*>(record.position));
      break;
    case Category::History:
      doc.GetHistory().Remove(static_cast<PositionFix*>(record.position));
      break;
    case Category::Warnings:
      doc.GetWarnings().Remove(static_cast<NavWarning*>(record.position));
      break;
    case Category::Reporting:
      doc.GetReportingPoints().Remove(static_cast<ReportingPoint*>(record.position));
      break;
    case Category::Publications:
    case Category::Charts:
      doc.GetCharts().Remove(static_cast<Chart*>(record.position));
      break;
    case Category::Ports:
      doc.GetPorts().Remove(static_cast<Port*>(record.position));
      break;
    case Category::Forecast:
      doc.GetForecasts().Remove(record.forecast);
      break;
    case Category::Storms:
      doc.GetStorms().Remove(static_cast<Storm*>(record.position));
      break;
  }
}

// Types into every editable field of the page and into the first of the last page, the way a
// user who changes everything and then thinks better of it does.
void ChangeEverythingAndCancel(PropertySheet& sheet) {
  for (QLineEdit* edit : sheet.CurrentPage()->findChildren<QLineEdit*>()) {
    if (!edit->isReadOnly() && edit->isEnabled()) Type(edit, "1");
  }
  sheet.Tabs()->setCurrentIndex(sheet.PageCount() - 1);
  sheet.reject();
}

void TypePosition(QWidget* root, const QString& prefix, int degrees, const QString& minutes,
                  int hemisphere) {
  Type(Field<QLineEdit>(root, prefix + " degrees"), QString::number(degrees));
  Type(Field<QLineEdit>(root, prefix + " minutes"), minutes);
  Choose(Field<QComboBox>(root, prefix + " hemisphere"), hemisphere);
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

}  // namespace

class TestEditorsReference : public QObject {
  Q_OBJECT

  // One row per category.
  static void everyCategory_data() {
    QTest::addColumn<int>("category");
    for (int i = 0; i < kCategoryCount; ++i) {
      QTest::newRow(std::string(kCategoryNames[i]).c_str()) << i;
    }
  }

 private slots:
  void cancelLeavesTheCollectionAsItWas_data() { everyCategory_data(); }
  void cancelLeavesTheCollectionAsItWas() {
    QFETCH(int, category);
    EditorFixture fixture;
    CKeelmarkRouteXPDoc& doc = fixture.Doc();
    doc.SetCategory(static_cast<Category>(category));
    doc.selectedRow = 1;
    const SelectedRecord record = doc.GetSelectedRecord();
    QVERIFY(record);
    const Archive::Bytes before = CollectionBytes(doc, doc.GetCategory());
    QVERIFY(
        !DriveSheet([&] { return EditRecord(nullptr, doc, doc.GetCategory(), record, "Record"); },
                    ChangeEverythingAndCancel));
    QVERIFY(CollectionBytes(doc, doc.GetCategory()) == before);
  }

  void okWithoutChangesWritesTheSameValues_data() { everyCategory_data(); }
  void okWithoutChangesWritesTheSameValues() {
    QFETCH(int, category);
    if (static_cast<Category>(category) == Category::History) {
      QSKIP("a confirmed fix is taken into the history again: made good values are renewed");
    }
    EditorFixture fixture;
    CKeelmarkRouteXPDoc& doc = fixture.Doc();
    doc.SetCategory(static_cast<Category>(category));
    doc.selectedRow = 0;
    const SelectedRecord record = doc.GetSelectedRecord();
    QVERIFY(record);
    SettleAsOkDoes(doc, record);
    const Archive::Bytes before = CollectionBytes(doc, doc.GetCategory());
    QVERIFY(
        DriveSheet([&] { return EditRecord(nullptr, doc, doc.GetCategory(), record, "Record"); },
                   [](PropertySheet& sheet) {
                     for (int i = 0; i < sheet.PageCount(); ++i) sheet.Tabs()->setCurrentIndex(i);
                     PressOk(sheet);
                   }));
    QVERIFY(CollectionBytes(doc, doc.GetCategory()) == before);
    QVERIFY(fixture.Messages().isEmpty());
  }

  void aCancelledInsertLeavesTheCollectionAsItWas_data() { everyCategory_data(); }
  void aCancelledInsertLeavesTheCollectionAsItWas() {
    QFETCH(int, category);
    EditorFixture fixture;
    CKeelmarkRouteXPDoc& doc = fixture.Doc();
    const auto kind = static_cast<Category>(category);
    const Archive::Bytes before = CollectionBytes(doc, kind);
    const SelectedRecord record = InsertRecord(doc, kind);
    QVERIFY(!DriveSheet([&] { return EditRecord(nullptr, doc, kind, record, "New Position"); },
                        ChangeEverythingAndCancel));
    RemoveRecord(doc, kind, record);
    QVERIFY(CollectionBytes(doc, kind) == before);
  }

  void portEditorShowsThePortAndEditsItsDocuments() {
    EditorFixture fixture;
    CKeelmarkRouteXPDoc& doc = fixture.Doc();
    Port* port = doc.GetPorts().FindByName("Rotterdam");
    QCOMPARE(port->Documents.GetCount(), 0);
    fixture.Prompter().QueueAnswer(true);  // "Remove ...?"
    QStringList shown;
    const auto insertDocument = [](const QString& description, const QString& path) {
      HandleNextModal([description, path](QWidget* modal) {
        auto* dialog = qobject_cast<PropertySheet*>(modal);
        if (!dialog || dialog->windowTitle() != "Document") return false;
        Type(Field<QLineEdit>(dialog, "Short description"), description);
        Type(Field<QLineEdit>(dialog, "Created by"), "Harbour master");
        Type(Field<QLineEdit>(dialog, "Document file"), path);
        PressOk(*dialog);
        return true;
      });
    };
    QVERIFY(DriveSheet(
        [&] {
          return EditRecord(nullptr, doc, Category::Ports, {port, nullptr}, "Rotterdam");
        },
        [&](PropertySheet& sheet) {
          PropertyPage* position = sheet.CurrentPage();
          shown << Text(position, "Description") << Text(position, "Time zone")
                << Field<QComboBox>(position, "Time zone")->currentText();
          shown << Text(ShowPage(sheet, "Contact"), "Call");
          Type(Field<QLineEdit>(ShowPage(sheet, "Berth"), "Max. draft"), "14.6");
          PropertyPage* page = ShowPage(sheet, "Documents");
          auto* list = page->findChild<QListWidget*>();
          Click(ButtonText(page, "Edit"));  // nothing selected
          QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, QPoint(5, 5));  // no document
          insertDocument("Berth regulations", "/tmp/berth.pdf");
          Click(ButtonText(page, "Insert"));
          insertDocument("Tariffs", "/tmp/tariffs.pdf");
          Click(ButtonText(page, "Insert"));
          shown << QString::number(list->count()) << list->item(1)->text();
          list->setCurrentRow(0);
          Click(ButtonText(page, "Remove"));
          shown << QString::number(list->count()) << list->item(0)->text();
          PressOk(sheet);
        }));
    QCOMPARE(shown, (QStringList{"Rotterdam", "1", "Ahead of UTC (East)",
                                 QString::fromStdString(port->PilotCall), "2", "Tariffs", "1",
                                 "Tariffs"}));
    QCOMPARE(fixture.Messages(), (QStringList{"No item selected", "No document selected"}));
    QCOMPARE(QString::fromStdString(fixture.Prompter().Questions().at(0).text),
             QString("Remove Berth regulations\n Are you sure?"));
    QCOMPARE(port->Documents.GetCount(), 1);
    const DocumentRef& kept = *port->Documents.GetFirst();
    QCOMPARE(kept.Description, std::string("Tariffs"));
    QCOMPARE(kept.Author, std::string("Harbour master"));
    QCOMPARE(kept.FilePath, std::string("/tmp/tariffs.pdf"));
    QCOMPARE(kept.IssueDate, TimeValue{0});  // a new entry starts at time value 0
    QCOMPARE(port->MaxDraft, 14.6);
  }

  void portDocumentsOpenWithTheDesktop() {
    EditorFixture fixture;
    DesktopSpy desktop;
    Port* port = fixture.Doc().GetPorts().FindByName("Rotterdam");
    const std::string path = "/tmp/port rules.pdf";
    port->Documents.Add(std::make_unique<DocumentRef>())->FilePath = path;
    QVERIFY(!DriveSheet(
        [&] {
          return EditRecord(nullptr, fixture.Doc(), Category::Ports, {port, nullptr}, "R");
        },
        [](PropertySheet& sheet) {
          auto* list = ShowPage(sheet, "Documents")->findChild<QListWidget*>();
          const QRect first = list->visualItemRect(list->item(0));
          QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, first.center());
          sheet.reject();
        }));
    QCOMPARE(desktop.opened, QList<QUrl>{QUrl::fromLocalFile(QString::fromStdString(path))});
  }

  void portTrajectListsEitherTrajectAndACancelledInsertLeavesIt() {
    EditorFixture fixture;
    CKeelmarkRouteXPDoc& doc = fixture.Doc();
    Port* port = doc.GetPorts().FindByName("Hamburg");
    const int inbound = port->InboundTraject.GetCount();
    const int outbound = port->OutboundTraject.GetCount();
    QVERIFY(inbound > 1);
    QList<int> rows;
    QString distance;
    QString duration;
    SettleAsOkDoes(doc, {port, nullptr});
    const Archive::Bytes before = StoredBytes(*port);
    QVERIFY(DriveSheet(
        [&] {
          return EditRecord(nullptr, doc, Category::Ports, {port, nullptr}, "Hamburg");
        },
        [&](PropertySheet& sheet) {
          PropertyPage* page = ShowPage(sheet, "Port Traject");
          auto* list = page->findChild<QTreeWidget*>();
          rows << list->topLevelItemCount();
          distance = Text(page, "Total distance");
          Type(Field<QLineEdit>(page, "Average speed"), "10");
          Field<QLineEdit>(page, "Average speed")->editingFinished();
          duration = Text(page, "Duration");
          Click(ButtonText(page, "Outbound traject"));
          rows << list->topLevelItemCount();
          Click(ButtonText(page, "Inbound traject"));
          HandleNextModal([](QWidget* modal) {
            auto* editor = qobject_cast<PropertySheet*>(modal);
            if (!editor || editor->windowTitle() != "New position") return false;
            editor->reject();
            return true;
          });
          Click(ButtonText(page, "Insert WP"));
          rows << list->topLevelItemCount();
          PressOk(sheet);
        }));
    QCOMPARE(rows, (QList<int>{inbound, outbound, inbound}));
    const double total = TotalDistance(port->InboundTraject);
    QCOMPARE(distance, QString::fromStdString(FormatNumber("%#3.1f", total)));
    QCOMPARE(duration, QString::fromStdString(FormatNumber("%#3.1f", total / 10.0)));
    QVERIFY(StoredBytes(*port) == before);
  }

  void chartEditorStoresCornersAsExtents() {
    EditorFixture fixture;
    Chart* chart = fixture.Doc().GetCharts().NthChart(1);
    const std::string altName = chart->AltName;
    QString title;
    QVERIFY(DriveSheet(
        [&] {
          return EditRecord(nullptr, fixture.Doc(), Category::Charts, {chart, nullptr}, "C");
        },
        [&](PropertySheet& sheet) {
          title = sheet.windowTitle();
          Type(Field<QLineEdit>(sheet.CurrentPage(), "Name"), "BA 2675 English Channel (2026)");
          Type(Field<QLineEdit>(sheet.CurrentPage(), "Number"), "NM 5001/26");
          PropertyPage* scale = ShowPage(sheet, "Scale");
          TypePosition(scale, "Top left latitude", 50, "30", 0);
          TypePosition(scale, "Top left longitude", 2, "0", 1);
          TypePosition(scale, "Bottom right latitude", 49, "0", 0);
          TypePosition(scale, "Bottom right longitude", 1, "30", 0);
          Choose(Field<QComboBox>(scale, "Projection"), 1);
          PropertyPage* bitmap = ShowPage(sheet, "Bitmap");
          ButtonText(bitmap, "Use a background bitmap when displaying this chart:")
              ->setChecked(false);
          PressOk(sheet);
        }));
    QCOMPARE(title, QString::fromStdString(altName.empty() ? "C" : altName));
    QCOMPARE(chart->GetName(), std::string("BA 2675 English Channel (2026)"));
    QCOMPARE(chart->AltName, chart->GetName());
    QCOMPARE(chart->ChartText1, chart->GetName());
    QCOMPARE(chart->Number, std::string("NM 5001/26"));
    QCOMPARE(chart->GetLatitude(), 50.5);
    QCOMPARE(chart->GetLongitude(), -2.0);
    QCOMPARE(chart->LatitudeExtent, -1.5);
    QCOMPARE(chart->LongitudeExtent, 3.5);
    QCOMPARE(chart->Projection, 1);
    QCOMPARE(chart->BitmapPath, std::string());
  }

  void publicationEditorHasTheDetailsOnly() {
    EditorFixture fixture;
    Chart* publication = fixture.Doc().GetCharts().NthPublication(0);
    QStringList pages;
    QVERIFY(DriveSheet(
        [&] {
          return EditRecord(nullptr, fixture.Doc(), Category::Publications, {publication, nullptr},
                            "P");
        },
        [&](PropertySheet& sheet) {
          for (int i = 0; i < sheet.PageCount(); ++i) pages << sheet.Tabs()->tabText(i);
          Type(Field<QLineEdit>(sheet.CurrentPage(), "Publisher"), "Admiralty");
          PressOk(sheet);
        }));
    QCOMPARE(pages, QStringList{"Details"});
    QCOMPARE(publication->Publisher, std::string("Admiralty"));
    QCOMPARE(publication->IsChart, 0);
  }

  void tickingReportCompletedStampsTheMomentOfTicking() {
    EditorFixture fixture;
    ReportingPoint* point = fixture.Doc().GetReportingPoints().GetAt(1);
    const TimeValue ticked = ExampleNow();
    QVERIFY(DriveSheet(
        [&] {
          return EditRecord(nullptr, fixture.Doc(), Category::Reporting, {point, nullptr}, "R");
        },
        [&](PropertySheet& sheet) {
          PropertyPage* action = ShowPage(sheet, "Action");
          Type(Field<QLineEdit>(action, "Short description"), "Report on VHF 13");
          Click(ButtonText(action, "Report completed"));
          fixture.Clock().Advance(2 * 3600);  // OK comes two hours later
          PressOk(sheet);
        }));
    QCOMPARE(point->Completed, 1);
    QCOMPARE(point->GetTime(), CNavigation().LocalDayNumber(ticked));
    QCOMPARE(point->Action, std::string("Report on VHF 13"));
  }

  void warningOutlineIsEditedInThePositionDialog() {
    EditorFixture fixture;
    DesktopSpy desktop;
    NavWarning* warning = fixture.Doc().GetWarnings().GetAt(0);
    const int count = warning->OutlineCount();
    QVERIFY(DriveSheet(
        [&] {
          return EditRecord(nullptr, fixture.Doc(), Category::Warnings, {warning, nullptr}, "W");
        },
        [&](PropertySheet& sheet) {
          PropertyPage* positions = ShowPage(sheet, "Positions");
          Click(ButtonText(positions, "Delete"));  // nothing selected
          HandleNextModal([](QWidget* modal) {
            auto* dialog = qobject_cast<PropertySheet*>(modal);
            if (!dialog || dialog->windowTitle() != "Position") return false;
            TypePosition(dialog, "Latitude", 40, "0", 0);
            TypePosition(dialog, "Longitude", 60, "0", 1);
            PressOk(*dialog);
            return true;
          });
          Click(ButtonText(positions, "Add"));
          Click(ButtonText(positions, "Above positions form an enclosed surface"));
          PropertyPage* file = ShowPage(sheet, "File");
          Click(ButtonText(file, "Click here to open this file"));  // no path yet
          Type(Field<QLineEdit>(file, "Path to file"), "/tmp/navarea.txt");
          Click(ButtonText(file, "Click here to open this file"));
          PressOk(sheet);
        }));
    QCOMPARE(fixture.Messages(), (QStringList{"No item selected", "No document selected"}));
    QCOMPARE(desktop.opened, QList<QUrl>{QUrl::fromLocalFile("/tmp/navarea.txt")});
    QCOMPARE(warning->OutlineCount(), count + 1);
    QCOMPARE(warning->GetOutlinePosition(count)->GetLongitude(), -60.0);
    double latitudes = 0.0;
    for (const auto& position : warning->Outline) latitudes += position->GetLatitude();
    QCOMPARE(warning->GetLatitude(), latitudes / (count + 1));
    QCOMPARE(warning->OpenTraject, 0);
    QCOMPARE(warning->Message.FilePath, std::string("/tmp/navarea.txt"));
  }

  void stormTrackingCarriesTheEditedStormOn() {
    EditorFixture fixture;
    Storm* storm = fixture.Doc().GetStorms().GetAt(0);
    const TimeValue at = ExampleNow() + 24 * 3600;
    QString expected;
    QVERIFY(!DriveSheet(
        [&] {
          return EditRecord(nullptr, fixture.Doc(), Category::Storms, {storm, nullptr}, "S");
        },
        [&](PropertySheet& sheet) {
          Type(Field<QLineEdit>(sheet.CurrentPage(), "Course"), "90");
          PropertyPage* tracking = ShowPage(sheet, "Tracking");
          Field<DateTimeEntry>(tracking, "Select date and time")
              ->setDateTime(QDateTime::fromSecsSinceEpoch(at, Qt::UTC));
          expected = Text(tracking, "Expected position");
          sheet.reject();
        }));
    Storm edited = *storm;
    edited.Course = 90.0;
    const CPosition2 position = StormPositionAt(edited, CNavigation().LocalDayNumber(at));
    QCOMPARE(expected,
             QString::fromStdString(position.LatitudeText() + "  " + position.LongitudeText()));
    QCOMPARE(storm->Course, 40.0);  // cancelled
  }

  void stormEyeWantsWholeNumbers() {
    EditorFixture fixture;
    Storm* storm = fixture.Doc().GetStorms().GetAt(1);
    QVERIFY(DriveSheet(
        [&] {
          return EditRecord(nullptr, fixture.Doc(), Category::Storms, {storm, nullptr}, "S");
        },
        [&](PropertySheet& sheet) {
          PropertyPage* eye = ShowPage(sheet, "Eye");
          Type(Field<QLineEdit>(eye, "Max. windspeed"), "85.5");
          PressOk(sheet);
          QVERIFY(sheet.isVisible());
          Type(Field<QLineEdit>(eye, "Max. windspeed"), "85");
          Choose(Field<QComboBox>(eye, "Tendency"), 2);
          PressOk(sheet);
        }));
    QCOMPARE(fixture.Messages(), QStringList{"Max. windspeed: please enter a whole number."});
    QCOMPARE(storm->MaxWind, 85);
    QCOMPARE(storm->PressureTendency, 2);
  }

  void forecastAreaRunsFromNorthWestTillSouthEast() {
    EditorFixture fixture;
    ForecastArea* area = fixture.Doc().GetForecasts().GetAt(0);
    QString title;
    QString explanation;
    QVERIFY(DriveSheet(
        [&] {
          return EditRecord(nullptr, fixture.Doc(), Category::Forecast, {nullptr, area}, "F");
        },
        [&](PropertySheet& sheet) {
          title = sheet.windowTitle();
          PropertyPage* page = sheet.CurrentPage();
          Type(Field<QLineEdit>(page, "Latitude from"), "50");
          Type(Field<QLineEdit>(page, "Latitude till"), "48");
          Type(Field<QLineEdit>(page, "Longitude from"), "5");
          Choose(Field<QComboBox>(page, "Longitude from hemisphere"), 1);
          Type(Field<QLineEdit>(page, "Longitude till"), "1");
          Choose(Field<QComboBox>(page, "Longitude till hemisphere"), 1);
          Type(Field<QLineEdit>(ShowPage(sheet, "Forecast"), "Wind speed"), "45");
          PropertyPage* current = ShowPage(sheet, "Current");
          Click(ButtonText(current, "Use forecast current direction and speed"));
          for (QLabel* label : current->findChildren<QLabel*>()) {
            if (label->text().startsWith("Manually entered")) explanation = label->text();
          }
          PressOk(sheet);
        }));
    QCOMPARE(title, QString("Forecast Area"));
    QCOMPARE(area->NorthWest.GetLatitude(), 50.0);
    QCOMPARE(area->SouthEast.GetLatitude(), 48.0);
    QCOMPARE(area->NorthWest.GetLongitude(), -5.0);
    QCOMPARE(area->SouthEast.GetLongitude(), -1.0);
    QCOMPARE(area->Weather.WindSpeed, 45.0);
    QCOMPARE(area->UseAverageCurrent, 0);
    QVERIFY(explanation.startsWith("Manually entered current data"));
  }
};

}  // namespace keelmark::test

QTEST_MAIN(keelmark::test::TestEditorsReference)
#include "moc_desktop_spy.cpp"
#include "test_editors_reference.moc"
