// The main window's commands: their prompts, keys and toolbar, the guards, and the editors they
// open.
#include <QtTest>

#include "app/application.h"
#include "document/keelmark_document.h"
#include "tests/app/app_test_support.h"

namespace keelmark::test {

class TestFrameCommands : public QObject {
  Q_OBJECT

  ExampleClock clock_;

 private slots:

  void guardsStopCommandsThatNeedAVoyage() {
    int voyageEditorRuns = 0;
    EditCommands editors;
    editors.editVoyage = [&](QWidget*, CKeelmarkRouteXPDoc&, const QString&) {
      ++voyageEditorRuns;
      return false;
    };
    ExampleFrame app(editors);
    CMainFrame& frame = app.Frame();
    ScriptedPrompter& prompter = app.Prompter();
    // (With the example voyage the storm advisory opens: programEditorsAndToolsOpen.)
    ActionOf(frame, "actionFileNew")->trigger();
    frame.OnReporting();
    frame.OnStormAdvisory();
    QCOMPARE(prompter.Messages().size(), size_t(2));
    QCOMPARE(prompter.Messages()[0].text, std::string("No active voyage"));
    QCOMPARE(prompter.Messages()[1].text,
             std::string("No voyage or no hurricanes listed\nCan not display hurricane data"));

    prompter.QueueAnswer(false);
    ActionOf(frame, "actionVoyageProperties")->trigger();
    QCOMPARE(prompter.Questions().back().text, std::string("No voyage loaded\nCreate new Voyage?"));
    QCOMPARE(voyageEditorRuns, 0);
    prompter.QueueAnswer(true);
    ActionOf(frame, "actionVoyageProperties")->trigger();
    QCOMPARE(voyageEditorRuns, 1);
    QVERIFY(!frame.IsModified());  // the editor was cancelled
  }

  // The program's editors open on the list's record, a cancelled insert leaves the list as it
  // was, and the Tools open the calculator and the master schedule.
  void programEditorsAndToolsOpen() {
    ExampleFrame app(ProgramEditors());
    CMainFrame& frame = app.Frame();
    ClickTab(frame, 6);
    ClickRow(frame, 1);
    QStringList captions;
    const std::function<void()> commands[] = {
        [&] { frame.View().EditAction()->trigger(); },
        [&] { ActionOf(frame, "actionInsertWaypoint")->trigger(); },
        [&] { ActionOf(frame, "actionCalculator")->trigger(); },
        [&] { ActionOf(frame, "actionMasterSchedule")->trigger(); },
        [&] { frame.OnStormAdvisory(); }};
    for (const auto& command : commands) {
      HandleNextModal([&captions](QWidget* modal) {
        captions << modal->windowTitle();
        return modal->close();
      });
      command();
    }
    QCOMPARE(captions, (QStringList{"Antwerp", "New Position", "Calculator", "Master Schedule",
                                    "Tropical storm advisory"}));
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
    QString shownCaption;
    Category editedCategory = Category::Storms;
    EditCommands editors;
    editors.editRecord = [&](QWidget*, CKeelmarkRouteXPDoc&, Category category,
                             const SelectedRecord& record, const QString& title) {
      shownCaption = title;
      editedCategory = category;
      return record && confirm;
    };
    ExampleFrame app(editors);
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
    EditCommands editors;
    editors.editRecord = [](QWidget*, CKeelmarkRouteXPDoc&, Category, const SelectedRecord&,
                            const QString&) { return true; };
    ExampleFrame app(editors);
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
};

}  // namespace keelmark::test

QTEST_MAIN(keelmark::test::TestFrameCommands)
#include "test_frame_commands.moc"
