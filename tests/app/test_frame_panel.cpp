// The main window's top panel: what is left of the voyage, and the arrival picker.
#include <QDateTimeEdit>
#include <QtTest>

#include "document/keelmark_document.h"
#include "tests/app/app_test_support.h"
#include "voyage/voyage_calculation.h"

namespace keelmark::test {

class TestFramePanel : public QObject {
  Q_OBJECT

  ExampleClock clock_;

 private slots:

  void init() { clock_.clock.Set(ExampleNow()); }

  // Under way the panel shows what is left from the present position; before departure, the
  // whole voyage at the departure's engine setting.
  void panelShowsWhatIsLeftOfTheVoyage_data() {
    QTest::addColumn<TimeValue>("now");
    QTest::addColumn<QString>("distance");
    QTest::addColumn<QString>("speed");
    QTest::addColumn<QString>("rpm");
    QTest::newRow("under way") << ExampleNow() << "    1511.9 nM"
                               << "14.1 kts"
                               << "71.6 rpm";
    QTest::newRow("before departure")
        << TimeFromUtcFields({126, 10, 20, 0, 0, 0, 0}) << "    3414.3 nM"
        << "14.8 kts"
        << "71.6 rpm";
  }

  void panelShowsWhatIsLeftOfTheVoyage() {
    QFETCH(TimeValue, now);
    QFETCH(QString, distance);
    QFETCH(QString, speed);
    QFETCH(QString, rpm);
    clock_.clock.Set(now);
    ExampleFolder folder;
    ExampleFrame app(folder);
    CTopPanel& panel = app.Frame().Panel();
    const QStringList shown{panel.RemainingDistanceText(), panel.RequiredSpeedText(),
                            panel.RequiredRpmText()};
    QCOMPARE(shown.join('|'), QStringList({distance, speed, rpm}).join('|'));
    // The arrival is 20:00 UTC at Ambrose, local time five hours slow.
    QCOMPARE(panel.ArrivalPicker()->text(), QStringLiteral("10 Dec 2026  15:00 LT"));
  }

  void emptyRouteShowsZeroAndNAAndTheClock() {
    ExampleFolder folder;
    ExampleFrame app(folder);
    CMainFrame& frame = app.Frame();
    ActionOf(frame, "actionFileNew")->trigger();
    QCOMPARE(frame.windowTitle(), QStringLiteral("Route[*] - Keelmark Route"));
    QCOMPARE(frame.View().model()->rowCount(), 0);
    CTopPanel& panel = frame.Panel();
    QCOMPARE(panel.RemainingDistanceText(), QStringLiteral("0"));
    QCOMPARE(panel.RequiredRpmText(), QStringLiteral("NA"));
    QCOMPARE(panel.RequiredSpeedText(), QStringLiteral("NA"));
    QCOMPARE(panel.ArrivalPicker()->text(), QStringLiteral("6 Dec 2026  12:00 LT"));
    // Picking an arrival for no voyage changes nothing.
    panel.ArrivalPicker()->setDateTime(QDateTime(QDate(2026, 12, 24), QTime(8, 0), Qt::UTC));
    QVERIFY(frame.Document().GetRoute().IsEmpty());
    QVERIFY(!frame.IsModified());
    QCOMPARE(panel.ArrivalPicker()->text(), QStringLiteral("6 Dec 2026  12:00 LT"));
  }

  void pickedArrivalReschedulesTheVoyage() {
    ExampleFolder folder;
    ExampleFrame app(folder);
    CMainFrame& frame = app.Frame();
    const QString distance = frame.Panel().RemainingDistanceText();
    const QString speed = frame.Panel().RequiredSpeedText();
    frame.Panel().ArrivalPicker()->setDateTime(
        QDateTime(QDate(2026, 12, 11), QTime(15, 0), Qt::UTC));
    QVERIFY(frame.IsModified());
    QCOMPARE(ArrivalTime(frame.Document().GetRoute()),
             TimeFromUtcFields({126, 11, 11, 15, 0, 0, 0}));
    QCOMPARE(frame.Panel().RemainingDistanceText(), distance);
    // A day more for the same distance: a lower speed.
    auto knots = [](const QString& text) {
      return text.split(' ', Qt::SkipEmptyParts)[0].toDouble();
    };
    QVERIFY(knots(frame.Panel().RequiredSpeedText()) < knots(speed));
    ClickTab(frame, 2);
    QCOMPARE(frame.View().model()->index(11, 1).data().toString(),
             QStringLiteral("11 Dec 15:00 LT"));
  }
};

}  // namespace keelmark::test

QTEST_MAIN(keelmark::test::TestFramePanel)
#include "test_frame_panel.moc"
