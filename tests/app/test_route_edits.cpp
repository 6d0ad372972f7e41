// The route commands of the list and the File menu: move up and down, reverse, insert before,
// import and export a route, and column widths that the list remembers per category.
#include <QHeaderView>
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

  void columnWidthsAreRememberedPerCategoryAndADoubleClickFits() {
    ExampleFolder folder;
    ExampleList list(folder);
    QHeaderView* header = list.view.horizontalHeader();
    QCOMPARE(header->sectionResizeMode(0), QHeaderView::Interactive);
    header->resizeSection(2, 150);  // as a drag of the divider does
    list.Show(Category::Ports);
    QCOMPARE(list.view.columnWidth(2), 100);
    list.Show(Category::Waypoints);
    QCOMPARE(list.view.columnWidth(2), 150);

    // A double click on the divider after the name column fits the longest name.
    const int divider = header->sectionViewportPosition(0) + header->sectionSize(0) - 1;
    QTest::mouseDClick(header->viewport(), Qt::LeftButton, {},
                       QPoint(divider, header->height() / 2));
    const int fitted = list.view.columnWidth(0);
    QVERIFY(fitted >=
            list.view.fontMetrics().horizontalAdvance(QStringLiteral("Dover Strait SW lane")));

    // A list opened later on the same settings starts at the remembered widths.
    CKeelmarkRouteView another(list.doc, EditCommands{});
    another.RefreshList();
    QCOMPARE(another.columnWidth(0), fitted);
    QCOMPARE(another.columnWidth(2), 150);
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
};

}  // namespace keelmark::test

QTEST_MAIN(keelmark::test::TestRouteEdits)
#include "test_route_edits.moc"
