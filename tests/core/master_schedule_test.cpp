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

// (Speed, rpm, fuel and totals of a schedule: its golden text and the schedule window.)
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

TEST_F(MasterScheduleTest, EditAndRemoveOnAnEmptyScheduleDoNothing) {
  EXPECT_FALSE(schedule_.ApplyEdit(0, ScheduleItemEdit{}));
  EXPECT_FALSE(schedule_.RemoveItem(0));
  Add("A", 100.0, "2026-12-01T00:00Z", 24.0);
  EXPECT_FALSE(schedule_.RemoveItem(1));
  EXPECT_TRUE(schedule_.RemoveItem(0));
  EXPECT_TRUE(schedule_.Items().IsEmpty());
}

// (A damaged schedule file kept aside, never written over: the schedule window's tests.)

}  // namespace
}  // namespace keelmark
