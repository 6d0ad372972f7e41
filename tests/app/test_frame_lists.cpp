// The main window's lists and top panel: the tabs, the rows shown, delete, export and import,
// what is left of the voyage and the arrival picker, driven as a user drives them on a copy of
// the example data; the main list on its own: its model, what picks the selected record, and the
// route commands of the list and the File menu (move up and down, reverse, insert before, import
// and export).
#include <QAbstractItemModelTester>
#include <QDateTimeEdit>
#include <QFileInfo>
#include <QMenu>
#include <QScrollBar>
#include <QtTest>

#include "app/category_model.h"
#include "app/route_edit_commands.h"
#include "app/route_exchange_commands.h"
#include "app/route_view.h"
#include "document/keelmark_document.h"
#include "tests/app/app_test_support.h"
#include "voyage/voyage_calculation.h"

namespace keelmark::test {

namespace {

// The first chart-and-publication record of a kind, as the first row of its list shows it.
Chart& FirstOfKind(CKeelmarkRouteXPDoc& doc, ChartKind kind) {
  for (const auto& chart : doc.GetCharts()) {
    if (chart->Kind() == kind) return *chart;
  }
  qFatal("the example data has no record of this kind");
}

// Every list that shows a time, and how the time of its first row's record comes to be one
// never set.
struct NeverSetTime {
  const char* list;
  int tab;
  int column;
  void (*clear)(CKeelmarkRouteXPDoc& doc);
};

const NeverSetTime kNeverSetTimes[] = {
    {"History", 1, 0, [](CKeelmarkRouteXPDoc& doc) { doc.GetHistory().GetFirst()->SetTime(0.0); }},
    {"Warnings", 3, 3,
     [](CKeelmarkRouteXPDoc& doc) { doc.GetWarnings().GetFirst()->SetRequiredTime(0.0); }},
    {"Reporting", 4, 4,
     [](CKeelmarkRouteXPDoc& doc) { doc.GetReportingPoints().GetFirst()->SetTime(0.0); }},
    {"Publications", 5, 1,
     [](CKeelmarkRouteXPDoc& doc) { FirstOfKind(doc, ChartKind::Publication).Edition = 0; }},
    {"Charts", 7, 1,
     [](CKeelmarkRouteXPDoc& doc) { FirstOfKind(doc, ChartKind::Chart).Edition = 0; }},
    {"Forecast", 8, 1,
     [](CKeelmarkRouteXPDoc& doc) { doc.GetForecasts().GetFirst()->ForecastTime = 0; }},
    {"Storms", 9, 1, [](CKeelmarkRouteXPDoc& doc) { doc.GetStorms().GetFirst()->SetTime(0.0); }},
};

}  // namespace

class TestFrameLists : public QObject {
  Q_OBJECT

  ExampleClock clock_;

 private slots:

  // Every tab shows its category with the rows the list export of the example data pins.
  void everyTabShowsTheRowsOfItsList() {
    ExampleFrame app;
    CMainFrame& frame = app.Frame();
    for (int tab = 0; tab < static_cast<int>(std::size(kCategoryNames)); ++tab) {
      ClickTab(frame, tab);
      QCOMPARE(frame.Panel().Tabs()->tabText(tab).toStdString(), std::string(kCategoryNames[tab]));
      QVERIFY(!frame.Panel().Tabs()->tabIcon(tab).pixmap(16, 16).isNull());
      QCOMPARE(static_cast<int>(frame.Document().GetCategory()), tab);
      const QAbstractItemModel& model = *frame.View().model();
      QStringList shown;
      for (int row = 0; row < model.rowCount(); ++row) {
        shown << RowTexts(model, row).join('\t');
        QVERIFY(
            !model.index(row, 0).data(Qt::DecorationRole).value<QIcon>().pixmap(16, 16).isNull());
      }
      const QString list = QStringLiteral(KEELMARK_TEST_DATA "/lists/%1.txt")
                               .arg(QString::fromLatin1(kCategoryNames[tab].data()).toLower());
      QCOMPARE(shown, QString::fromUtf8(FileBytes(list)).split("\r\n", Qt::SkipEmptyParts));
    }
  }

