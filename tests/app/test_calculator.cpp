// The calculator sheet on the example ship and voyage: typing on every page shows the texts of
// the calculator's own computations, bad input shows "NA" and is named when the page is left,
// the keyboard never closes the sheet by accident, and the ship's vessel file stays as it was.
#include <QDir>
#include <QLabel>
#include <QSlider>
#include <QtTest>
#include <array>
#include <functional>

#include "app/calculator_sheet.h"
#include "records/settings_keys.h"
#include "tests/app/editor_test_support.h"
#include "voyage/calculator.h"

namespace keelmark::test {

namespace {

// Runs the calculator and `drive` on it once it shows.
void DriveCalculator(EditorFixture& fixture, const std::function<void(PropertySheet&)>& drive) {
  DriveSheet(
      [&] {
        RunCalculator(nullptr, fixture.Doc());
        return true;
      },
      drive);
}

}  // namespace

class TestCalculator : public QObject {
  Q_OBJECT

 private slots:
  // The numbers are the calculator's own (its core tests); pinned here, they show that each
  // page hands the typed fields and the ship to the right computation and shows its text.
  void everyPageShowsTheCalculatorsText() {
    const std::array<std::array<const char*, 3>, 8> cases = {{
        {"Distances/Departure latitude degrees=50; Departure latitude minutes=0; "
         "Departure longitude degrees=0; Departure longitude minutes=0; "
         "Arrival latitude degrees=51; Arrival longitude degrees=0",
         "Distance", "60.0 nM"},
        {"Dead Reckoning/Latitude degrees=0; Latitude minutes=0; Longitude degrees=0; "
         "Longitude minutes=0; Course=90; Speed=10",
         "Longitude", "0 : 30.00 E"},
        {"Speed/Windspeed=25; Swell height=3", "Log speed", "14.2 kts"},
        {"Squat/Stopped draft forward=9; Stopped draft aft=11; ETM=0", "Draft Aft", "11.8 mtr"},
        {"Wheel over Point/Original grnd course=0; Required grnd course=90; Current speed=0",
         "Wheel over distance", "0.9 nM"},
        {"Wheel over Point/Rate of turn=0", "Wheel over distance", "NA"},
        {"ETA/Distance=1500; Draft Fwd=10; Local time changes=-5", "ETA", "10 Dec 15:35 LT"},
        {"Height/Draft Forward=8; Draft Aft=12", "Mast height m", "50.5"},
    }};
    for (const auto& [steps, result, expected] : cases) {
      EditorFixture fixture;
      QString shown;
      DriveCalculator(fixture, [&](PropertySheet& sheet) {
        Apply(sheet, steps);
        shown = Text(sheet.CurrentPage(), result);
      });
      QCOMPARE(shown, QString(expected));
    }
  }

  void buttonsAndSlidersRecompute() {
    EditorFixture fixture;
    QStringList shown;
    DriveCalculator(fixture, [&](PropertySheet& sheet) {
      PropertyPage* eta = ShowPage(sheet, "ETA");
      Click(ButtonText(eta, "Departure"));
      shown << Text(eta, "Distance") << Text(eta, "Local time changes");
      PropertyPage* speed = ShowPage(sheet, "Speed");
      auto* engine = speed->findChild<QSlider*>();
      engine->setValue(engine->maximum());  // bottom: engine stopped
      shown << Field<QLabel>(speed, "Engine setting rpm")->text() << Text(speed, "Log speed");
    });
    // The route from its departure: 3414.29 nM, six hours of time zones.
    QCOMPARE(shown, (QStringList{"3414.29", "-6", "0 rpm", "0.0 kts"}));
  }

  void badInputShowsNaAndIsNamedWhenThePageIsLeft() {
    EditorFixture fixture;
    QStringList shown;
    DriveCalculator(fixture, [&](PropertySheet& sheet) {
      PropertyPage* page = sheet.CurrentPage();
      Type(Field<QLineEdit>(page, "Arrival latitude degrees"), "95");
      shown << Text(page, "Course") << Text(page, "Distance");
      ShowPage(sheet, "Speed");
      shown << sheet.CurrentPage()->Caption();
    });
    QCOMPARE(shown, (QStringList{"NA", "NA", "Distances"}));
    QCOMPARE(
        fixture.Messages(),
        QStringList{"Arrival latitude degrees: please enter a whole number between 0 and 90."});
  }

  void keyboardTabsThroughTheFieldsAndEnterKeepsTheSheetOpen() {
    EditorFixture fixture;
    QStringList visited;
    bool open = false;
    DriveCalculator(fixture, [&](PropertySheet& sheet) {
      sheet.activateWindow();
      QVERIFY(QTest::qWaitForWindowActive(&sheet));
      Field<QLineEdit>(ShowPage(sheet, "Wheel over Point"), "Original grnd course")->setFocus();
      for (int i = 0; i < 5; ++i) {
        QTest::keyClick(QApplication::focusWidget(), i < 4 ? Qt::Key_Tab : Qt::Key_Return);
        visited << QApplication::focusWidget()->accessibleName();
      }
      open = sheet.isVisible();
    });
    QCOMPARE(visited, (QStringList{"Required grnd course", "Current direction", "Current speed",
                                   "Rate of turn", "Rate of turn"}));
    QVERIFY(open);
  }

  void theShipsVesselStaysAsItWas() {
    EditorFixture fixture;
    const QString path = QString::fromStdString(fixture.Doc().DataFilePath(setting::kVesselPath));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    const double mctc = fixture.Doc().GetVessel().mctc;
    DriveCalculator(fixture, [&](PropertySheet& sheet) {
      Type(Field<QLineEdit>(ShowPage(sheet, "Squat"), "ETM"), "1");
      Type(Field<QLineEdit>(ShowPage(sheet, "Height"), "Draft Aft"), "3");
      auto* close = sheet.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Close);
      QVERIFY(close);
      Click(close);
    });
    fixture.Doc().Close();
    QCOMPARE(fixture.Doc().GetVessel().mctc, mctc);
    file.close();  // the store writes a new file in its place
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), before);
    QVERIFY(fixture.Messages().isEmpty());
  }

  void aMissingVesselFileGivesTheDefaultShip() {
    EditorFixture fixture;
    QVERIFY(
        QFile::remove(QString::fromStdString(fixture.Doc().DataFilePath(setting::kVesselPath))));
    DriveCalculator(fixture, [](PropertySheet&) {});
    QCOMPARE(fixture.Messages(), QStringList{kDefaultShipMessage});
  }
};

}  // namespace keelmark::test

QTEST_MAIN(keelmark::test::TestCalculator)
#include "test_calculator.moc"
