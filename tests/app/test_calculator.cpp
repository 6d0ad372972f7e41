// The calculator sheet on the example ship and voyage: typing on every page shows the texts of
// the calculator's own computations, bad input shows "NA" and is named when the page is left,
// the keyboard never closes the sheet by accident, and the ship's vessel file stays as it was.
#include <QtTest>
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
  // Each page shows the text of its computation: tests/data/tables/calculator_pages.txt.
  void everyPageShowsTheCalculatorsText() {
    for (const QStringList& c : DataTable("calculator_pages.txt")) {
      EditorFixture fixture;
      QString shown;
      DriveCalculator(fixture, [&](PropertySheet& sheet) {
        Apply(sheet, c[0]);
        shown = Text(sheet.CurrentPage(), c[1]);
      });
      QCOMPARE(shown, c[2]);
    }
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
    const QByteArray before = FileBytes(path);
    const double mctc = fixture.Doc().GetVessel().mctc;
    DriveCalculator(fixture, [&](PropertySheet& sheet) {
      Type(Field<QLineEdit>(ShowPage(sheet, "Squat"), "ETM"), "1");
      Type(Field<QLineEdit>(ShowPage(sheet, "Height"), "Draft Aft"), "3");
      Click(sheet.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Close));
    });
    fixture.Doc().Close();
    QCOMPARE(fixture.Doc().GetVessel().mctc, mctc);
    QCOMPARE(FileBytes(path), before);
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