  // A time never set shows as an empty cell (it read "31 Dec 00:00 LT" and the like); the time
  // of the next row, set, still shows.
  void timesNeverSetShowAsEmptyCells() {
    for (const NeverSetTime& c : kNeverSetTimes) {
      ExampleFrame app;
      CMainFrame& frame = app.Frame();
      ClickTab(frame, c.tab);
      const QAbstractItemModel& model = *frame.View().model();
      QVERIFY(!model.index(0, c.column).data().toString().isEmpty());
      c.clear(frame.Document());
      frame.UpdateAllViews();
      QCOMPARE(model.index(0, c.column).data().toString(), QString());
      QVERIFY(!model.index(1, c.column).data().toString().isEmpty());
      QVERIFY2(!model.index(1, c.column).data().toString().contains("1999"), c.list);
    }
  }

  void deleteAsksAndRemovesTheHighlightedRecord() {
    ExampleFrame app;
    CMainFrame& frame = app.Frame();
    ClickTab(frame, 6);
    ClickRow(frame, 2);
    QCOMPARE(frame.View().model()->index(2, 0).data().toString(), QStringLiteral("Hamburg"));
    // Delete while typing in the arrival picker edits the picker, not the list.
    frame.Panel().ArrivalPicker()->setFocus();
    QTest::keyClick(frame.Panel().ArrivalPicker(), Qt::Key_Delete);
    QVERIFY(app.Prompter().Questions().empty());
    app.Prompter().QueueAnswer(false);
    QTest::keyClick(&frame.View(), Qt::Key_Delete);
    QCOMPARE(app.Prompter().Questions().size(), size_t(1));
    QCOMPARE(frame.View().model()->rowCount(), 12);
    QVERIFY(!frame.IsModified());

    app.Prompter().QueueAnswer(true);
    QTest::keyClick(&frame.View(), Qt::Key_Delete);
    QCOMPARE(frame.View().model()->rowCount(), 11);
    QVERIFY(!frame.Document().GetPorts().ContainsName("Hamburg"));
    QVERIFY(frame.isWindowModified());

    // Ports are a data file: stored at the end even when the route is not saved.
    AnswerNextMessageBox(QMessageBox::No);
    QVERIFY(frame.close());
    app.Close();
    ExampleFrame again(app.Folder());
    QCOMPARE(again.Doc().GetPorts().GetCount(), 11);
  }

  void nothingSelectedIsSaidWithoutAsking() {
    ExampleFrame app;
    CMainFrame& frame = app.Frame();
    ClickTab(frame, 9);
    CKeelmarkRouteView& view = frame.View();
    // A right-click below the last row selects nothing; the menu's Delete then only says so.
    const QPoint below(20, view.visualRect(view.model()->index(1, 0)).bottom() + 40);
    UseContextMenu(view, below, [](QMenu& menu) {
      for (QAction* action : menu.actions()) {
        if (action->text() == QStringLiteral("&Delete")) action->trigger();
      }
    });
    QCOMPARE(frame.Document().selectedRow, -1);
    QVERIFY(app.Prompter().Questions().empty());
    QCOMPARE(view.model()->rowCount(), 2);
    // Exporting with nothing selected says the same, and asks for no file.
    view.ExportItem();
    QCOMPARE(app.Prompter().Messages().size(), size_t(2));
    QCOMPARE(app.Prompter().Messages()[1].text, std::string("No item selected"));
    QVERIFY(app.Prompter().FileChoices().empty());
  }

