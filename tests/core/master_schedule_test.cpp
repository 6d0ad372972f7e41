#include "voyage/master_schedule.h"

#include <gtest/gtest.h>

#include <cmath>

#include "navigation/calendar.h"
#include "navigation/clock.h"
#include "navigation/navigation.h"
#include "records/archive_file.h"
#include "records/vessel.h"
#include "tests/core/test_files.h"

namespace keelmark {
namespace {

using test::DayOf;
using test::FileText;
using test::UtcTime;

class MasterScheduleTest : public testing::Test {
 protected:
  ScheduleItem& Add(const char* name, double distance, const char* eta, double portStay,
                    double zoneHours = 0.0) {
    ScheduleItem& item = schedule_.AddItem();
    item.Name = name;
    item.Distance = distance;
    item.Eta = DayOf(eta);
    item.PortStay = portStay;
    item.ZoneHours = zoneHours;
    schedule_.Recalculate();
    return item;
  }

  CVessel2 vessel_;
  MasterSchedule schedule_{vessel_};
};

TEST_F(MasterScheduleTest, LegSpeedRpmAndFuelFollowFromThePreviousDeparture) {
  Add("A", 100.0, "2026-12-01T00:00Z", 12.0);
  const ScheduleItem& b = Add("B", 240.0, "2026-12-02T12:00Z", 6.0);  // 24 h after A leaves
  EXPECT_NEAR(b.PassageHours, 24.0, 1e-9);
  EXPECT_NEAR(b.Speed, 10.0, 1e-9);
  // 10 knots at a pitch of 7.9 m is 39.07 rpm; 150 t a day at 106 rpm, by the cube, is 7.51 t.
  EXPECT_NEAR(b.CallFuel, 7.51, 0.01);
  EXPECT_DOUBLE_EQ(b.Etd, b.Eta + 0.25);

  // The first call counts for nothing in the totals.
  const ScheduleTotals& totals = schedule_.Totals();
  EXPECT_DOUBLE_EQ(totals.distance, 240.0);
  EXPECT_DOUBLE_EQ(totals.portStay, 6.0);
  EXPECT_DOUBLE_EQ(totals.fuel, b.CallFuel);
  EXPECT_EQ(schedule_.TotalTexts().averageSpeed, "10.0 kts");
  EXPECT_EQ(schedule_.Rows()[1].rpm, "39.1 rpm");
}

TEST_F(MasterScheduleTest, SingleCallHasZeroTotalsAndNoAverageSpeed) {
  Add("A", 100.0, "2026-12-01T00:00Z", 12.0);
  EXPECT_EQ(schedule_.Rows()[0].speed, "0.0 kts");
  const ScheduleTotalTexts texts = schedule_.TotalTexts();
  EXPECT_EQ(texts.distance, "       0.0 nM");
  EXPECT_EQ(texts.averageSpeed, "NA");  // no hours at sea to divide by
}

TEST_F(MasterScheduleTest, LegWithoutHoursAtSeaShowsNAAndBurnsNoFuel) {
  Add("A", 100.0, "2026-12-01T00:00Z", 24.0);
  const ScheduleItem& b = Add("B", 300.0, "2026-12-02T00:00Z", 24.0);  // arrives as A leaves
  const ScheduleItem& c = Add("C", 200.0, "2026-12-04T00:00Z", 24.0);  // 24 h at sea
  EXPECT_EQ(b.PassageHours, 0.0);
  EXPECT_TRUE(std::isnan(b.Speed));
  EXPECT_EQ(b.CallFuel, 0.0);
  EXPECT_EQ(schedule_.Rows()[1].rpm, "NA");
  // The leg's distance still counts; the fuel is the other leg's alone.
  EXPECT_DOUBLE_EQ(schedule_.Totals().distance, 500.0);
  EXPECT_DOUBLE_EQ(schedule_.Totals().fuel, c.CallFuel);
  EXPECT_EQ(schedule_.TotalTexts().averageSpeed, "20.8 kts");  // 500 nM in 24 h
}

TEST_F(MasterScheduleTest, NoPreviousDepartureGivesZeroLegValues) {
  // A departs at day number 0 (Eta -1, one day in port): the leg to B is not worked out.
  ScheduleItem& a = Add("A", 100.0, "2026-12-01T00:00Z", 24.0);
  a.Eta = -1.0;
  const ScheduleItem& b = Add("B", 240.0, "2026-12-02T00:00Z", 24.0);
  EXPECT_EQ(b.PassageHours, 0.0);
  EXPECT_EQ(b.Speed, 0.0);
  EXPECT_EQ(b.CallFuel, 0.0);
  EXPECT_DOUBLE_EQ(b.Etd, b.Eta + 1.0);
}

TEST_F(MasterScheduleTest, TextOutputMatchesItsGoldenFile) {
  const FixedClock clock(UtcTime("2026-12-06T12:00:00Z"));
  const ScopedProcessClock scope(clock);
  Add("Rotterdam", 0.0, "2026-12-01T06:00Z", 30.0, 1.0);
  const ScheduleItem& newYork = Add("New York", 3600.0, "2026-12-12T12:00Z", 48.0, -5.0);
  ScheduleItem& halifax = Add("Halifax", 285.0, "2026-12-01T00:00Z", 20.0, -4.0);
  halifax.Eta = newYork.Etd;  // no time at sea
  schedule_.Recalculate();

  const test::ScratchDirectory folder;
  const std::string path = folder.PathOf("Schedule.txt");
  ASSERT_TRUE(schedule_.WriteText(path));
  EXPECT_EQ(FileText(path), FileText(std::string(KEELMARK_TEST_DATA) + "/schedule_text.txt"));
}

TEST_F(MasterScheduleTest, EmptyScheduleTextSaysNoPortsDefined) {
  EXPECT_EQ(schedule_.Text(),
            "Master Schedule created by Keelmark Route\n\nPort\t\tETA\t\tETD\t\tSpeed\n" +
                std::string(42, '-') + "\nNo ports defined\n");
}

TEST_F(MasterScheduleTest, SaveChangesStoresTheEtaInUtc) {
  Add("A", 100.0, "2026-12-01T00:00Z", 24.0);
  Add("B", 100.0, "2026-12-03T00:00Z", 24.0);
  ScheduleItemEdit edit;
  edit.name = "Piraeus";
  edit.distance = 250.0;
  edit.portStay = 12.0;
  edit.zoneHours = 2.0;
  edit.localEta = DayOf("2026-12-05T12:00Z");  // picked as 12:00 local
  ASSERT_TRUE(schedule_.ApplyEdit(7, edit));   // no such row: the last call takes it
  const ScheduleItem& b = *schedule_.Items().GetLast();
  EXPECT_EQ(b.Name, "Piraeus");
  EXPECT_NEAR(b.Eta, DayOf("2026-12-05T10:00Z"), 1e-9);
  EXPECT_NEAR(b.Etd, b.Eta + 0.5, 1e-9);
}

TEST_F(MasterScheduleTest, EditAndRemoveOnAnEmptyScheduleDoNothing) {
  EXPECT_FALSE(schedule_.ApplyEdit(0, ScheduleItemEdit{}));
  EXPECT_FALSE(schedule_.RemoveItem(0));
  Add("A", 100.0, "2026-12-01T00:00Z", 24.0);
  EXPECT_FALSE(schedule_.RemoveItem(1));
  EXPECT_TRUE(schedule_.RemoveItem(0));
  EXPECT_TRUE(schedule_.Items().IsEmpty());
  EXPECT_EQ(MasterSchedule::RemoveQuestion(ScheduleItem{}), "Remove New Item\nAre you sure?");
}

TEST_F(MasterScheduleTest, MissingFileGivesAnEmptySchedule) {
  Add("A", 100.0, "2026-12-01T00:00Z", 24.0);
  const test::ScratchDirectory folder;
  EXPECT_EQ(schedule_.Load(folder.PathOf("schedule.dat")).status, LoadStatus::CannotOpen);
  EXPECT_TRUE(schedule_.Items().IsEmpty());
}

TEST_F(MasterScheduleTest, DamagedFileIsKeptAsideBeforeTheNewScheduleIsStored) {
  const FixedClock clock(UtcTime("2026-12-06T12:00:00Z"));
  const ScopedProcessClock scope(clock);
  const test::ScratchDirectory folder;
  const std::string path = folder.PathOf("schedule.dat");
  std::string damaged = FileText(std::string(KEELMARK_TEST_DATA) + "/schedule.dat");
  damaged.resize(damaged.size() - 4);
  ASSERT_TRUE(WriteFileAtomically(path, damaged));

  EXPECT_EQ(schedule_.Load(path).status, LoadStatus::Damaged);
  EXPECT_TRUE(schedule_.Items().IsEmpty());
  EXPECT_EQ(FileText(path), damaged);  // loading alone changes nothing

  Add("A", 100.0, "2026-12-01T00:00Z", 24.0);
  ASSERT_TRUE(schedule_.Store(path));
  EXPECT_EQ(FileText(folder.PathOf("schedule.dat.damaged-20261206-120000")), damaged);
  ASSERT_TRUE(schedule_.Load(path).Ok());
  EXPECT_EQ(schedule_.Items().GetCount(), 1);
}

}  // namespace
}  // namespace keelmark
