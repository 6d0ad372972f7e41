// The "Master Schedule" dialog on the example schedule: what it shows, adding, changing and
// removing port calls with their totals, the checks of its fields, and the stored files.
#include <QDir>
#include <QTableView>
#include <QtTest>
#include <array>

#include "app/date_time_entry.h"
#include "app/schedule_dialog.h"
#include "records/archive_file.h"
#include "tests/app/editor_test_support.h"

namespace keelmark::test {

namespace {

QStringList Totals(QWidget* dialog) {
  QStringList texts;
  for (const char* field :
       {"Total portstay", "At sea", "Total distance", "Av. Speed", "Fuel Cons"}) {
    texts << Text(dialog, field);
  }
  return texts;
}

void Press(QWidget* dialog, const char* button) { Click(ButtonText(dialog, button)); }

}  // namespace

class TestMasterSchedule : public QObject {
  Q_OBJECT

 private slots:
  void addChangeAndRemoveCallsWithTheirTotals() {
    EditorFixture fixture;
    CMasterScheduleDialog dialog(fixture.Doc());
    const QAbstractItemModel& list = *dialog.findChild<QTableView*>()->model();
    QCOMPARE(list.rowCount(), 5);
    QCOMPARE(RowTexts(list, 1), (QStringList{"New York", "14.5 kts", "56.6 rpm", "10 Dec 15:00 LT",
                                             "12 Dec 15:00 LT"}));
    QCOMPARE(Totals(&dialog),
             (QStringList{"128.0 hrs", "490.0 hrs", "7275.0 nM", "14.8 kts", "542.9 mT"}));
    QCOMPARE(Text(&dialog, "Name"), QString("Rotterdam"));  // the first call opens selected

    // Norfolk is 12 hours from New York: 300 nM make 25 knots.
    auto* view = dialog.findChild<QTableView*>();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      view->visualRect(list.index(2, 0)).center());
    QCOMPARE(Text(&dialog, "Name"), QString("Norfolk"));
    Type(Field<QLineEdit>(&dialog, "Distance"), "300");
    Press(&dialog, "Save Changes");
    QCOMPARE(RowTexts(list, 2).mid(0, 2), (QStringList{"Norfolk", "25.0 kts"}));

    // A new call a day after Antwerp's departure (26 Dec 18:00 UTC), 240 nM on: 10 knots.
    Press(&dialog, "New Item");
    QCOMPARE(dialog.SelectedRow(), 5);
    Type(Field<QLineEdit>(&dialog, "Name"), "Le Havre");
    Type(Field<QLineEdit>(&dialog, "Distance"), "240");
    Type(Field<QLineEdit>(&dialog, "Local time"), "1");
    Field<DateTimeEntry>(&dialog, "Scheduled ETA")  // local: 18:00 UTC
        ->setDateTime(QDateTime(QDate(2026, 12, 27), QTime(19, 0), Qt::UTC));
    Press(&dialog, "Save Changes");
    QCOMPARE(RowTexts(list, 5).mid(0, 2), (QStringList{"Le Havre", "10.0 kts"}));

    // Removing Antwerp asks first; No keeps it, Yes removes it.
    dialog.findChild<QTableView*>()->setCurrentIndex(list.index(4, 0));
    Press(&dialog, "Remove Item");
    QCOMPARE(list.rowCount(), 6);
    fixture.Prompter().QueueAnswer(true);
    Press(&dialog, "Remove Item");
    QCOMPARE(QString::fromStdString(fixture.Prompter().Questions().back().text),
             QString("Remove Antwerp\nAre you sure?"));
    QCOMPARE(list.rowCount(), 5);
    QCOMPARE(Text(&dialog, "Name"), QString("Le Havre"));  // the call now in its place
    // The totals are the schedule's own (its core tests); here only that they follow the list.
    QCOMPARE(Totals(&dialog)[2], QString("4820.0 nM"));
  }