  // Tab, row exported, row imported (a forecast area is appended).
  void exportedItemImportsAsACopy() {
    const int cases[][3] = {{0, 3, 4}, {1, 5, 6}, {3, 1, 2}, {4, 0, 1}, {5, 1, 2},
                            {6, 7, 8}, {7, 2, 3}, {8, 0, 3}, {9, 1, 2}};
    for (const auto& [tab, row, importedRow] : cases) {
      ExampleFrame app;
      CMainFrame& frame = app.Frame();
      ClickTab(frame, tab);
      ClickRow(frame, row);
      const QAbstractItemModel& model = *frame.View().model();
      const int rows = model.rowCount();
      const QStringList exported = RowTexts(model, row);
      const QString file = app.Folder().Path(QStringLiteral("item.dat"));
      app.Prompter().QueueFile(file.toStdString());
      frame.View().ExportAction()->trigger();
      QVERIFY(QFileInfo(file).size() > 0);
      app.Prompter().QueueFile(file.toStdString());
      frame.View().ImportAction()->trigger();
      QCOMPARE(model.rowCount(), rows + 1);
      QVERIFY(frame.IsModified());
      // Name and position (or the first columns of records without one) come back unchanged.
      QCOMPARE(RowTexts(model, importedRow).mid(0, 3), exported.mid(0, 3));
    }
  }

  void doubleClickEditsTheRowUnderThePointer() {
    QString edited;
    EditCommands editors;
    editors.editRecord = [&](QWidget*, CKeelmarkRouteXPDoc&, Category, const SelectedRecord& record,
                             const QString&) {
      edited = QString::fromStdString(record.position->GetName());
      return true;
    };
    ExampleFrame app(editors);
    CMainFrame& frame = app.Frame();
    ClickTab(frame, 9);
    CKeelmarkRouteView& view = frame.View();
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {},
                       view.visualRect(view.model()->index(1, 2)).center());
    QCOMPARE(edited, QStringLiteral("BETA"));
    QCOMPARE(frame.Document().selectedRow, 1);
    QVERIFY(frame.IsModified());
  }

  void init() { clock_.clock.Set(ExampleNow()); }

  // Under way the panel shows what is left from the present position; before departure, the
  // whole voyage at the departure's engine setting.
  void panelShowsWhatIsLeftOfTheVoyage() {
    const std::pair<TimeValue, QString> cases[] = {
        {ExampleNow(), "    1511.9 nM|14.1 kts|71.6 rpm"},
        {TimeFromUtcFields({126, 10, 20, 0, 0, 0, 0}), "    3414.3 nM|14.8 kts|71.6 rpm"}};
    for (const auto& [now, expected] : cases) {
      clock_.clock.Set(now);
      ExampleFrame app;
      CTopPanel& panel = app.Frame().Panel();
      const QStringList shown{panel.RemainingDistanceText(), panel.RequiredSpeedText(),
                              panel.RequiredRpmText()};
      QCOMPARE(shown.join('|'), expected);
      // The arrival is 20:00 UTC at Ambrose, local time five hours slow.
      QCOMPARE(panel.ArrivalPicker()->text(), QStringLiteral("10 Dec 2026  15:00 LT"));
    }
  }

  void emptyRouteShowsZeroAndNAAndTheClock() {
    ExampleFrame app;
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
    QCOMPARE(panel.ArrivalPicker()->text(), QStringLiteral("6 Dec 2026  12:00 LT"));
  }

