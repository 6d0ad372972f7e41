#include <QSignalSpy>
#include <QtTest>

#include "app/main_frame.h"

class TestMainFrame : public QObject {
  Q_OBJECT

 private slots:
  void opensWithTitleAndClosesCleanly() {
    auto* frame = new keelmark::CMainFrame;
    frame->setAttribute(Qt::WA_DeleteOnClose);
    QSignalSpy destroyed(frame, &QObject::destroyed);
    frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(frame));
    QCOMPARE(frame->windowTitle(), QStringLiteral("Keelmark Route"));
    QVERIFY(frame->close());
    QTRY_COMPARE(destroyed.count(), 1);
  }
};

QTEST_MAIN(TestMainFrame)
#include "test_main_frame.moc"
