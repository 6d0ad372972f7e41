// The main window's commands: their prompts, keys and toolbar, the guards, and the editors they
// open.
#include <QDialog>
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
    // With the example voyage nothing is said, and the reporting dialog and storm advisory open.
    QStringList captions;
    for (void (CMainFrame::*run)() : {&CMainFrame::OnReporting, &CMainFrame::OnStormAdvisory}) {
      HandleNextModal([&captions](QWidget* modal) {
        captions << modal->windowTitle();
        return modal->close();
      });
      (frame.*run)();
    }
    QCOMPARE(captions, (QStringList{"Reporting", "Tropical storm advisory"}));
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

  void toolsOpenTheCalculatorAndTheMasterSchedule() {
    ExampleFolder folder;
    ExampleFrame app(folder, ProgramEditors());
    QStringList captions;
    for (const char* name : {"actionCalculator", "actionMasterSchedule"}) {
      HandleNextModal([&captions](QWidget* modal) {
        captions << modal->windowTitle();
        return modal->close();
      });
      ActionOf(app.Frame(), name)->trigger();
    }
    QCOMPARE(captions, (QStringList{"Calculator", "Master Schedule"}));
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
    HandleNextModal(cancel);
    frame.View().EditAction()->trigger();
    // A cancelled insert leaves the list as it was.
    HandleNextModal(cancel);
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
};

}  // namespace keelmark::test

QTEST_MAIN(keelmark::test::TestFrameCommands)
#include "test_frame_commands.moc"