  void pickedArrivalReschedulesTheVoyage() {
    ExampleFrame app;
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

  void ctrlUpAndDownMoveTheSelectedWaypointAndTheEndsKeepTheirTimes() {
    ExampleList list;
    const QStringList before = list.Names();
    const double departure = list.doc.GetRoute().GetFirst()->GetTime();
    list.Pick(3);
    // Window shortcuts reach only an active window.
    QVERIFY(QTest::qWaitForWindowActive(&list.view));
    QTest::keyClick(&list.view, Qt::Key_Down, Qt::ControlModifier);
    QCOMPARE(list.Names()[4], before[3]);
    QCOMPARE(list.Names()[3], before[4]);
    QCOMPARE(list.doc.selectedRow, 4);  // the selection goes with the waypoint
    QCOMPARE(list.Cell(4, 0), before[3]);
    QTest::keyClick(&list.view, Qt::Key_Up, Qt::ControlModifier);
    QCOMPARE(list.Names(), before);

    // The first waypoint moved down: the departure stays with whichever is first, and the
    // voyage is calculated again (the new second leg starts at the former second waypoint).
    list.Pick(0);
    QTest::keyClick(&list.view, Qt::Key_Down, Qt::ControlModifier);
    QCOMPARE(list.Names()[0], before[1]);
    QCOMPARE(list.doc.GetRoute().GetFirst()->GetTime(), departure);
    QCOMPARE(list.Cell(1, 5), QStringLiteral("      38.2 nM"));
    // At the top nothing moves further up; no message either.
    list.Pick(0);
    QTest::keyClick(&list.view, Qt::Key_Up, Qt::ControlModifier);
    QCOMPARE(list.Names()[0], before[1]);
    QVERIFY(list.prompter.Messages().empty());
  }

  void reverseLetsLegsGoWithTheirLegsAndKeepsTheArrivalLast() {
    ExampleList list;
    const QStringList before = list.Names();
    const double arrival = list.doc.GetRoute().GetLast()->GetScheduledTime();
    // The example sails great circles from Bishop Rock to 41N 055W.
    QCOMPARE(list.Cell(7, 4), QStringLiteral("258. deg (GRC)"));
    list.view.RouteEdits().Reverse();
    QStringList reversed = before;
    std::reverse(reversed.begin(), reversed.end());
    QCOMPARE(list.Names(), reversed);
    QCOMPARE(list.doc.GetRoute().GetLast()->GetScheduledTime(), arrival);
    // The list shows the voyage calculated again: the great circle on to 47N 020W runs
    // eastward now. (How leg values go with their legs: the core's route edit tests.)
    QCOMPARE(list.Cell(3, 0), QStringLiteral("43N 040W"));
    QCOMPARE(list.Cell(5, 4), QStringLiteral("68. deg (GRC)"));
  }

  void insertBeforePutsTheNewWaypointAboveTheSelectedOne() {
    bool confirm = true;
    ExampleList list(&confirm);
    const QStringList before = list.Names();
    list.Pick(2);
    list.view.RouteEdits().InsertBeforeAction()->trigger();
    QCOMPARE(list.Names().size(), before.size() + 1);
    QCOMPARE(list.Names()[2], QString::fromLatin1(CPosition2::kDefaultName));
    QCOMPARE(list.Names()[3], before[2]);
    // Cancelled in the editor, nothing is added.
    confirm = false;
    list.Pick(5);
    list.view.RouteEdits().InsertBeforeAction()->trigger();
    QCOMPARE(list.Names().size(), before.size() + 1);
  }

  void modelStaysConsistentThroughEveryCategory() {
    ExampleList list;
    QAbstractItemModelTester tester(list.view.model(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    for (int round = 0; round < 2; ++round) {
      for (int c = 0; c < kCategoryCount; ++c) {
        list.Show(static_cast<Category>(c));
        QCOMPARE(list.view.model()->columnCount(), 8);
      }
    }
    // An index outside the ten categories leaves the list as it was.
    list.Show(Category::Ports);
    list.doc.GetSettings().listSelected = 12;
    list.view.RefreshList();
    QCOMPARE(list.view.model()->headerData(0, Qt::Horizontal), QVariant("Port of"));
  }

  void clicksAndKeysPickTheRecordButFocusDoesNot() {
    ExampleList list;
    list.Show(Category::Ports);
    list.doc.selectedRow = -1;
    list.view.RefreshList();
    QVERIFY(!list.view.selectionModel()->hasSelection());
    list.view.clearFocus();
    list.view.setFocus(Qt::OtherFocusReason);
    QCOMPARE(list.doc.selectedRow, -1);
    QVERIFY(!list.doc.GetSelectedRecord());

    QTest::mouseClick(list.view.viewport(), Qt::LeftButton, {},
                      list.view.visualRect(list.view.model()->index(4, 1)).center());
    QCOMPARE(list.doc.selectedRow, 4);
    QTest::keyClick(&list.view, Qt::Key_Down);
    QCOMPARE(list.doc.selectedRow, 5);
    QCOMPARE(list.doc.GetSelectedRecord().position->GetName(), std::string("Southampton"));
    // A refill shows the document's selected row highlighted.
    list.doc.selectedRow = 2;
    list.view.RefreshList();
    QCOMPARE(list.view.selectionModel()->selectedRows().value(0).row(), 2);
  }
};

}  // namespace keelmark::test

QTEST_MAIN(keelmark::test::TestFrameLists)
#include "test_frame_lists.moc"