  void fieldsOutsideTheirRangesChangeNothing() {
    const std::array<std::array<const char*, 3>, 3> cases = {
        {{"Distance", "-1", "Distance: please enter a number between 0 and 50000."},
         {"Local time", "14.5", "Local time: please enter a number between -14 and 14."},
         {"Scheduled portstay", "two days",
          "Scheduled portstay: please enter a number between 0 and 9999."}}};
    for (const auto& [field, typed, message] : cases) {
      EditorFixture fixture;
      CMasterScheduleDialog dialog(fixture.Doc());
      Type(Field<QLineEdit>(&dialog, "Name"), "Changed");
      Type(Field<QLineEdit>(&dialog, field), typed);
      Press(&dialog, "Save Changes");
      QCOMPARE(fixture.Messages(), QStringList{message});
      QCOMPARE(dialog.Schedule().Rows()[0].name, std::string("Rotterdam"));
    }
  }

  void closeStoresTheFileAndOffersTheText() {
    EditorFixture fixture;
    const QString textPath = fixture.Folder().Path("schedule.txt");
    fixture.Prompter().QueueAnswer(true);  // "Create schedule as text file?"
    fixture.Prompter().QueueFile(textPath.toStdString());
    bool openAfterEnter = false;
    HandleNextModal([&openAfterEnter](QWidget* modal) {
      auto* dialog = qobject_cast<CMasterScheduleDialog*>(modal);
      if (!dialog) return false;
      Press(dialog, "New Item");
      QTest::keyClick(Field<QLineEdit>(dialog, "Name"), Qt::Key_Return);
      openAfterEnter = dialog->isVisible();
      Press(dialog, "Close");
      return true;
    });
    RunMasterSchedule(nullptr, fixture.Doc());
    QVERIFY(openAfterEnter);
    MasterSchedule stored(fixture.Doc().GetVessel());
    QVERIFY(stored.Load(fixture.Folder().Path("schedule.dat").toStdString()).Ok());
    QCOMPARE(stored.Items().GetCount(), 6);
    QCOMPARE(stored.Items().GetLast()->Name, std::string("New Item"));
    QCOMPARE(fixture.Prompter().FileChoices().back().initialName, std::string("Schedule"));
    const QByteArray text = FileBytes(textPath);
    QVERIFY(text.startsWith("Master Schedule created by Keelmark Route\r\n\r\nPort\t\tETA"));
    QVERIFY(text.contains("Rotterdam\t29 Nov 19:00 LT\t01 Dec 01:00 LT\t0.0 kts\r\n"));
  }

  // Regression: a damaged schedule file was written over by the empty schedule.
  void aDamagedFileIsKeptAndCancelStoresNothing() {
    EditorFixture fixture;
    const QString path = fixture.Folder().Path("schedule.dat");
    QVERIFY(WriteFileAtomically(path.toStdString(), std::string("\x05\x00\x00\x00garbage", 11)));
    for (const bool close : {false, true}) {  // the window's close box, then "Close"
      HandleNextModal([close](QWidget* modal) {
        auto* dialog = qobject_cast<CMasterScheduleDialog*>(modal);
        if (dialog && close) Press(dialog, "Close");
        if (dialog && !close) dialog->reject();
        return dialog != nullptr;
      });
      RunMasterSchedule(nullptr, fixture.Doc());
      if (!close) QCOMPARE(FileBytes(path).size(), 11);
    }
    QCOMPARE(fixture.Messages().first(), QString(MasterSchedule::kLoadFailed));
    const QStringList kept =
        QDir(fixture.Folder().Path(".")).entryList({"schedule.dat.damaged-*"}, QDir::Files);
    QCOMPARE(kept.size(), 1);
    QCOMPARE(FileBytes(fixture.Folder().Path(kept[0])).size(), 11);
    QCOMPARE(FileBytes(path), QByteArray(4, '\0'));  // the empty schedule
  }

  void everythingFits() {
    EditorFixture fixture;
    CMasterScheduleDialog dialog(fixture.Doc());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QVERIFY(dialog.width() >= dialog.minimumSizeHint().width() &&
            dialog.height() >= dialog.minimumSizeHint().height());
    if (const QString folder = qEnvironmentVariable("KEELMARK_SCREENSHOTS"); !folder.isEmpty())
      QVERIFY(QDir().mkpath(folder) && dialog.grab().save(folder + "/master-schedule.png"));
  }
};

}  // namespace keelmark::test

QTEST_MAIN(keelmark::test::TestMasterSchedule)
#include "test_master_schedule.moc"
