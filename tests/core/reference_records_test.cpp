// Layouts, defaults and damaged-file defence of the reference records: ports, charts, document
// references, warnings, reporting points, storms and forecast areas.
//
// The golden files in tests/data were written from the documented byte layouts, not by this code,
// by tests/data/make_reference_files.py (python struct: little-endian '<i', '<d', '<I' for time
// values, one-byte text lengths). In short:
//   storm_default.bin      pos() + f(0.0, 0.0) + i(60, 900, 75, 300, 0)
//   chart_version4.bin     pos('Dover Strait', 51.5, -1.25) + i(1) + t('folio text')
//                          + t('Version 4') + t('Dover Strait (copy)') + t('2449')
//                          + t('Straits of Dover') + t('UKHO') + tm(1262304000, 1577836800)
//                          + f(150000.0, 51.0) + t('charts/2449.png') + f(-0.75, 2.5)
//   chart_list_mixed.bin   three charts: an untagged publication named 'New Position' with the
//                          copy 'Admiralty List of Lights', a 'Version 3' chart with empty names
//                          and AltName 'Channel West', a tagged chart 'Thames'
//   port_newer_layout.bin  'Rotterdam' with one document, mark 1000 and the fourteen integers and
//                          two texts after NoticeHours, an inbound traject of one waypoint, tide
//   port_older_layout.bin  the same port with mark 0, ending its own fields at NoticeHours
//   port_list.dat          i(2) + the newer port + an empty port marked 999 (older layout)
//   warning_record.bin     a warning with two outline positions and a message document
//   reporting_point_record.bin  two documents stored as their file paths only
//   forecast_record.bin    corners 'NW' (50, -20) and 'SE' (40, -5), 'Biscay', a weather block
//   *_default.bin          new records as stored, their creation times 1796558400
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <string>

#include "navigation/clock.h"
#include "records/chart_list.h"
#include "records/forecast_list.h"
#include "records/port_list.h"
#include "records/reporting_point_list.h"
#include "records/storm_list.h"
#include "records/warning_list.h"
#include "tests/core/archive_bytes.h"

