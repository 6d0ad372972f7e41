// The main window's keys and About box: the edit keys in an editor's field, F6 between the
// panes, the lock-key panes.
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QtTest>

#include "app/about_box.h"
#include "app/lock_key_panes.h"
#include "app/record_editors.h"
#include "tests/app/editor_test_support.h"

using namespace keelmark;
using keelmark::test::ActionOf;

class TestFrameKeys : public QObject {
  Q_OBJECT

  test::ExampleClock clock_;

 private slots:
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
    test::ExampleFrame app(
        {.editRecord = {}, .editVessel = {}, .editVoyage = {}, .editOptions = EditOptions}, false);
    QStringList seen;
    test::HandleNextModal([&](QWidget* modal) {
      auto* sheet = qobject_cast<PropertySheet*>(modal);
      if (!sheet) return false;
      auto* field = test::Field<QLineEdit>(test::ShowPage(*sheet, "General"), "Homepage");
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
      test::PressOk(*sheet);
      return true;
    });
    ActionOf(app.Frame(), "actionOptions")->trigger();
    QCOMPARE(seen, (QStringList{"www.example.orgwww.example.org", "www.example.org", "example.org",
                                "www."}));
    QCOMPARE(app.Store().Read(setting::kHomepage), std::string("example.org"));
  }

  void f6MovesTheFocusBetweenThePanes() {
    test::ExampleFrame app({}, false);
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

  // Each pane shows its text while its light is on and keeps its width; a lock key's release
  // reads the lights again. Offscreen there are no lights, and the window has no such panes.
  void lockKeyPanesFollowTheLights() {
    QStatusBar bar;
    LockKeys lights{true, false, true};
    LockKeyPanes panes(&bar, [&lights] { return std::optional<LockKeys>(lights); });
    bar.show();
    const QList<QLabel*> shown = bar.findChildren<QLabel*>();
    auto texts = [&shown] {
      return QStringList{shown[0]->text(), shown[1]->text(), shown[2]->text()};
    };
    QCOMPARE(texts(), (QStringList{"CAP", "", "SCRL"}));
    lights = {false, true, true};
    QTest::keyRelease(&bar, Qt::Key_CapsLock);
    QCOMPARE(texts(), (QStringList{"", "NUM", "SCRL"}));
    QVERIFY(shown[0]->minimumWidth() > 0);

    test::ExampleFrame app({}, false);
    QVERIFY(!app.Frame().statusBar()->findChild<QLabel*>("capsLockPane"));
  }

  void aboutBoxSaysHowTheProgramWasBuiltAndWhereItsFilesAre() {
    test::ExampleFrame app({}, false);
    QStringList shown;
    test::HandleNextModal([&](QWidget* modal) {
      auto* about = qobject_cast<CAboutBox*>(modal);
      if (!about) return false;
      for (const char* name : {"versionText", "buildText", "qtText", "dataFolderText",
                               "settingsText", "libraryText", "licenceText"}) {
        shown << about->findChild<QLabel*>(name)->text();
      }
      about->accept();
      return true;
    });
    ActionOf(app.Frame(), "actionAbout")->trigger();
    const QDate built = QDate::fromString(shown[1].mid(6), "d MMM yyyy");
    QVERIFY2(built.isValid() && built <= QDate::currentDate(), qPrintable(shown[1]));
    shown.removeAt(1);
    // The version and licence texts are the box's own constants: not restated here.
    QCOMPARE(shown.mid(1, 3),
             (QStringList{QStringLiteral("Qt ") + qVersion(),
                          QDir(QString::fromStdString(app.Folder().Folder())).absolutePath(),
                          QString::fromStdString(app.Folder().SettingsFile())}));
  }
};

QTEST_MAIN(TestFrameKeys)
#include "test_frame_keys.moc"
