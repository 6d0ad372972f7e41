// The main list on its own: its model, what picks the selected record, and the route commands
// of the list and the File menu (move up and down, reverse, insert before, import and export).
#include <QAbstractItemModelTester>
#include <QScrollBar>
#include <QtTest>

#include "app/category_model.h"
#include "app/route_edit_commands.h"
#include "app/route_exchange_commands.h"
#include "app/route_view.h"
#include "document/keelmark_document.h"
#include "tests/app/app_test_support.h"

namespace keelmark::test {

class TestRouteEdits : public QObject {
  Q_OBJECT

  ExampleClock clock_;

 private slots:

  void ctrlUpAndDownMoveTheSelectedWaypointAndTheEndsKeepTheirTimes() {
    ExampleFolder folder;
    ExampleList list(folder);
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

  void contextMenuOffersTheRouteCommandsOnlyOverTheRoute() {
    ExampleFolder folder;
    ExampleList list(folder);
    QVERIFY(ContextMenuTexts(list.view, 2).contains("Move &Up"));
    list.Show(Category::Ports);
    QCOMPARE(ContextMenuTexts(list.view, 2),
             (QStringList{"&Insert", "&Edit", "&Delete", "|", "I&mport", "E&xport"}));
    QCOMPARE(list.doc.selectedRow, 2);  // the right-click picked the row under the pointer
  }

  void reverseLetsLegsGoWithTheirLegsAndKeepsTheArrivalLast() {
    ExampleFolder folder;
    ExampleList list(folder);
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
    ExampleFolder folder;
    bool confirm = true;
    ExampleList list(folder, &confirm);
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

  void exportedRouteImportsBackAndABadFileChangesNothing() {
    ExampleFolder folder;
    ExampleList list(folder);
    const QStringList before = list.Names();
    const std::string rtz = folder.Path(QStringLiteral("crossing.rtz")).toStdString();
    list.prompter.QueueFile(rtz);
    ExportRouteCommand(list.doc);
    QVERIFY(QFile::exists(QString::fromStdString(rtz)));

    list.view.RouteEdits().Reverse();
    list.prompter.QueueFile(rtz);
    list.prompter.QueueAnswer(true);
    QVERIFY(ImportRouteCommand(list.doc));
    QCOMPARE(list.Names(), before);
    // A file that is no route: said, the route as it was. (Which files are refused: the route
    // exchange tests of the core and the command line.)
    list.prompter.QueueFile(folder.Path(QStringLiteral("port.dat")).toStdString());
    QVERIFY(!ImportRouteCommand(list.doc));
    QCOMPARE(list.Names(), before);
  }

  void modelStaysConsistentThroughEveryCategory() {
    ExampleFolder folder;
    ExampleList list(folder);
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

  void refillOfTheSameCategoryKeepsScrollAndWidths() {
    ExampleFolder folder;
    ExampleList list(folder);
    list.view.resize(500, 120);
    list.Show(Category::History);
    list.view.setColumnWidth(0, 180);
    list.view.verticalScrollBar()->setValue(list.view.verticalScrollBar()->maximum());
    const int scrolled = list.view.verticalScrollBar()->value();
    QVERIFY(scrolled > 0);
    list.view.RefreshList();
    QCOMPARE(list.view.verticalScrollBar()->value(), scrolled);
    QCOMPARE(list.view.columnWidth(0), 180);
    // Another category starts from its own widths.
    list.Show(Category::Ports);
    QCOMPARE(list.view.columnWidth(0), 100);
  }

  void clicksAndKeysPickTheRecordButFocusDoesNot() {
    ExampleFolder folder;
    ExampleList list(folder);
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

QTEST_MAIN(keelmark::test::TestRouteEdits)
#include "test_route_edits.moc"
