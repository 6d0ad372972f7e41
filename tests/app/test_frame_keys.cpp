// The main window's keys and Help menu: the edit keys in an editor's text field, F6 between the
// panes, the lock-key panes of the status bar, the About box and the homepage.
#include <QClipboard>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QtTest>

#include "app/about_box.h"
#include "app/help_commands.h"
#include "app/lock_key_panes.h"
#include "app/record_editors.h"
#include "tests/app/desktop_spy.h"
#include "tests/app/editor_test_support.h"

using namespace keelmark;
using keelmark::test::ActionOf;
using keelmark::test::ExampleFolder;
using keelmark::test::ExampleFrame;

namespace {

QStringList MessageTexts(const ScriptedPrompter& prompter) {
  QStringList texts;
  for (const auto& shown : prompter.Messages()) texts << QString::fromStdString(shown.text);
  return texts;
}

}  // namespace

class TestFrameKeys : public QObject {
  Q_OBJECT

  FixedClock clock_{test::ExampleNow()};
  ScopedProcessClock useClock_{clock_};

 private slots:
  void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

  // Each key pair of the window works on the field of a modal editor, where the window's own
  // shortcuts do not reach; what was typed, cut, pasted and undone ends in the settings on OK.
  void editKeysWorkOnTheFocusedFieldOfAnEditor_data() {
    // Keys as QKeyCombination::toCombined() gives them.
    QTest::addColumn<int>("copy");
    QTest::addColumn<int>("cut");
    QTest::addColumn<int>("paste");
    QTest::addColumn<int>("undo");
    QTest::newRow("letters") << (Qt::ControlModifier | Qt::Key_C).toCombined()
                             << (Qt::ControlModifier | Qt::Key_X).toCombined()
                             << (Qt::ControlModifier | Qt::Key_V).toCombined()
                             << (Qt::ControlModifier | Qt::Key_Z).toCombined();
    QTest::newRow("alternates") << (Qt::ControlModifier | Qt::Key_Insert).toCombined()
                                << (Qt::ShiftModifier | Qt::Key_Delete).toCombined()
                                << (Qt::ShiftModifier | Qt::Key_Insert).toCombined()
                                << (Qt::AltModifier | Qt::Key_Backspace).toCombined();
  }

  void editKeysWorkOnTheFocusedFieldOfAnEditor() {
    QFETCH(int, copy);
    QFETCH(int, cut);
    QFETCH(int, paste);
    QFETCH(int, undo);
    ExampleFolder folder;
    EditCommands editors;
    editors.editOptions = EditOptions;
    ExampleFrame app(folder, editors, false);
    const auto press = [](QWidget* w, int combined) {
      const QKeyCombination key = QKeyCombination::fromCombined(combined);
      QTest::keyClick(w, key.key(), key.keyboardModifiers());
    };
    QStringList seen;
    test::HandleNextModal([&](QWidget* modal) {
      auto* sheet = qobject_cast<PropertySheet*>(modal);
      if (!sheet) return false;
      auto* field = test::Field<QLineEdit>(test::ShowPage(*sheet, "General"), "Homepage");
      if (!field) return false;
      field->setFocus();
      QTest::keyClicks(field, "www.example.org");
      field->selectAll();
      press(field, copy);
      seen << QGuiApplication::clipboard()->text();
      field->setCursorPosition(field->text().size());
      press(field, paste);  // the address twice
      seen << field->text();
      press(field, undo);  // the paste undone
      seen << field->text();
      field->setSelection(0, 4);
      press(field, cut);  // "www." goes to the clipboard
      seen << field->text() << QGuiApplication::clipboard()->text();
      test::PressOk(*sheet);
      return true;
    });
    ActionOf(app.Frame(), "actionOptions")->trigger();
    QCOMPARE(seen, (QStringList{"www.example.org", "www.example.orgwww.example.org",
                                "www.example.org", "example.org", "www."}));
    QCOMPARE(app.Store().Read(setting::kHomepage), std::string("example.org"));
  }

