// The main window driven as a user drives it, on a copy of the example data.
#include <QAction>
#include <QDateTimeEdit>
#include <QDialog>
#include <QDragEnterEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QStatusBar>
#include <QTabBar>
#include <QToolBar>
#include <QtTest>

#include "app/about_box.h"
#include "app/application.h"
#include "app/category_model.h"
#include "app/route_view.h"
#include "app/top_panel.h"
#include "voyage/voyage_calculation.h"
#include "document/keelmark_document.h"
#include "navigation/text_format.h"
#include "tests/app/app_test_support.h"

using namespace keelmark;
using keelmark::test::ExampleFolder;
using keelmark::test::ExampleFrame;

namespace {

QAction* ActionOf(CMainFrame& frame, const char* name) {
  return frame.findChild<QAction*>(QString::fromLatin1(name));
}

void ClickTab(CMainFrame& frame, int index) {
  QTabBar* tabs = frame.Panel().Tabs();
  QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
}

void ClickRow(CMainFrame& frame, int row) {
  CKeelmarkRouteView& view = frame.View();
  QTest::mouseClick(view.viewport(), Qt::LeftButton, {},
                    view.visualRect(view.model()->index(row, 1)).center());
}

QByteArray FileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class TestMainFrame : public QObject {
  Q_OBJECT

  FixedClock clock_{test::ExampleNow()};
  ScopedProcessClock useClock_{clock_};

 private slots:
  void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
  void init() { clock_.Set(test::ExampleNow()); }

  void everyTabShowsItsHeadsAndExampleRows_data() {
    QTest::addColumn<int>("tab");
    QTest::addColumn<QStringList>("heads");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("cells");  // "" for a cell not checked
    const QString any;
    QTest::newRow("Waypoints first")
        << 0 << QStringList{"Waypoint", "Latitude", "Longitude", "Local Time",
                            "Bearing",  "Distance", "Wind",      "Current"}
        << 12 << 0 << QStringList{"Maas Center pilot",
                                  "52 : 0.00 N",
                                  "3 : 52.98 E",
                                  "UTC + 1.0 hrs",
                                  "-",
                                  "-",
                                  any,
                                  any};
    QTest::newRow("Waypoints last") << 0 << QStringList{} << 12 << 11
                                    << QStringList{"Ambrose pilot",
                                                   "40 : 27.00 N",
                                                   "73 : 48.00 W",
                                                   "UTC -5.0 hrs",
                                                   "270. deg (RL)",
                                                   "     219.2 nM",
                                                   any,
                                                   any};
    QTest::newRow("History") << 1 << QStringList{"Date and Time", "Latitude",     "Longitude",
                                                 "Local Time",    "GroundCourse", "GroundSpeed",
                                                 "Engine rpm",    "Current"}
                             << 21 << 0 << QStringList{"01 Dec 10:00 LT", any, any,
                                                       "UTC + 1.0 hrs",   any, "15.5 kts",
                                                       "72.0 rpm",        any};
    QTest::newRow("History latest")
        << 1 << QStringList{} << 21 << 20
        << QStringList{"06 Dec 09:00 LT", any, any, "UTC", any, any, "72.0 rpm", any};
    QTest::newRow("Schedule passed departure")
        << 2 << QStringList{"Waypoint",   "ETA",       "Local Time", "Required",
                            "Grnd Speed", "Remaining", "Wind",       "Current"}
        << 12 << 0 << QStringList{"Maas Center pilot", "NA", "", "", "", "", "", ""};
    QTest::newRow("Schedule arrival")
        << 2 << QStringList{} << 12 << 11 << QStringList{"Ambrose pilot",
                                                         "10 Dec 15:00 LT",
                                                         "UTC -5.0 hrs",
                                                         any,
                                                         any,
                                                         "       0.0 nM",
                                                         any,
                                                         any};
    QTest::newRow("Warnings") << 3
                              << QStringList{"ID",          "Latitude", "Longitude", "Valid Till",
                                             "Description", "",         "",          ""}
                              << 3 << 0
                              << QStringList{
                                     "NAVAREA IV 1187/26",
                                     "41 : 12.00 N",
                                     "57 : 36.00 W",
                                     "Saturday 12 Dec 00:00 UTC",
                                     "Drifting containers reported, vessels keep a sharp lookout",
                                     "",
                                     "",
                                     ""};
    QTest::newRow("Reporting") << 4
                               << QStringList{"Name",           "Latitude", "Longitude", "Action",
                                              "Last completed", "",         "",          ""}
                               << 4 << 0
                               << QStringList{"CROSS Gris-Nez (MANCHEREP)",
                                              "50 : 52.20 N",
                                              "1 : 34.80 E",
                                              "Report on VHF 13 entering the Dover Strait TSS",
                                              "01 Dec 13:40 LT",
                                              "",
                                              "",
                                              ""};
    QTest::newRow("Publications")
        << 5
        << QStringList{"Publication", "Edition", "Last Correction", "Publisher", "", "", "", ""}
        << 3 << 2 << QStringList{"NP 74 Sailing Directions: Channel Pilot",
                                 "30 Oct 2025",
                                 "Edition 11",
                                 "UKHO",
                                 "",
                                 "",
                                 "",
                                 ""};
    QTest::newRow("Ports") << 6 << QStringList{"Port of",    "Latitude",         "Longitude",
                                               "Local Time", "Distance inbound", "Berth",
                                               "Agent Name", "Agent Email"}
                           << 12 << 0
                           << QStringList{"Rotterdam",
                                          "51 : 57.00 N",
                                          "4 : 3.00 E",
                                          "UTC + 1.0 hrs",
                                          "6.9 nM",
                                          "ECT Delta Terminal",
                                          "Keelmark Shipping Agency Rotterdam",
                                          "ops.rotterdam@keelmark-agency.example"};
    QTest::newRow("Charts") << 7 << QStringList{"Chart", "Publication", "Last Correction",
                                                "Scale", "At Latitude", "Projection",
                                                "Folio", "Publisher"}
                            << 4 << 0
                            << QStringList{"BA 2182A North Sea Southern Sheet",
                                           "12 Jun 2025",
                                           "NM 4812/26",
                                           "750000.000000",
                                           "53.00 deg",
                                           "Mercator",
                                           "Folio 1",
                                           "UKHO"};
    QTest::newRow("Forecast") << 8 << QStringList{"Area",  "UTC",        "Wind",    "Wave ht",
                                                  "Swell", "Visibility", "Weather", "Current"}
                              << 3 << 0 << QStringList{"Dover",   "06 06 00 UTC", "SW 25.0 kts",
                                                       "1.5 mtr", "SW 2.0 mtr",   "6.0 nM",
                                                       "RAIN",    "NE 1.2 kts"};
    QTest::newRow("Storms")
        << 9 << QStringList{"Name",   "UTC",   "Latitude", "Longitude",
                            "Course", "Speed", "Bearing",  "Distance"}
        << 2 << 0
        << QStringList{
               "ALPHA", "06 06 00 UTC", "32 : 30.00 N", "48 : 0.00 W", " 40 deg", " 14 kts", any,
               any};
  }

  void everyTabShowsItsHeadsAndExampleRows() {
    QFETCH(int, tab);
    QFETCH(QStringList, heads);
    QFETCH(int, rows);
    QFETCH(int, row);
    QFETCH(QStringList, cells);
    ExampleFolder folder;
    ExampleFrame app(folder);
    CMainFrame& frame = app.Frame();
    ClickTab(frame, tab);
    QCOMPARE(frame.Panel().Tabs()->currentIndex(), tab);
    QCOMPARE(frame.Panel().Tabs()->tabText(tab).toStdString(), std::string(kCategoryNames[tab]));
    QVERIFY(!frame.Panel().Tabs()->tabIcon(tab).pixmap(16, 16).isNull());
    QCOMPARE(static_cast<int>(frame.Document().GetCategory()), tab);
    const QAbstractItemModel& model = *frame.View().model();
    if (!heads.isEmpty()) QCOMPARE(test::Headers(model), heads);
    QCOMPARE(model.rowCount(), rows);
    const QStringList shown = test::RowTexts(model, row);
    for (int c = 0; c < cells.size(); ++c) {
      if (!cells[c].isNull()) QCOMPARE(shown[c], cells[c]);
    }
    QVERIFY(!model.index(row, 0).data(Qt::DecorationRole).value<QIcon>().pixmap(16, 16).isNull());
  }

  void warningsHideTheirUnusedColumnsUntilTheNextCategory() {
    ExampleFolder folder;
    ExampleFrame app(folder);
    CKeelmarkRouteView& view = app.Frame().View();
    ClickTab(app.Frame(), 3);
    QCOMPARE(view.columnWidth(3), 200);
    QCOMPARE(view.columnWidth(4), 250);
    for (int c = 5; c < 8; ++c) QVERIFY(view.isColumnHidden(c));
    ClickTab(app.Frame(), 6);
    for (int c = 0; c < 8; ++c) {
      QVERIFY(!view.isColumnHidden(c));
      QCOMPARE(view.columnWidth(c), 100);
    }
    QCOMPARE(view.model()->headerData(4, Qt::Horizontal, Qt::TextAlignmentRole).toInt() &
                 Qt::AlignHorizontal_Mask,
             int(Qt::AlignRight));
  }

  void panelShowsWhatIsLeftOfTheVoyageUnderWay() {
    ExampleFolder folder;
    ExampleFrame app(folder);
    CKeelmarkRouteXPDoc& doc = app.Frame().Document();
    CTopPanel& panel = app.Frame().Panel();
    const PositionFix& present = doc.GetPresentPosition();
    const Voyage& route = doc.GetRoute();
    const double remaining = RemainingDistance(route, present);
    QVERIFY(remaining > 100.0 && remaining < TotalDistance(route) - 100.0);
    QCOMPARE(panel.RemainingDistanceText(),
             QString::fromStdString(FormatNumber("%10.1f nM", remaining)));
    const double hours = (route.GetLast()->GetScheduledTime() - present.GetTime()) * 24.0;
    QCOMPARE(panel.RequiredSpeedText(),
             QString::fromStdString(FormatNumber("%3.1f kts", remaining / hours)));
    QCOMPARE(panel.RequiredRpmText(),
             QString::fromStdString(FormatNumber("%3.1f rpm", NextWaypoint(route, present)->Rpm)));
    QVERIFY(panel.RequiredRpmText().endsWith(QLatin1String(" rpm")));
    // The arrival is 20:00 UTC at Ambrose, local time five hours slow.
    QCOMPARE(panel.ArrivalPicker()->text(), QStringLiteral("10 Dec 2026  15:00 LT"));
  }

  void panelShowsTheWholeVoyageBeforeDeparture() {
    clock_.Set(TimeFromUtcFields({126, 10, 20, 0, 0, 0, 0}));
    ExampleFolder folder;
    ExampleFrame app(folder);
    const Voyage& route = app.Frame().Document().GetRoute();
    QCOMPARE(app.Frame().Panel().RemainingDistanceText(),
             QString::fromStdString(FormatNumber("%10.1f nM", TotalDistance(route))));
    const double hours = (route.GetLast()->GetScheduledTime() - route.GetFirst()->GetTime()) * 24.0;
    QCOMPARE(app.Frame().Panel().RequiredSpeedText(),
             QString::fromStdString(FormatNumber("%3.1f kts", TotalDistance(route) / hours)));
    QCOMPARE(app.Frame().Panel().RequiredRpmText(),
             QString::fromStdString(FormatNumber("%3.1f rpm", route.GetFirst()->Rpm)));
  }

  void emptyRouteShowsZeroAndNAAndTheClock() {
    ExampleFolder folder;
    ExampleFrame app(folder);
    CMainFrame& frame = app.Frame();
    ActionOf(frame, "actionFileNew")->trigger();
    QCOMPARE(frame.windowTitle(), QStringLiteral("Route[*] - Keelmark Route"));
    QCOMPARE(frame.View().model()->rowCount(), 0);
    CTopPanel& panel = frame.Panel();
    QCOMPARE(panel.RemainingDistanceText(), QStringLiteral("0"));
    QCOMPARE(panel.RequiredRpmText(), QStringLiteral("NA"));
    QCOMPARE(panel.RequiredSpeedText(), QStringLiteral("NA"));
    QCOMPARE(panel.ArrivalPicker()->text(), QStringLiteral("6 Dec 2026  12:00 LT"));
    // Picking an arrival for no voyage changes nothing.
    panel.ArrivalPicker()->setDateTime(QDateTime(QDate(2026, 12, 24), QTime(8, 0), Qt::UTC));
    QVERIFY(frame.Document().GetRoute().IsEmpty());
    QVERIFY(!frame.IsModified());
    QCOMPARE(panel.RemainingDistanceText(), QStringLiteral("0"));
    QCOMPARE(panel.ArrivalPicker()->text(), QStringLiteral("6 Dec 2026  12:00 LT"));
  }

  void pickedArrivalReschedulesTheVoyage() {
    ExampleFolder folder;
    ExampleFrame app(folder);
    CMainFrame& frame = app.Frame();
    const QString distance = frame.Panel().RemainingDistanceText();
    const QString speed = frame.Panel().RequiredSpeedText();
    frame.Panel().ArrivalPicker()->setDateTime(
        QDateTime(QDate(2026, 12, 11), QTime(15, 0), Qt::UTC));
    QVERIFY(frame.IsModified());
    QCOMPARE(ArrivalTime(frame.Document().GetRoute()),
             TimeFromUtcFields({126, 11, 11, 15, 0, 0, 0}));
    QCOMPARE(frame.Panel().RemainingDistanceText(), distance);
    // A day more for the same distance: a lower speed.
    auto knots = [](const QString& text) {
      return text.split(' ', Qt::SkipEmptyParts)[0].toDouble();
    };
    QVERIFY(knots(frame.Panel().RequiredSpeedText()) < knots(speed));
    ClickTab(frame, 2);
    QCOMPARE(frame.View().model()->index(11, 1).data().toString(),
             QStringLiteral("11 Dec 15:00 LT"));
  }

  void nightSwitchSwapsTheColoursAndTwiceRestoresThem() {
    ExampleFolder folder;
    ExampleFrame app(folder);
    CMainFrame& frame = app.Frame();
    const QAbstractItemModel& model = *frame.View().model();
    auto colours = [&] {
      return QList<QColor>{frame.View().palette().color(QPalette::Base),
                           frame.View().palette().color(QPalette::Text),
                           model.index(0, 0).data(Qt::BackgroundRole).value<QColor>(),
                           model.index(0, 0).data(Qt::ForegroundRole).value<QColor>()};
    };
    const QList<QColor> day = colours();
    // The stored defaults: white text on black.
    QCOMPARE(day, (QList<QColor>{Qt::black, Qt::white, Qt::black, Qt::white}));
    ActionOf(frame, "actionNightDay")->trigger();
    QCOMPARE(colours(), (QList<QColor>{Qt::white, Qt::black, Qt::white, Qt::black}));
    QVERIFY(ActionOf(frame, "actionNightDay")->isChecked());
    ActionOf(frame, "actionNightDay")->trigger();
    QCOMPARE(colours(), day);
    QCOMPARE(frame.Document().GetSettings().isNight, 0);
    // The night flag is a setting: once more, and it is stored at the end.
    ActionOf(frame, "actionNightDay")->trigger();
    app.Close();
    QCOMPARE(QtSettingsStore(folder.SettingsFile()).ReadInt("Colors", "IsNight", 0), 1);
  }

  void deleteAsksAndRemovesTheHighlightedRecord() {
    ExampleFolder folder;
    ExampleFrame app(folder);
    CMainFrame& frame = app.Frame();
    ClickTab(frame, 6);
    ClickRow(frame, 2);
    const QString port = frame.View().model()->index(2, 0).data().toString();
    QCOMPARE(port, QStringLiteral("Hamburg"));
    // Delete while typing in the arrival picker edits the picker, not the list.
    frame.Panel().ArrivalPicker()->setFocus();
    QTest::keyClick(frame.Panel().ArrivalPicker(), Qt::Key_Delete);
    QVERIFY(app.Prompter().Questions().empty());
    app.Prompter().QueueAnswer(false);
    QTest::keyClick(&frame.View(), Qt::Key_Delete);
    QCOMPARE(app.Prompter().Questions().size(), size_t(1));
    QCOMPARE(app.Prompter().Questions()[0].text,
             std::string("Delete selected item\nAre you sure?"));
    QCOMPARE(app.Prompter().Questions()[0].icon, MessageIcon::Question);
    QCOMPARE(frame.View().model()->rowCount(), 12);
    QVERIFY(!frame.IsModified());

    app.Prompter().QueueAnswer(true);
    QTest::keyClick(&frame.View(), Qt::Key_Delete);
    QCOMPARE(frame.View().model()->rowCount(), 11);
    QVERIFY(!frame.Document().GetPorts().ContainsName("Hamburg"));
    QVERIFY(frame.IsModified());
    QVERIFY(frame.isWindowModified());

    // Ports are a data file: stored at the end even when the route is not saved.
    test::AnswerNextMessageBox(QMessageBox::No);
    QVERIFY(frame.close());
    app.Close();
    ExampleFrame again(folder);
    QCOMPARE(again.Frame().Document().GetPorts().GetCount(), 11);
  }

  void nothingSelectedIsSaidWithoutAsking() {
    ExampleFolder folder;
    ExampleFrame app(folder);
    CMainFrame& frame = app.Frame();
    ClickTab(frame, 9);
    CKeelmarkRouteView& view = frame.View();
    // A right-click below the last row selects nothing; the menu's Delete then only says so.
    const QPoint below(20, view.visualRect(view.model()->index(1, 0)).bottom() + 40);
    QTimer::singleShot(50, [] {
      if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
        const auto actions = menu->actions();
        for (QAction* a : actions) {
          if (a->text() == QStringLiteral("&Delete")) {
            menu->close();
            a->trigger();
          }
        }
      }
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, below, view.viewport()->mapToGlobal(below));
    QApplication::sendEvent(view.viewport(), &event);
    QCOMPARE(frame.Document().selectedRow, -1);
    QVERIFY(app.Prompter().Questions().empty());
    QCOMPARE(app.Prompter().Messages().size(), size_t(1));
    QCOMPARE(app.Prompter().Messages()[0].text, std::string("No item selected"));
    QCOMPARE(app.Prompter().Messages()[0].icon, MessageIcon::Stop);
    QCOMPARE(view.model()->rowCount(), 2);
    // Exporting with nothing selected says the same with another icon.
    view.ExportItem();
    QCOMPARE(app.Prompter().Messages().size(), size_t(2));
    QCOMPARE(app.Prompter().Messages()[1].icon, MessageIcon::Exclamation);
    QVERIFY(app.Prompter().FileChoices().empty());
  }

  void exportedItemImportsAsACopy_data() {
    QTest::addColumn<int>("tab");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("importedRow");
    QTest::newRow("Waypoints") << 0 << 3 << 4;
    QTest::newRow("History") << 1 << 5 << 6;
    QTest::newRow("Warnings") << 3 << 1 << 2;
    QTest::newRow("Reporting") << 4 << 0 << 1;
    QTest::newRow("Publications") << 5 << 1 << 2;
    QTest::newRow("Ports") << 6 << 7 << 8;
    QTest::newRow("Charts") << 7 << 2 << 3;
    QTest::newRow("Forecast appended") << 8 << 0 << 3;
    QTest::newRow("Storms") << 9 << 1 << 2;
  }

  void exportedItemImportsAsACopy() {
    QFETCH(int, tab);
    QFETCH(int, row);
    QFETCH(int, importedRow);
    ExampleFolder folder;
    ExampleFrame app(folder);
    CMainFrame& frame = app.Frame();
    ClickTab(frame, tab);
    ClickRow(frame, row);
    const QAbstractItemModel& model = *frame.View().model();
    const int rows = model.rowCount();
    const QStringList exported = test::RowTexts(model, row);
    const QString file = folder.Path(QStringLiteral("item.dat"));
    app.Prompter().QueueFile(file.toStdString());
    frame.View().ExportAction()->trigger();
    QVERIFY(QFileInfo(file).size() > 0);
    app.Prompter().QueueFile(file.toStdString());
    frame.View().ImportAction()->trigger();
    QCOMPARE(model.rowCount(), rows + 1);
    QVERIFY(frame.IsModified());
    // Name and position (or the first columns of records without one) come back unchanged.
    QCOMPARE(test::RowTexts(model, importedRow).mid(0, 3), exported.mid(0, 3));
    const auto& choices = app.Prompter().FileChoices();
    QCOMPARE(choices.size(), size_t(2));
    for (const FileChoice& choice : choices) {
      QCOMPARE(choice.filter, std::string("Data File (*.dat)|*.dat|All Files (*.*)|*.*||"));
      QCOMPARE(choice.defaultExtension, std::string("dat"));
      QCOMPARE(choice.initialName, std::string());
    }
  }

  void secondStartAlwaysShowsWaypoints() {
    ExampleFolder folder;
    {
      ExampleFrame app(folder);
      ClickTab(app.Frame(), 6);
      app.Close();
    }
    QCOMPARE(QtSettingsStore(folder.SettingsFile()).ReadInt("Settings", "ListSelected", -1), 6);
    ExampleFrame again(folder, {}, false);
    QCOMPARE(again.Frame().Panel().Tabs()->currentIndex(), 0);
    QCOMPARE(again.Frame().Document().GetCategory(), Category::Waypoints);
    QCOMPARE(test::Headers(*again.Frame().View().model())[0], QStringLiteral("Waypoint"));
  }

  void guardsStopCommandsThatNeedAVoyage() {
    ExampleFolder folder;
    int voyageEditorRuns = 0;
    EditCommands editors;
    editors.editVoyage = [&](QWidget*, CKeelmarkRouteXPDoc&, const QString&) {
      ++voyageEditorRuns;
      return false;
    };
    ExampleFrame app(folder, editors);
    CMainFrame& frame = app.Frame();
    ScriptedPrompter& prompter = app.Prompter();
    // With the example voyage nothing is said.
    frame.OnReporting();
    frame.OnStormAdvisory();
    QVERIFY(prompter.Messages().empty());

    ActionOf(frame, "actionFileNew")->trigger();
    frame.OnReporting();
    frame.OnStormAdvisory();
    QCOMPARE(prompter.Messages().size(), size_t(2));
    QCOMPARE(prompter.Messages()[0].text, std::string("No active voyage"));
    QCOMPARE(prompter.Messages()[1].text,
             std::string("No voyage or no hurricanes listed\nCan not display hurricane data"));
    QCOMPARE(prompter.Messages()[1].icon, MessageIcon::Stop);

    prompter.QueueAnswer(false);
    ActionOf(frame, "actionVoyageProperties")->trigger();
    QCOMPARE(prompter.Questions().back().text, std::string("No voyage loaded\nCreate new Voyage?"));
    QCOMPARE(voyageEditorRuns, 0);
    prompter.QueueAnswer(true);
    ActionOf(frame, "actionVoyageProperties")->trigger();
    QCOMPARE(voyageEditorRuns, 1);
    QVERIFY(!frame.IsModified());  // the editor was cancelled
  }

  void laterCommandsAreShownDisabled() {
    ExampleFolder folder;
    ExampleFrame app(folder, ProgramEditors(), false);
    for (const char* name :
         {"actionFileSend", "actionExportList", "actionMeteoExport", "actionMeteoImport",
          "actionMeteoRequest", "actionEditSelectedItem", "actionStormAdvisory",
          "actionPlottingSheet", "actionCalculator", "actionReporting", "actionMasterSchedule",
          "actionGpsMonitor", "actionReportBug"}) {
      QAction* action = ActionOf(app.Frame(), name);
      QVERIFY2(action && !action->isEnabled(), name);
      QVERIFY2(!action->associatedObjects().isEmpty(), name);  // it is in a menu
    }
    for (const char* name :
         {"actionStandingOrders", "actionDepartureChecklist", "actionArrivalChecklist",
          "actionFilePrint", "actionFilePrintPreview", "actionFilePrintSetup",
          "actionGraphicsNoonReport", "actionCoverPage", "actionNoonReport"}) {
      QAction* action = ActionOf(app.Frame(), name);
      QVERIFY2(action && action->isEnabled(), name);
    }
  }

  void editorCommandsNeedTheirEditors() {
    ExampleFolder folder;
    const char* names[] = {"actionInsertFix",        "actionInsertWaypoint",   "actionInsertKey",
                           "actionVesselProperties", "actionVoyageProperties", "actionOptions",
                           "actionListInsert",       "actionListEdit"};
    {
      ExampleFrame without(folder, {}, false);
      for (const char* name : names) QVERIFY2(!ActionOf(without.Frame(), name)->isEnabled(), name);
      QVERIFY(ActionOf(without.Frame(), "actionListDelete")->isEnabled());
    }
    EditCommands editors;
    editors.editRecord = [](QWidget*, CKeelmarkRouteXPDoc&, Category, const SelectedRecord&,
                            const QString&) { return true; };
    editors.editVessel = [](QWidget*, CKeelmarkRouteXPDoc&) { return true; };
    editors.editVoyage = [](QWidget*, CKeelmarkRouteXPDoc&, const QString&) { return true; };
    editors.editOptions = [](QWidget*, CKeelmarkRouteXPDoc&) { return true; };
    ExampleFrame with(folder, editors, false);
    for (const char* name : names) QVERIFY2(ActionOf(with.Frame(), name)->isEnabled(), name);
  }

  void programEditorsOpenOnTheListsRecords() {
    ExampleFolder folder;
    ExampleFrame app(folder, ProgramEditors());
    CMainFrame& frame = app.Frame();
    ClickTab(frame, 6);
    ClickRow(frame, 1);
    QStringList captions;
    auto cancel = [&captions](QWidget* modal) {
      auto* dialog = qobject_cast<QDialog*>(modal);
      if (!dialog) return false;
      captions.append(dialog->windowTitle());
      dialog->reject();
      return true;
    };
    test::HandleNextModal(cancel);
    frame.View().EditAction()->trigger();
    // A cancelled insert leaves the list as it was.
    test::HandleNextModal(cancel);
    ActionOf(frame, "actionInsertWaypoint")->trigger();
    QCOMPARE(captions, (QStringList{"Antwerp", "New Position"}));
    QCOMPARE(frame.View().model()->rowCount(), 12);
    QCOMPARE(frame.Document().GetRoute().GetCount(), 12);
  }

  void insertKeepsTheRecordOnlyWhenTheEditorIsConfirmed_data() {
    QTest::addColumn<int>("tab");
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<QString>("caption");
    QTest::newRow("waypoint kept") << 0 << true << "New Position";
    QTest::newRow("waypoint cancelled") << 0 << false << "New Position";
    QTest::newRow("fix kept") << 1 << true << "Latest Position Fix";
    QTest::newRow("port cancelled") << 6 << false << "New Position";
    QTest::newRow("forecast kept") << 8 << true << "Forecast Area";
    QTest::newRow("forecast cancelled") << 8 << false << "Forecast Area";
  }

  void insertKeepsTheRecordOnlyWhenTheEditorIsConfirmed() {
    QFETCH(int, tab);
    QFETCH(bool, confirm);
    QFETCH(QString, caption);
    ExampleFolder folder;
    QString shownCaption;
    Category editedCategory = Category::Storms;
    EditCommands editors;
    editors.editRecord = [&](QWidget*, CKeelmarkRouteXPDoc&, Category category,
                             const SelectedRecord& record, const QString& title) {
      shownCaption = title;
      editedCategory = category;
      return record && confirm;
    };
    ExampleFrame app(folder, editors);
    CMainFrame& frame = app.Frame();
    ClickTab(frame, tab);
    const int rows = frame.View().model()->rowCount();
    QTest::keyClick(&frame.View(), Qt::Key_Insert);
    QCOMPARE(shownCaption, caption);
    QCOMPARE(static_cast<int>(editedCategory), tab);
    QCOMPARE(frame.View().model()->rowCount(), rows + (confirm ? 1 : 0));
    QVERIFY(frame.IsModified());
  }

  void toolbarInsertsSwitchToTheirCategory() {
    ExampleFolder folder;
    EditCommands editors;
    editors.editRecord = [](QWidget*, CKeelmarkRouteXPDoc&, Category, const SelectedRecord&,
                            const QString&) { return true; };
    ExampleFrame app(folder, editors);
    CMainFrame& frame = app.Frame();
    ClickTab(frame, 6);
    ActionOf(frame, "actionInsertFix")->trigger();
    QCOMPARE(frame.Panel().Tabs()->currentIndex(), 1);
    QCOMPARE(frame.View().model()->rowCount(), 22);
    ClickRow(frame, 0);
    ActionOf(frame, "actionInsertWaypoint")->trigger();
    QCOMPARE(frame.Panel().Tabs()->currentIndex(), 0);
    // Nothing was selected: the new waypoint comes last.
    QCOMPARE(frame.View().model()->rowCount(), 13);
    QCOMPARE(frame.View().model()->index(12, 0).data().toString(), QStringLiteral("New Position"));
  }

  void doubleClickEditsTheRowUnderThePointer() {
    ExampleFolder folder;
    QString edited;
    EditCommands editors;
    editors.editRecord = [&](QWidget*, CKeelmarkRouteXPDoc&, Category, const SelectedRecord& record,
                             const QString&) {
      edited = QString::fromStdString(record.position->GetName());
      return true;
    };
    ExampleFrame app(folder, editors);
    CMainFrame& frame = app.Frame();
    ClickTab(frame, 9);
    CKeelmarkRouteView& view = frame.View();
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {},
                       view.visualRect(view.model()->index(1, 2)).center());
    QCOMPARE(edited, QStringLiteral("BETA"));
    QCOMPARE(frame.Document().selectedRow, 1);
    QVERIFY(frame.IsModified());
  }

