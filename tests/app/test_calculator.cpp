// The calculator sheet on the example ship and voyage: typing on every page gives the texts of
// the calculator's own computations, bad input shows "NA" and is named when the page is left,
// the keyboard never closes the sheet by accident, and the ship's vessel file stays as it was.
#include <QDir>
#include <QLabel>
#include <QSlider>
#include <QtTest>
#include <functional>

#include "app/calculator_sheet.h"
#include "records/settings_keys.h"
#include "tests/app/editor_test_support.h"
#include "voyage/calculator.h"
#include "voyage/voyage_calculation.h"

namespace keelmark::test {

namespace {

// The sheet's own vessel as it opens: the example's vessel file.
CVessel2 ExampleVessel(EditorFixture& fixture) {
  bool loaded = false;
  CVessel2 vessel =
      CalculatorVessel(fixture.Store(), fixture.Doc().DataFilePath(setting::kVesselPath), loaded);
  if (!loaded) qFatal("example vessel not loaded");
  return vessel;
}

int OpeningRpm(const CVessel2& vessel) {
  return EngineSettingAt(vessel, EngineSliderPosition(vessel));
}

// Runs the calculator and `drive` on it once it shows.
void DriveCalculator(EditorFixture& fixture, const std::function<void(PropertySheet&)>& drive) {
  DriveSheet(
      [&] {
        RunCalculator(nullptr, fixture.Doc());
        return true;
      },
      drive);
}

// Fields typed on a page (see Apply), the result read, and the calculator's own text for the
// same inputs.
using Expected = std::function<std::string(CVessel2&, CKeelmarkRouteXPDoc&)>;
struct Typing {
  const char* steps;
  const char* result;
  Expected expected;
};

DegMinPosition At(int latitude, int longitude) { return {{latitude, 0.0, 0}, {longitude, 0.0, 0}}; }

}  // namespace

class TestCalculator : public QObject {
  Q_OBJECT

 private slots:
  void everyPageComputesAsTheCalculatorDoes() {
    const TimeValue now = ExampleNow();
    const std::vector<Typing> cases = {
        {"Distances/Departure latitude degrees=50; Departure latitude minutes=0; "
         "Departure longitude degrees=0; Departure longitude minutes=0; "
         "Arrival latitude degrees=51; Arrival longitude degrees=0",
         "Distance", [](CVessel2&, CKeelmarkRouteXPDoc&) { return "60.0 nM"; }},
        {"Dead Reckoning/Latitude degrees=0; Latitude minutes=0; Longitude degrees=0; "
         "Longitude minutes=0; Course=90; Speed=10",
         "Longitude",
         [now](CVessel2&, CKeelmarkRouteXPDoc& doc) {
           const TimeValue start = doc.GetPresentPosition().GetTimeValue();
           return CalculateDeadReckoning({start, At(0, 0), 90.0, 10.0, now}).longitudeText;
         }},
        {"Speed/Windspeed=25; Swell height=3", "Log speed",
         [](CVessel2& v, CKeelmarkRouteXPDoc&) {
           return CalculateSpeed(v, {25.0, WindSide::OnTheHead, 3.0}).logSpeedText;
         }},
        {"Squat/Stopped draft forward=9; Stopped draft aft=11; ETM=0", "Draft Aft",
         [](CVessel2& v, CKeelmarkRouteXPDoc&) {
           return CalculateSquat(v, {9.0, 11.0, v.lcb, v.lcf, 0.0, Water::Deep}).draftAftText;
         }},
        {"Wheel over Point/Original grnd course=0; Required grnd course=90; Current speed=0",
         "Wheel over distance",
         [](CVessel2& v, CKeelmarkRouteXPDoc&) {
           return CalculateWheelOver(v, {OpeningRpm(v), 0.0, 90.0, 0.0, 0.0, 20.0}).distanceText;
         }},
        {"Wheel over Point/Rate of turn=0", "Wheel over distance",
         [](CVessel2&, CKeelmarkRouteXPDoc&) { return "NA"; }},
        {"ETA/Distance=1500; Draft Fwd=10; Local time changes=-5", "ETA",
         [now](CVessel2& v, CKeelmarkRouteXPDoc& doc) {
           return CalculateEta(v, doc.GetRoute(),
                               {OpeningRpm(v), 1500.0, 10.0, v.draftAft, -5.0, now})
               .etaText;
         }},
        {"Height/Draft Forward=8; Draft Aft=12", "Mast height m",
         [](CVessel2& v, CKeelmarkRouteXPDoc&) {
           return CalculateHeight(v, {8.0, 12.0, kHeightSliderOpening}).mastMetres;
         }},
    };
    for (const Typing& typing : cases) {
      EditorFixture fixture;
      CVessel2 vessel = ExampleVessel(fixture);
      const std::string expected = typing.expected(vessel, fixture.Doc());
      QString shown;
      DriveCalculator(fixture, [&](PropertySheet& sheet) {
        Apply(sheet, typing.steps);
        shown = Text(sheet.CurrentPage(), typing.result);
      });
      QCOMPARE(shown, QString::fromStdString(expected).trimmed());
    }
  }

  void buttonsAndSlidersRecompute() {
    EditorFixture fixture;
    CVessel2 vessel = ExampleVessel(fixture);
    EtaInput departure;
    QVERIFY(StartFromDeparture(fixture.Doc().GetRoute(), departure));
    QStringList shown;
    DriveCalculator(fixture, [&](PropertySheet& sheet) {
      PropertyPage* eta = ShowPage(sheet, "ETA");
      Click(ButtonText(eta, "Departure"));
      shown << Text(eta, "Distance") << Text(eta, "Local time changes");
      PropertyPage* speed = ShowPage(sheet, "Speed");
      speed->findChild<QSlider*>()->setValue(vessel.maxRpm);  // bottom: engine stopped
      shown << Field<QLabel>(speed, "Engine setting rpm")->text() << Text(speed, "Log speed");
    });
    QCOMPARE(shown[0], NumberEdit::Text(TotalDistance(fixture.Doc().GetRoute()),
                                        NumberEdit::Kind::Decimal, 2));
    QCOMPARE(shown[1], NumberEdit::Text(departure.localTimeChange, NumberEdit::Kind::Decimal, 2));
    QCOMPARE(shown.mid(2), (QStringList{"0 rpm", "0.0 kts"}));
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