  // F6 goes from the list to the category tabs and back; Shift+F6 goes the other way round.
  void f6MovesTheFocusBetweenThePanes() {
    ExampleFolder folder;
    ExampleFrame app(folder, {}, false);
    CMainFrame& frame = app.Frame();
    frame.View().setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(&frame.View()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(frame.Panel().Tabs()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(&frame.View()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(frame.Panel().Tabs()));
    // From the arrival picker, inside the top panel, the next pane is the list.
    frame.Panel().ArrivalPicker()->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(&frame.View()));
  }

  // The panes show their text while the light is on and keep their place while it is off; they
  // follow a lock key as it is released.
  void lockKeyPanesFollowTheLights() {
    QStatusBar bar;
    LockKeys lights{true, false, true};
    LockKeyPanes panes(&bar, [&lights] { return std::optional<LockKeys>(lights); });
    bar.resize(400, 24);
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    auto text = [&bar](const char* name) { return bar.findChild<QLabel*>(name)->text(); };
    QCOMPARE(QStringList({text("capsLockPane"), text("numLockPane"), text("scrollLockPane")}),
             (QStringList{"CAP", "", "SCRL"}));
    auto* caps = bar.findChild<QLabel*>("capsLockPane");
    auto* num = bar.findChild<QLabel*>("numLockPane");
    auto* scroll = bar.findChild<QLabel*>("scrollLockPane");
    QVERIFY(caps->x() < num->x() && num->x() < scroll->x());
    const int capsWidth = caps->width();
    lights = {false, true, true};
    QTest::keyRelease(&bar, Qt::Key_CapsLock);
    QCOMPARE(QStringList({caps->text(), num->text(), scroll->text()}),
             (QStringList{"", "NUM", "SCRL"}));
    QCOMPARE(caps->width(), capsWidth);
  }

  // Where the platform has no lights (as here, offscreen) the window has no such panes.
  void withoutLightsTheStatusBarHasNoLockKeyPanes() {
    QCOMPARE(ReadKeyboardIndicators(), std::nullopt);
    ExampleFolder folder;
    ExampleFrame app(folder, {}, false);
    QCOMPARE(app.Frame().statusBar()->findChildren<QLabel*>("capsLockPane").size(), 0);
    QStatusBar bar;
    const LockKeyPanes none(&bar, [] { return std::optional<LockKeys>(); });
    QVERIFY(!none.Shown());
    QVERIFY(bar.findChildren<QLabel*>().isEmpty());
  }

  void aboutBoxSaysHowTheProgramWasBuiltAndWhereItsFilesAre() {
    ExampleFolder folder;
    ExampleFrame app(folder, {}, false);
    QMap<QString, QString> shown;
    QStringList licences;
    test::HandleNextModal([&](QWidget* modal) {
      auto* about = qobject_cast<CAboutBox*>(modal);
      if (!about) return false;
      for (const char* name :
           {"versionText", "buildText", "qtText", "dataFolderText", "settingsText"}) {
        shown[name] = about->findChild<QLabel*>(name)->text();
      }
      const QList<QLabel*> libraries = about->findChildren<QLabel*>("libraryText");
      const QList<QLabel*> terms = about->findChildren<QLabel*>("licenceText");
      for (qsizetype i = 0; i < libraries.size() && i < terms.size(); ++i) {
        licences << libraries[i]->text() + ": " + terms[i]->text();
      }
      about->accept();
      return true;
    });
    ActionOf(app.Frame(), "actionAbout")->trigger();
    QCOMPARE(shown["versionText"], QStringLiteral("Keelmark Route Version 4.05"));
    const QDate built =
        QDate::fromString(shown["buildText"].mid(QStringLiteral("Built ").size()), "d MMM yyyy");
    QVERIFY2(built.isValid() && built <= QDate::currentDate(), qPrintable(shown["buildText"]));
    QCOMPARE(shown["qtText"], QStringLiteral("Qt ") + qVersion());
    QCOMPARE(shown["dataFolderText"], QDir(QString::fromStdString(folder.Folder())).absolutePath());
    QCOMPARE(shown["settingsText"], QString::fromStdString(folder.SettingsFile()));
    QVERIFY2(licences.contains("Qt 6: GNU Lesser General Public License 3.0 (LGPL-3.0)"),
             qPrintable(licences.join('\n')));
    QVERIFY(licences.contains("pugixml: MIT License"));
    QVERIFY(licences.contains("libcurl: curl License"));
  }

  // Without an address the command says where to set it; a web address goes to the browser;
  // anything else is refused with a message.
  void homepageOpensTheAddressOfTheOptions() {
    ExampleFolder folder;
    ExampleFrame app(folder, {}, false);
    test::DesktopSpy browser({"http", "https"});
    QAction* homepage = ActionOf(app.Frame(), "actionHomepage");
    homepage->trigger();
    app.Store().Write(setting::kHomepage, "/home/officer/notes.txt");
    homepage->trigger();
    app.Store().Write(setting::kHomepage, " www.example.org/keelmark ");
    homepage->trigger();
    QCOMPARE(MessageTexts(app.Prompter()),
             (QStringList{kNoHomepage, QString(kBadHomepage).arg("/home/officer/notes.txt")}));
    QCOMPARE(browser.opened, QList<QUrl>{QUrl("http://www.example.org/keelmark")});
  }
};

QTEST_MAIN(TestFrameKeys)
#include "moc_desktop_spy.cpp"
#include "test_frame_keys.moc"