  void commandsCarryTheirPromptsTipsAndKeys_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("statusTip");
    QTest::addColumn<QString>("toolTip");
    QTest::addColumn<QKeySequence>("key");
    QTest::newRow("new") << "actionFileNew"
                         << "Create a new route document"
                         << "New" << QKeySequence("Ctrl+N");
    QTest::newRow("print") << "actionFilePrint"
                           << "Print the current list"
                           << "Print" << QKeySequence("Ctrl+P");
    QTest::newRow("checklist") << "actionDepartureChecklist"
                               << "Show pre-departure checklist"
                               << "Open pre-departure checklist" << QKeySequence();
    QTest::newRow("homepage") << "actionHomepage"
                              << "Brineholt Productions homepage"
                              << "Check for software upgrades" << QKeySequence();
    QTest::newRow("night") << "actionNightDay"
                           << "Switch night-day screen"
                           << "Switch colors night-day screen" << QKeySequence();
    QTest::newRow("insert key") << "actionInsertKey"
                                << ""
                                << "" << QKeySequence(Qt::Key_Insert);
    QTest::newRow("delete key") << "actionDeleteKey"
                                << ""
                                << "" << QKeySequence(Qt::Key_Delete);
  }

  void commandsCarryTheirPromptsTipsAndKeys() {
    QFETCH(QString, name);
    QFETCH(QString, statusTip);
    QFETCH(QString, toolTip);
    QFETCH(QKeySequence, key);
    ExampleFolder folder;
    ExampleFrame app(folder, {}, false);
    QAction* action = app.Frame().findChild<QAction*>(name);
    QVERIFY(action);
    QCOMPARE(action->statusTip(), statusTip);
    if (!toolTip.isEmpty()) QCOMPARE(action->toolTip(), toolTip);
    QCOMPARE(action->shortcut(), key);
  }

  void toolbarHoldsTheCommandsInOrder() {
    ExampleFolder folder;
    ExampleFrame app(folder, {}, false);
    auto* bar = app.Frame().findChild<QToolBar*>(QStringLiteral("mainToolBar"));
    QVERIFY(bar);
    QStringList names;
    for (QAction* action : bar->actions()) {
      names.append(action->isSeparator() ? QStringLiteral("|") : action->objectName());
    }
    QCOMPARE(names, (QStringList{"actionFileNew", "actionFileOpen", "actionFileSave", "|",
                                 "actionVoyageProperties", "actionInsertWaypoint",
                                 "actionInsertFix", "|", "actionFilePrint", "|", "actionCalculator",
                                 "|", "actionNightDay", "|", "actionAbout"}));
    for (QAction* action : bar->actions()) {
      if (!action->isSeparator())
        QVERIFY2(!action->icon().pixmap(16, 16).isNull(), qPrintable(action->objectName()));
    }
  }

  void statusBarIsReadyBetweenPrompts() {
    ExampleFolder folder;
    ExampleFrame app(folder, {}, false);
    QStatusBar* bar = app.Frame().statusBar();
    QCOMPARE(bar->currentMessage(), QStringLiteral("Ready"));
    ActionOf(app.Frame(), "actionCalculator")->showStatusText(&app.Frame());
    QCOMPARE(bar->currentMessage(), QStringLiteral("Show calculator"));
    QStatusTipEvent leave{QString()};
    QApplication::sendEvent(&app.Frame(), &leave);
    QCOMPARE(bar->currentMessage(), QStringLiteral("Ready"));
  }

  void saveAsThenOpenRestoresTheRoute() {
    ExampleFolder folder;
    ExampleFrame app(folder);
    CMainFrame& frame = app.Frame();
    ClickRow(frame, 5);
    app.Prompter().QueueAnswer(true);
    frame.View().DeleteSelected();
    QVERIFY(frame.IsModified());
    const QString copy = folder.Path(QStringLiteral("shortened.q3v"));
    app.Prompter().QueueFile(copy.toStdString());
    ActionOf(frame, "actionFileSaveAs")->trigger();
    const FileChoice& choice = app.Prompter().FileChoices().back();
    QCOMPARE(choice.filter, std::string("Route (*.q3v)|*.q3v|All Files (*.*)|*.*||"));
    QCOMPARE(choice.defaultExtension, std::string("q3v"));
    QCOMPARE(choice.initialName, std::string(test::kExampleRoute));
    QVERIFY(!frame.IsModified());
    QCOMPARE(frame.windowTitle(), QStringLiteral("shortened.q3v[*] - Keelmark Route"));
    QCOMPARE(frame.RecentFiles().value(0), copy);

    ActionOf(frame, "actionFileNew")->trigger();
    QCOMPARE(frame.View().model()->rowCount(), 0);
    app.Prompter().QueueFile(copy.toStdString());
    ActionOf(frame, "actionFileOpen")->trigger();
    QCOMPARE(frame.View().model()->rowCount(), 11);
    QCOMPARE(frame.PathName(), copy);
    // A document never saved offers "Route.q3v".
    ActionOf(frame, "actionFileNew")->trigger();
    ActionOf(frame, "actionFileSave")->trigger();  // cancelled: no file queued
    QCOMPARE(app.Prompter().FileChoices().back().initialName, std::string("Route.q3v"));
  }

  void closingWithUnsavedChangesAsksFirst() {
    ExampleFolder folder;
    ExampleFrame app(folder);
    CMainFrame& frame = app.Frame();
    const QByteArray route = FileBytes(folder.RoutePath());
    ClickRow(frame, 1);
    app.Prompter().QueueAnswer(true);
    frame.View().DeleteSelected();
    QString question;
    test::AnswerNextMessageBox(QMessageBox::Cancel, &question);
    QVERIFY(!frame.close());
    QCOMPARE(question, QStringLiteral("Save changes to atlantic-westbound.q3v?"));
    QVERIFY(frame.isVisible());
    test::AnswerNextMessageBox(QMessageBox::No);
    QVERIFY(frame.close());
    QCOMPARE(FileBytes(folder.RoutePath()), route);
    app.Close();
    // Saying Yes writes the route.
    ExampleFrame again(folder);
    ClickRow(again.Frame(), 1);
    again.Prompter().QueueAnswer(true);
    again.Frame().View().DeleteSelected();
    test::AnswerNextMessageBox(QMessageBox::Yes);
    QVERIFY(again.Frame().close());
    QVERIFY(FileBytes(folder.RoutePath()) != route);
  }

  void droppedRouteDocumentIsOpened() {
    ExampleFolder folder;
    ExampleFrame app(folder, {}, false);
    CMainFrame& frame = app.Frame();
    QCOMPARE(frame.View().model()->rowCount(), 0);
    auto drop = [&](const QList<QUrl>& urls) {
      QMimeData mime;
      mime.setUrls(urls);
      const QPoint at = frame.rect().center();
      QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(&frame, &enter);
      if (!enter.isAccepted()) return false;
      QDropEvent dropped(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(&frame, &dropped);
      return true;
    };
    QVERIFY(!drop({QUrl::fromLocalFile(folder.Path(QStringLiteral("port.dat")))}));
    QVERIFY(drop({QUrl::fromLocalFile(folder.Path(QStringLiteral("port.dat"))),
                  QUrl::fromLocalFile(folder.RoutePath())}));
    QCOMPARE(frame.View().model()->rowCount(), 12);
    QCOMPARE(frame.PathName(), folder.RoutePath());
  }

  void commandLineOpensTheRouteOrEndsTheStart() {
    ExampleFolder folder;
    ExampleFrame app(folder, {}, false);
    CMainFrame& frame = app.Frame();
    QVERIFY(ProcessCommandLine(frame, {}));
    QVERIFY(ProcessCommandLine(frame, {folder.RoutePath()}));
    QCOMPARE(frame.Document().GetRoute().GetCount(), 12);

    QVERIFY(!ProcessCommandLine(frame, {folder.Path(QStringLiteral("missing.q3v"))}));
    QVERIFY(QString::fromStdString(app.Prompter().Messages().back().text)
                .startsWith(QStringLiteral("Cannot open the route document\n")));
    // A damaged document leaves the open one as it was.
    const QString damaged = folder.Path(QStringLiteral("damaged.q3v"));
    QFile file(damaged);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(FileBytes(folder.RoutePath()).left(300));
    file.close();
    QVERIFY(!ProcessCommandLine(frame, {damaged}));
    QVERIFY(QString::fromStdString(app.Prompter().Messages().back().text)
                .startsWith(QStringLiteral("The route document is damaged and was not opened\n")));
    QCOMPARE(app.Prompter().Messages().back().icon, MessageIcon::Stop);
    QCOMPARE(frame.Document().GetRoute().GetCount(), 12);
    QCOMPARE(frame.PathName(), folder.RoutePath());
  }

  void recentFilesKeepTheLatestFour() {
    ExampleFolder folder;
    QStringList copies;
    for (int i = 1; i <= 5; ++i) {
      copies.append(folder.Path(QStringLiteral("copy%1.q3v").arg(i)));
      QVERIFY(QFile::copy(folder.RoutePath(), copies.back()));
    }
    {
      ExampleFrame app(folder, {}, false);
      for (const QString& copy : copies) QVERIFY(app.Frame().OpenDocumentFile(copy));
      QCOMPARE(app.Frame().RecentFiles(),
               (QStringList{copies[4], copies[3], copies[2], copies[1]}));
      QAction* first = ActionOf(app.Frame(), "actionRecentFile1");
      QVERIFY(first->isVisible());
      QCOMPARE(first->text(), QStringLiteral("&1 copy5.q3v"));
      // Reopening one moves it to the top.
      ActionOf(app.Frame(), "actionRecentFile3")->trigger();
      QCOMPARE(app.Frame().PathName(), copies[2]);
      QCOMPARE(app.Frame().RecentFiles().value(0), copies[2]);
    }
    ExampleFrame again(folder, {}, false);
    QCOMPARE(again.Frame().RecentFiles(),
             (QStringList{copies[2], copies[4], copies[3], copies[1]}));
    // A file that has gone is dropped from the list when it cannot be opened.
    QVERIFY(QFile::remove(copies[4]));
    ActionOf(again.Frame(), "actionRecentFile2")->trigger();
    QCOMPARE(again.Frame().RecentFiles(), (QStringList{copies[2], copies[3], copies[1]}));
    QVERIFY(!ActionOf(again.Frame(), "actionRecentFile4")->isVisible());
  }

  void aboutBoxShowsTheVersion() {
    ExampleFolder folder;
    ExampleFrame app(folder, {}, false);
    QString title;
    QString version;
    test::HandleNextModal([&](QWidget* modal) {
      auto* about = qobject_cast<CAboutBox*>(modal);
      if (!about) return false;
      title = about->windowTitle();
      version = about->findChild<QLabel*>(QStringLiteral("versionText"))->text();
      about->accept();
      return true;
    });
    ActionOf(app.Frame(), "actionAbout")->trigger();
    QCOMPARE(title, QStringLiteral("About Keelmark Route"));
    QCOMPARE(version, QStringLiteral("Keelmark Route Version 4.05"));
  }
};

QTEST_MAIN(TestMainFrame)
#include "test_main_frame.moc"
