// The main window's commands: their prompts, keys and toolbar, the guards, and the editors they
// open; the edit keys in an editor's field and F6 between the panes; its files: open, save,
// close, drop, the command line, and recent files.
#include <QClipboard>
#include <QDragEnterEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QtTest>

#include "app/application.h"
#include "app/record_editors.h"
#include "document/keelmark_document.h"
#include "tests/app/editor_test_support.h"

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

  // Both key sets work on a field of a modal editor, where the window's shortcuts do not
  // reach; the text typed, pasted, undone and cut is what OK stores.
  void editKeysWorkOnTheFocusedFieldOfAnEditor_data() {
    QTest::addColumn<QList<int>>("keys");  // copy, paste, undo, cut as key | modifiers
    QTest::newRow("letters") << QList<int>{
        (Qt::CTRL | Qt::Key_C).toCombined(), (Qt::CTRL | Qt::Key_V).toCombined(),
        (Qt::CTRL | Qt::Key_Z).toCombined(), (Qt::CTRL | Qt::Key_X).toCombined()};
    QTest::newRow("alternates") << QList<int>{
        (Qt::CTRL | Qt::Key_Insert).toCombined(), (Qt::SHIFT | Qt::Key_Insert).toCombined(),
        (Qt::ALT | Qt::Key_Backspace).toCombined(), (Qt::SHIFT | Qt::Key_Delete).toCombined()};
  }

  void editKeysWorkOnTheFocusedFieldOfAnEditor() {
    QFETCH(QList<int>, keys);
    ExampleFrame app(
        {.editRecord = {}, .editVessel = {}, .editVoyage = {}, .editOptions = EditOptions}, false);
    QStringList seen;
    HandleNextModal([&](QWidget* modal) {
      auto* sheet = qobject_cast<PropertySheet*>(modal);
      if (!sheet) return false;
      auto* field = Field<QLineEdit>(ShowPage(*sheet, "General"), "Homepage");
      field->setFocus();
      QTest::keyClicks(field, "www.example.org");
      auto press = [field](int key) {
        const QKeyCombination k = QKeyCombination::fromCombined(key);
        QTest::keyClick(field, k.key(), k.keyboardModifiers());
        return field->text();
      };
      field->selectAll();
      press(keys[0]);
      field->setCursorPosition(field->text().size());
      seen << press(keys[1]) << press(keys[2]);
      field->setSelection(0, 4);
      seen << press(keys[3]) << QGuiApplication::clipboard()->text();
      PressOk(*sheet);
      return true;
    });
    ActionOf(app.Frame(), "actionOptions")->trigger();
    QCOMPARE(seen, (QStringList{"www.example.orgwww.example.org", "www.example.org", "example.org",
                                "www."}));
    QCOMPARE(app.Store().Read(setting::kHomepage), std::string("example.org"));
  }

  void f6MovesTheFocusBetweenThePanes() {
    ExampleFrame app({}, false);
    QWidget* list = &app.Frame().View();
    QWidget* tabs = app.Frame().Panel().Tabs();
    list->setFocus();
    QList<QWidget*> reached;
    for (const Qt::KeyboardModifier shift :
         {Qt::NoModifier, Qt::NoModifier, Qt::ShiftModifier, Qt::ShiftModifier}) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6, shift);
      reached << QApplication::focusWidget();
    }
    QCOMPARE(reached, (QList<QWidget*>{tabs, list, tabs, list}));
  }

  void saveAsThenOpenRestoresTheRoute() {
    ExampleFrame app;
    CMainFrame& frame = app.Frame();
    ClickRow(frame, 5);
    app.Prompter().QueueAnswer(true);
    frame.View().DeleteSelected();
    QVERIFY(frame.IsModified());
    const QString copy = app.Folder().Path(QStringLiteral("shortened.q3v"));
    app.Prompter().QueueFile(copy.toStdString());
    ActionOf(frame, "actionFileSaveAs")->trigger();
    QCOMPARE(app.Prompter().FileChoices().back().initialName, std::string(kExampleRoute));
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
    ExampleFrame app;
    const ExampleFolder& folder = app.Folder();
    CMainFrame& frame = app.Frame();
    const QByteArray route = FileBytes(folder.RoutePath());
    ClickRow(frame, 1);
    app.Prompter().QueueAnswer(true);
    frame.View().DeleteSelected();
    QString question;
    AnswerNextMessageBox(QMessageBox::Cancel, &question);
    QVERIFY(!frame.close());
    QCOMPARE(question, QStringLiteral("Save changes to atlantic-westbound.q3v?"));
    QVERIFY(frame.isVisible());
    AnswerNextMessageBox(QMessageBox::No);
    QVERIFY(frame.close());
    QCOMPARE(FileBytes(folder.RoutePath()), route);
    app.Close();
    // Saying Yes writes the route.
    ExampleFrame again(folder);
    ClickRow(again.Frame(), 1);
    again.Prompter().QueueAnswer(true);
    again.Frame().View().DeleteSelected();
    AnswerNextMessageBox(QMessageBox::Yes);
    QVERIFY(again.Frame().close());
    QVERIFY(FileBytes(folder.RoutePath()) != route);
  }

  void droppedRouteDocumentIsOpened() {
    ExampleFrame app({}, false);
    CMainFrame& frame = app.Frame();
    const ExampleFolder& folder = app.Folder();
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
    ExampleFrame app({}, false);
    CMainFrame& frame = app.Frame();
    const ExampleFolder& folder = app.Folder();
    QVERIFY(ProcessCommandLine(frame, {}));
    QVERIFY(ProcessCommandLine(frame, {folder.RoutePath()}));
    QCOMPARE(frame.Document().GetRoute().GetCount(), 12);

    QVERIFY(!ProcessCommandLine(frame, {folder.Path(QStringLiteral("missing.q3v"))}));
    QVERIFY(QString::fromStdString(app.Prompter().Messages().back().text)
                .startsWith(QStringLiteral("Cannot open the route document\n")));
    // A damaged document, cut or with bytes after its end, leaves the open one as it was and
    // the file as it is.
    const QByteArray route = FileBytes(folder.RoutePath());
    const std::pair<QByteArray, const char*> damaged[] = {
        {route.left(300), "The route document is damaged and was not opened\n"},
        {route + "junk", "4 bytes follow the end of the content"}};
    for (const auto& [bytes, said] : damaged) {
      const QString path = folder.Path(QStringLiteral("damaged.q3v"));
      QFile file(path);
      QVERIFY(file.open(QIODevice::WriteOnly));
      file.write(bytes);
      file.close();
      QVERIFY(!ProcessCommandLine(frame, {path}));
      QVERIFY(app.Prompter().Messages().back().text.find(said) != std::string::npos);
      QCOMPARE(app.Prompter().Messages().back().icon, MessageIcon::Stop);
      QCOMPARE(frame.PathName(), folder.RoutePath());
      QCOMPARE(frame.Document().GetRoute().GetCount(), 12);
      QCOMPARE(FileBytes(path), bytes);
    }
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
};

}  // namespace keelmark::test

QTEST_MAIN(keelmark::test::TestFrameCommands)
#include "test_frame_commands.moc"
