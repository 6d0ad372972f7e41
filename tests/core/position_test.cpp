#include "records/position.h"

#include <gtest/gtest.h>

#include <cmath>

#include "navigation/calendar.h"
#include "records/archive.h"
#include "tests/core/test_files.h"

namespace keelmark {
namespace {

using test::ReadTestData;

TEST(PositionLayout, DefaultRecordIsTheGolden69Bytes) {
  CPosition2 position;
  Archive archive = Archive::ForStoring();
  position.Serialize(archive);
  const Archive::Bytes golden = ReadTestData("default_position.bin");
  ASSERT_EQ(golden.size(), 69u);
  EXPECT_EQ(archive.StoredBytes(), golden);
}

// The fields themselves are pinned by the dumps of the golden route files.
TEST(PositionLayout, LoadReplacesTheNameAndClearsModified) {
  CPosition2 original;
  original.SetName("Bishop Rock");
  Archive out = Archive::ForStoring();
  original.Serialize(out);
  CPosition2 loaded;
  loaded.SetName("dirty");
  Archive in = Archive::ForLoading(out.TakeBytes());
  loaded.Serialize(in);
  EXPECT_TRUE(in.AtEnd());
  EXPECT_FALSE(loaded.IsModified());
  EXPECT_EQ(loaded.Name, "Bishop Rock");
}

TEST(PositionAccessors, SettersMarkModifiedAndTimesDoNot) {
  CPosition2 p;
  EXPECT_FALSE(p.IsModified());
  p.SetTime(3.0);
  p.SetScheduledTime(3.0);
  p.SetRequiredTime(3.0);
  p.SetZoneHours(2.0);
  EXPECT_FALSE(p.IsModified());
  for (auto set : {+[](CPosition2& q) { q.SetName("x"); }, +[](CPosition2& q) { q.SetLatitude(1); },
                   +[](CPosition2& q) { q.SetLongitude(1); }}) {
    CPosition2 q;
    set(q);
    EXPECT_TRUE(q.IsModified());
  }
}

TEST(PositionAccessors, DegreesMinutesAndHemisphere) {
  CPosition2 p;
  p.SetLatitude(-33.25);
  EXPECT_DOUBLE_EQ(p.LatitudeMinutes(), 15.0);
  EXPECT_EQ(p.LatitudeSouth(), 1);
  p.SetLongitudeDegMin(0, 45.0, 1);
  EXPECT_DOUBLE_EQ(p.GetLongitude(), -0.75);
}

struct CoordinateCase {
  double latitude, longitude;
  const char* latitudeText;
  const char* longitudeText;
  const char* reportLatitude;
  const char* reportLongitude;
};

class CoordinateTextTest : public testing::TestWithParam<CoordinateCase> {};

TEST_P(CoordinateTextTest, DisplayRoundsAndReportTruncates) {
  const CoordinateCase& c = GetParam();
  CPosition2 p;
  p.SetLatitude(c.latitude);
  p.SetLongitude(c.longitude);
  EXPECT_EQ(p.LatitudeText(), c.latitudeText);
  EXPECT_EQ(p.LongitudeText(), c.longitudeText);
  EXPECT_EQ(p.ReportLatitude(), c.reportLatitude);
  EXPECT_EQ(p.ReportLongitude(), c.reportLongitude);
}

INSTANTIATE_TEST_SUITE_P(
    Coordinates, CoordinateTextTest,
    testing::Values(
        CoordinateCase{51.5083, -0.75, "51 : 30.50 N", "0 : 45.00 W", "5130N/", "00045W/"},
        // Minutes just below 60: the display rounds up, the report truncates.
        CoordinateCase{10.99999, 5.0, "10 : 60.00 N", "5 : 0.00 E", "1059N/", "00500E/"},
        CoordinateCase{NAN, INFINITY, "NA", "NA", "NA/", "NA/"}));

TEST(PositionTimes, ReportGroupsOfRequiredTimeAndTime) {
  CPosition2 p;
  p.SetRequiredTime(9837.0 + 7.5 / 24.0);  // 2026-12-06 07:30 UTC
  p.SetTime(1522.5);                       // 2004-03-01 12:00 UTC
  EXPECT_EQ(p.ReportTimeGroup(), "060730Z");
  EXPECT_EQ(p.ReportDateTimeGroupOf(true), "011200ZMar04/");
  EXPECT_EQ(p.ReportDateTimeGroupOf(false), "060730ZDec26/");
  p.SetRequiredTime(NAN);
  EXPECT_EQ(p.ReportTimeGroup(), "NA");
  EXPECT_EQ(p.ReportDateTimeGroup(), "NA/");
}

TEST(ExportLine, ZoneOffsetIsWrittenInDays) {
  CPosition2 p;
  p.SetZoneHours(5.5);
  EXPECT_EQ(p.ExportLine(";"), "New Position;45.0000;5.0000;0.229167;0.000000;0.000000;0.000000");
}

TEST(ImportField, EachColumnSetsItsFieldAndKeepsModified) {
  CPosition2 p;
  const std::string line[] = {"Ushant", "48.4667", "-5.1", "0.041667", "9837.5", "9838", "9839abc"};
  for (int column = 0; column < 7; ++column) EXPECT_TRUE(p.ImportField(line[column], column));
  EXPECT_FALSE(p.IsModified());
  // The number ahead of text counts, as the column import has always read it.
  EXPECT_EQ(p.ExportLine(","),
            "Ushant,48.4667,-5.1000,0.041667,9837.500000,9838.000000,9839.000000");
}

TEST(ImportField, TextWithoutANumberIsZeroAndHighColumnsAreIgnored) {
  CPosition2 p;
  EXPECT_TRUE(p.ImportField("north", 1));
  EXPECT_EQ(p.Latitude, 0.0);
  const std::string before = p.ExportLine(",");
  EXPECT_TRUE(p.ImportField("12", 7));
  EXPECT_TRUE(p.ImportField("12", -1));
  EXPECT_EQ(p.ExportLine(","), before);
}

}  // namespace
}  // namespace keelmark
