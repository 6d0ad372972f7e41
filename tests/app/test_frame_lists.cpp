// The main window's lists: the tabs, the rows shown, colours, delete, export and import, driven as
// a user drives them on a copy of the example data.
#include <QDateTimeEdit>
#include <QFileInfo>
#include <QMenu>
#include <QtTest>

#include "app/category_model.h"
#include "document/keelmark_document.h"
#include "tests/app/app_test_support.h"

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
  void everyTabShowsTheRowsOfItsList_data() {
    QTest::addColumn<int>("tab");
    for (int tab = 0; tab < static_cast<int>(std::size(kCategoryNames)); ++tab) {
      QTest::newRow(kCategoryNames[tab].data()) << tab;
    }
  }

  void everyTabShowsTheRowsOfItsList() {
    QFETCH(int, tab);
    ExampleFrame app;
    CMainFrame& frame = app.Frame();
    ClickTab(frame, tab);
    QCOMPARE(frame.Panel().Tabs()->tabText(tab).toStdString(), std::string(kCategoryNames[tab]));
    QVERIFY(!frame.Panel().Tabs()->tabIcon(tab).pixmap(16, 16).isNull());
    QCOMPARE(static_cast<int>(frame.Document().GetCategory()), tab);
    const QAbstractItemModel& model = *frame.View().model();
    QStringList shown;
    for (int row = 0; row < model.rowCount(); ++row) {
      shown << RowTexts(model, row).join('\t');
      QVERIFY(!model.index(row, 0).data(Qt::DecorationRole).value<QIcon>().pixmap(16, 16).isNull());
    }
    const QString list = QStringLiteral(KEELMARK_TEST_DATA "/lists/%1.txt")
                             .arg(QString::fromLatin1(kCategoryNames[tab].data()).toLower());
    QCOMPARE(shown, QString::fromUtf8(FileBytes(list)).split("\r\n", Qt::SkipEmptyParts));
  }

  // A time never set shows as an empty cell (it read "31 Dec 00:00 LT" and the like); the time
  // of the next row, set, still shows.
  void timesNeverSetShowAsEmptyCells_data() {
    QTest::addColumn<int>("index");
    for (int i = 0; i < static_cast<int>(std::size(kNeverSetTimes)); ++i) {
      QTest::newRow(kNeverSetTimes[i].list) << i;
    }
  }

  void timesNeverSetShowAsEmptyCells() {
    QFETCH(int, index);
    const NeverSetTime& c = kNeverSetTimes[index];
    ExampleFrame app;
    CMainFrame& frame = app.Frame();
    ClickTab(frame, c.tab);
    const QAbstractItemModel& model = *frame.View().model();
    QVERIFY(!model.index(0, c.column).data().toString().isEmpty());
    c.clear(frame.Document());
    frame.UpdateAllViews();
    QCOMPARE(model.index(0, c.column).data().toString(), QString());
    QVERIFY(!model.index(1, c.column).data().toString().isEmpty());
    QVERIFY(!model.index(1, c.column).data().toString().contains("1999"));
  }

  void warningsHideTheirUnusedColumnsUntilTheNextCategory() {
    ExampleFrame app;
    CKeelmarkRouteView& view = app.Frame().View();
    ClickTab(app.Frame(), 3);
    for (int c = 5; c < 8; ++c) QVERIFY(view.isColumnHidden(c));
    ClickTab(app.Frame(), 6);
    for (int c = 0; c < 8; ++c) QVERIFY(!view.isColumnHidden(c) && view.columnWidth(c) == 100);
  }

  void nightSwitchSwapsTheColoursAndTwiceRestoresThem() {
    ExampleFrame app;
    CMainFrame& frame = app.Frame();
    const QAbstractItemModel& model = *frame.View().model();
    auto colours = [&] {
      return QList<QColor>{frame.View().palette().color(QPalette::Base),
                           frame.View().palette().color(QPalette::Text),
                           model.index(0, 0).data(Qt::BackgroundRole).value<QColor>(),
                           model.index(0, 0).data(Qt::ForegroundRole).value<QColor>()};
    };
    // The stored defaults, white text on black, swapped; twice, back; the flag stored at the end.
    const QList<QColor> day{Qt::black, Qt::white, Qt::black, Qt::white};
    const QList<QColor> night{Qt::white, Qt::black, Qt::white, Qt::black};
    QCOMPARE(colours(), day);
    for (const bool isNight : {true, false, true}) {
      ActionOf(frame, "actionNightDay")->trigger();
      QCOMPARE(colours(), isNight ? night : day);
    }
    app.Close();
    QCOMPARE(QtSettingsStore(app.Folder().SettingsFile()).ReadInt("Colors", "IsNight", 0), 1);
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
};

}  // namespace keelmark::test

QTEST_MAIN(keelmark::test::TestFrameLists)
#include "test_frame_lists.moc"
