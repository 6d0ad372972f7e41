// The shared entry fields: position and time entry and their range checks. (What they store
// through the sheets, and the refused pages: test_editors_records and test_editors_options.)
#include <QComboBox>
#include <QtTest>

#include "app/date_time_entry.h"
#include "app/position_entry.h"
#include "navigation/navigation.h"
#include "tests/app/editor_test_support.h"

namespace keelmark::test {

class TestEditorsFramework : public QObject {
  Q_OBJECT

 private slots:
  void coordinateEntryShowsTheRecordAndGivesItBackExactly() {
    CoordinateEntry entry(Axis::Latitude, CoordinateEntry::Style::DegreesMinutes, true, "Latitude");
    entry.SetValue(-33.25);
    QCOMPARE(entry.DegreesEdit()->text(), QString("33"));
    QCOMPARE(entry.MinutesEdit()->text(), QString("15"));
    QCOMPARE(entry.HemisphereBox()->currentText(), QString("South"));
    // A value whose minutes are not shown in full comes back unchanged when nobody edits it.
    const double precise = 51.123456789012345;
    entry.SetValue(precise);
    QVERIFY(*entry.Value() == precise);
  }

  void coordinateProblemsNameTheFieldAndItsRange() {
    const QString degrees = "Latitude degrees: please enter a whole number between 0 and 90.";
    const QString minutes = "Latitude minutes: please enter a number between 0 and 60.";
    const struct {
      bool checked;
      const char* degrees;
      const char* minutes;
      QString problem;
    } cases[] = {{true, "91", "0", degrees},
                 {true, "10", "60.5", minutes},
                 {true, "ten", "0", degrees},
                 {true, "10", "", minutes},
                 {true, "90", "30", "Latitude: please enter at most 90 degrees."},
                 {false, "200", "75", ""},  // unchecked takes any degrees, but still a number
                 {false, "x", "0", "Latitude degrees: please enter a whole number."}};
    for (const auto& c : cases) {
      CoordinateEntry entry(Axis::Latitude, CoordinateEntry::Style::DegreesMinutes, c.checked,
                            "Latitude");
      entry.SetValue(1.0);
      entry.DegreesEdit()->setText(c.degrees);
      entry.MinutesEdit()->setText(c.minutes);
      QCOMPARE(entry.Problem(), c.problem);
    }
  }

  void decimalCoordinateTakesTheSignFromTheHemisphere() {
    CoordinateEntry entry(Axis::Longitude, CoordinateEntry::Style::DecimalDegrees, true,
                          "Longitude");
    entry.SetValue(-63.5);
    QCOMPARE(entry.DegreesEdit()->text(), QString("63.5"));
    QCOMPARE(entry.HemisphereBox()->currentIndex(), 1);
    entry.DegreesEdit()->setText("181");
    QCOMPARE(entry.Problem(), QString("Longitude: please enter a number between 0 and 180."));
    entry.DegreesEdit()->setText("48.25");
    entry.HemisphereBox()->setCurrentIndex(0);
    QCOMPARE(*entry.Value(), 48.25);
  }

  void slotTimeKeepsTheSlotUnlessATimeIsPicked() {
    const CNavigation navigation;
    const double slot = 9471.437123456789;  // not a whole second
    SlotTime time{slot, 1.0 / 24.0, std::nullopt};
    QVERIFY(time.SlotFor(1.0 / 24.0) == slot);
    // A new offset keeps the local reading: the slot moves by the difference.
    QCOMPARE(time.SlotFor(3.0 / 24.0), slot + 1.0 / 24.0 - 3.0 / 24.0);
    const TimeValue picked = TimeFromUtcFields({126, 11, 24, 8, 30, 0, 0});
    time.picked = picked;
    QCOMPARE(time.SlotFor(1.0 / 24.0), navigation.LocalDayNumber(picked) - 1.0 / 24.0);
    QCOMPARE(time.Shown(), picked);
  }
};

}  // namespace keelmark::test

QTEST_MAIN(keelmark::test::TestEditorsFramework)
#include "test_editors_framework.moc"
