// The main list on its own: its model, what picks the selected record, and its column widths.
#include <QAbstractItemModelTester>
#include <QScrollBar>
#include <QtTest>

#include "app/category_model.h"
#include "app/route_view.h"
#include "document/keelmark_document.h"
#include "tests/app/app_test_support.h"

namespace keelmark::test {

class TestRouteView : public QObject {
  Q_OBJECT

  ExampleClock clock_;

 private slots:

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

QTEST_MAIN(keelmark::test::TestRouteView)
#include "test_route_view.moc"
