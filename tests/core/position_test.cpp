#include "records/position.h"

#include <gtest/gtest.h>

#include <cmath>

#include "navigation/calendar.h"
#include "records/archive.h"
#include "tests/core/archive_bytes.h"

namespace keelmark {
namespace {

using test::ReadTestData;

TEST(PositionLayout, DefaultRecordIsTheGolden69Bytes) {
  CPosition2 position;
  const Archive::Bytes golden = ReadTestData("default_position.bin");
  ASSERT_EQ(golden.size(), 69u);
  EXPECT_EQ(test::Stored([&](Archive& a) { position.Serialize(a); }), golden);
}

// The fields themselves are pinned by the dumps of the golden route files.

TEST(PositionAccessors, SettersMarkModifiedAndTimesDoNot) {
  CPosition2 p;
  p.SetTime(3.0);
  p.SetScheduledTime(3.0);
  p.SetRequiredTime(3.0);
  p.SetZoneHours(2.0);
  EXPECT_FALSE(p.IsModified());
  p.SetLatitudeDegMin(33, 15.0, 1);
  EXPECT_TRUE(p.IsModified());
  EXPECT_DOUBLE_EQ(p.GetLatitude(), -33.25);
}

TEST(PositionText, DisplayRoundsAndReportTruncates) {
  const struct {
    double latitude, longitude;
    const char* texts[4];  // latitude, longitude, report latitude, report longitude
  } cases[] = {{51.5083, -0.75, {"51 : 30.50 N", "0 : 45.00 W", "5130N/", "00045W/"}},
               // Minutes just below 60: the display rounds up, the report truncates.
               {10.99999, 5.0, {"10 : 60.00 N", "5 : 0.00 E", "1059N/", "00500E/"}},
               {NAN, INFINITY, {"NA", "NA", "NA/", "NA/"}}};
  for (const auto& c : cases) {
    const CPosition2 p = test::At(c.latitude, c.longitude);
    EXPECT_EQ(p.LatitudeText(), c.texts[0]);
    EXPECT_EQ(p.LongitudeText(), c.texts[1]);
    EXPECT_EQ(p.ReportLatitude(), c.texts[2]);
    EXPECT_EQ(p.ReportLongitude(), c.texts[3]);
  }
}

// (The report groups of times: the ship-report golden files and their NA cases.)

TEST(ImportField, EachColumnSetsItsFieldAndTheNumberAheadOfTextCounts) {
  CPosition2 p;
  const std::string line[] = {"Ushant", "48.4667", "-5.1", "0.041667", "9837.5", "9838", "9839abc"};
  for (int column = 0; column < 7; ++column) EXPECT_TRUE(p.ImportField(line[column], column));
  EXPECT_FALSE(p.IsModified());
  EXPECT_EQ(p.ExportLine(","),
            "Ushant,48.4667,-5.1000,0.041667,9837.500000,9838.000000,9839.000000");
  // Text without a number is zero; columns beyond the last are passed over.
  EXPECT_TRUE(p.ImportField("north", 1));
  EXPECT_TRUE(p.ImportField("12", 7));
  EXPECT_TRUE(p.ImportField("12", -1));
  EXPECT_EQ(p.ExportLine(","),
            "Ushant,0.0000,-5.1000,0.041667,9837.500000,9838.000000,9839.000000");
}

}  // namespace
}  // namespace keelmark