namespace keelmark {
namespace {

using test::Bytes;
using test::LoadAll;
using test::ReadTestData;
using test::Stored;

constexpr TimeValue kNow = 1796558400;  // 2026-12-06 12:00 UTC

template <typename Record>
Bytes StoredRecord(Record& record) {
  return Stored([&record](Archive& a) { record.Serialize(a); });
}

template <typename Record>
Bytes StoredAsStored(Record& record) {
  return Stored([&record](Archive& a) { record.SerializeAsStored(a); });
}

// --- Charts --------------------------------------------------------------------------------

TEST(ChartLayout, NewerLayoutKeepsTheNameAndTheDifferingCopy) {
  const Bytes golden = ReadTestData("chart_version4.bin");
  Chart chart;
  LoadAll(golden, [&](Archive& a) { chart.Serialize(a); });
  EXPECT_EQ(chart.Name, "Dover Strait");
  EXPECT_FALSE(chart.IsModified());
  EXPECT_DOUBLE_EQ(chart.BottomRightLongitude(), 1.25);
  // The program writes its own name as the copy.
  Bytes expected = golden;
  const std::size_t copy = test::FindText(expected, "Dover Strait (copy)");
  ASSERT_NE(copy, std::string::npos);
  expected.erase(expected.begin() + copy, expected.begin() + copy + 20);
  const std::string name =
      "\x0c"
      "Dover Strait";
  expected.insert(expected.begin() + copy, name.begin(), name.end());
  EXPECT_EQ(StoredRecord(chart), expected);
}

TEST(ChartLayout, OlderLayoutsLoadWithoutBitmapAndTakeTheirNamesByTheRules) {
  const Bytes golden = ReadTestData("chart_list_mixed.bin");
  ChartList charts;
  LoadAll(golden, [&](Archive& a) { charts.Serialize(a); });
  ASSERT_EQ(charts.GetCount(), 3);

  EXPECT_EQ(charts.GetAt(0)->Name, "Admiralty List of Lights");
  EXPECT_EQ(charts.GetAt(1)->Name, "Channel West");
  EXPECT_TRUE(charts.GetAt(1)->IsModified());
  EXPECT_EQ(charts.GetAt(2)->BitmapPath, "thames.bmp");

  // As stored, every record comes back in its own layout; the program tags them all.
  ChartList asRead;
  LoadAll(golden, [&](Archive& a) { asRead.SerializeAsStored(a); });
  EXPECT_EQ(asRead.GetAt(0)->Name, "New Position") << "no name rule as stored";

  ChartList reread;
  LoadAll(Stored([&](Archive& a) { charts.Serialize(a); }),
          [&](Archive& a) { reread.Serialize(a); });
  for (int k = 0; k < 3; ++k) {
    EXPECT_EQ(reread.GetAt(k)->LayoutTag, "Version 4");
    EXPECT_EQ(reread.GetAt(k)->Name, charts.GetAt(k)->Name);
  }
}

// --- Ports ---------------------------------------------------------------------------------

// (An older port is stored with the mark and its newer fields: data_file_reads_test.cpp and
// files_cli_test.cpp.)
TEST(PortLayout, OnlyExactly1000MarksTheNewerLayout) {
  for (const std::int32_t mark : {0, 999, 1001, -1000}) {
    Bytes bytes = ReadTestData("port_older_layout.bin");
    const std::size_t side = test::FindText(bytes, "SB");
    ASSERT_NE(side, std::string::npos);
    test::PutI32(bytes, side + 3, mark);
    Port port;
    LoadAll(bytes, [&](Archive& a) { port.Serialize(a); });
    EXPECT_EQ(port.LayoutMark, mark);
    EXPECT_EQ(port.PilotTel, "") << mark;
    EXPECT_EQ(port.Tide.TideTime, 1700003600) << mark;
  }
}

// Regression: a traject that read a version of 3 or less used to be written without its version
// field, so the port file could not be read back.
TEST(PortLayout, TrajectOfAnOldVersionIsStoredReadably) {
  Port old;
  old.InboundTraject.Version = 3;
  old.InboundTraject.VoyageNumber = "OLD";
  old.InboundTraject.Add(std::make_unique<Waypoint>());
  const Bytes asRead = StoredAsStored(old);  // the version field 3, no note

  Port port;
  LoadAll(asRead, [&](Archive& a) { port.Serialize(a); });
  EXPECT_EQ(port.InboundTraject.Version, 3);
  const Bytes stored = StoredRecord(port);
  Port reread;
  LoadAll(stored, [&](Archive& a) { reread.Serialize(a); });
  EXPECT_EQ(reread.InboundTraject.Version, 4);
  EXPECT_EQ(reread.InboundTraject.VoyageNumber, "OLD");
  EXPECT_EQ(reread.InboundTraject.GetCount(), 1);
  EXPECT_EQ(reread.Tide, port.Tide);
}

// --- Warnings and reporting points ---------------------------------------------------------

TEST(ReportingPointLayout, DocumentsAreStoredAsTheirPathsAndLoadWithTheLoadingTime) {
  const FixedClock clock(kNow);
  const ScopedProcessClock scope(clock);
  const Bytes golden = ReadTestData("reporting_point_record.bin");
  ReportingPoint point;
  LoadAll(golden, [&](Archive& a) { point.Serialize(a); });
  ASSERT_EQ(point.Documents.GetCount(), 2);
  EXPECT_EQ(point.Documents.GetAt(1)->IssueDate, kNow);

  // What only lives in memory does not reach the file.
  point.Documents.GetFirst()->Description = "Ushant guide";
  point.Documents.GetFirst()->Author = "Traffic";
  point.Completed = 1;
  EXPECT_EQ(StoredRecord(point), golden);
}

// --- Defaults ------------------------------------------------------------------------------

// Defaults, creation times (from the process clock) and the layout marks a new record is
// stored with.
template <typename Record>
void ExpectNewRecordStoredAs(const char* file) {
  Record record;
  EXPECT_EQ(StoredRecord(record), ReadTestData(file)) << file;
}

TEST(NewRecords, AreStoredAsTheGoldenBytes) {
  const FixedClock clock(kNow);
  const ScopedProcessClock scope(clock);
  ExpectNewRecordStoredAs<Chart>("chart_default.bin");
  ExpectNewRecordStoredAs<Port>("port_default.bin");
  ExpectNewRecordStoredAs<NavWarning>("warning_default.bin");
  ExpectNewRecordStoredAs<ReportingPoint>("reporting_point_default.bin");
  ExpectNewRecordStoredAs<ForecastArea>("forecast_default.bin");
  ExpectNewRecordStoredAs<Storm>("storm_default.bin");
}

// --- Damaged files -------------------------------------------------------------------------

// A count the rest of the file could never hold is refused when it is read, before a single
// record is made: the message says so, rather than that the file ended while records were read.
template <typename Target>
void ExpectCountRefused(const char* file, const char* textBefore, std::size_t offset) {
  Bytes bytes = ReadTestData(file);
  if (textBefore != nullptr) {  // the count follows this text, else it is at the offset
    const std::size_t text = test::FindText(bytes, textBefore);
    ASSERT_NE(text, std::string::npos);
    offset = text + 1 + std::string(textBefore).size();
  }
  for (std::int32_t count : {std::numeric_limits<std::int32_t>::max(), 1 << 24}) {
    test::PutI32(bytes, offset, count);
    Archive archive = Archive::ForLoading(bytes);
    Target target;
    try {
      target.Serialize(archive);
      ADD_FAILURE() << file << ": loaded a count of " << count;
    } catch (const ArchiveError& e) {
      EXPECT_NE(std::string(e.what()).find("larger than the rest of the file"), std::string::npos)
          << file << ": " << e.what();
    }
  }
}

TEST(AbsurdCounts, AreRefusedBeforeAnyRecordIsMade) {
  ExpectCountRefused<PortList>("port_list.dat", nullptr, 0);
  ExpectCountRefused<Port>("port_newer_layout.bin", "+31 10 000", 0);  // documents
  ExpectCountRefused<ReportingPoint>("reporting_point_record.bin", "2h before", 0);
  // The outline count follows the position (75 bytes with this name) and WarningSpare.
  ExpectCountRefused<NavWarning>("warning_record.bin", nullptr, 75 + 8);
}

// The smallest record each loader can meet takes exactly the bytes its list reckons with, so
// a count is refused only when the file truly cannot hold it.
template <typename Record>
std::size_t SmallestStored(void (Record::*serialize)(Archive&),
                           const std::function<void(Record&)>& empty = {}) {
  Record record;
  record.Name.clear();
  if (empty) empty(record);
  return Stored([&](Archive& a) { (record.*serialize)(a); }).size();
}

TEST(SmallestRecords, TakeExactlyTheMinimumBytes) {
  EXPECT_EQ(SmallestStored(&Storm::Serialize), Storm::kMinimumStoredBytes);
  EXPECT_EQ(SmallestStored(&NavWarning::Serialize), NavWarning::kMinimumStoredBytes);
  EXPECT_EQ(SmallestStored(&ReportingPoint::Serialize), ReportingPoint::kMinimumStoredBytes);
  EXPECT_EQ(SmallestStored(&Chart::SerializeAsStored), Chart::kMinimumStoredBytes);  // older
  // A forecast area with an older weather block, an older port with version-3 trajects.
  EXPECT_EQ(SmallestStored<ForecastArea>(&ForecastArea::SerializeAsStored,
                                         [](ForecastArea& f) {
                                           f.AreaText.clear();
                                           f.NorthWest.Name.clear();
                                           f.SouthEast.Name.clear();
                                           f.Weather.OlderLayout = true;
                                         }),
            ForecastArea::kMinimumStoredBytes);
  EXPECT_EQ(SmallestStored<Port>(&Port::SerializeAsStored,
                                 [](Port& p) {
                                   p.VhfChannel.clear();
                                   p.PilotText.clear();
                                   p.PilotCall.clear();
                                   p.SideAlongside.clear();
                                   p.InboundTraject.Version = 3;
                                   p.OutboundTraject.Version = 3;
                                 }),
            Port::kMinimumStoredBytes);
}

}  // namespace
}  // namespace keelmark
