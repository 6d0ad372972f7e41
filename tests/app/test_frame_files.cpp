// The main window's files: open, save, close, drop, the command line, and recent files.
#include <QDragEnterEvent>
#include <QMimeData>
#include <QtTest>

#include "app/application.h"
#include "document/keelmark_document.h"
#include "tests/app/app_test_support.h"

namespace keelmark::test {

class TestFrameFiles : public QObject {
  Q_OBJECT

  ExampleClock clock_;

 private slots:

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

QTEST_MAIN(keelmark::test::TestFrameFiles)
#include "test_frame_files.moc"
