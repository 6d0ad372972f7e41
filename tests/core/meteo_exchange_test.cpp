#include "reports/meteo_exchange.h"

#include <gtest/gtest.h>

#include "navigation/calendar.h"
#include "navigation/clock.h"
#include "records/archive_file.h"
#include "records/meteo_list.h"
#include "tests/core/document_fixture.h"
#include "voyage/average_weather.h"

namespace keelmark {
namespace {

// A grid point at 50N 005W whose January-February block holds three observations.
std::unique_ptr<MeteoObservation> GridPoint() {
  auto record = std::make_unique<MeteoObservation>();
  record->SetName("Grid A");
  record->SetLatitude(50.0);
  record->SetLongitude(-5.0);
  record->SetZoneHours(1.0);
  record->SetTime(9832.5);
  WeatherConditions& block = record->JanFeb;
  block.AirPressure = 1012.3;
  block.AirTemperature = 7.5;
  block.SeaTemperature = 10.0;
  block.CurrentSet = 80.0;
  block.CurrentRate = 0.5;
  block.WindDirection = 260.0;
  block.WindSpeed = 22.0;
  block.ObservationCount = 3;
  return record;
}

Archive::Bytes Stored(MeteoList& list) {
  Archive archive = Archive::ForStoring();
  list.Serialize(archive);
  return archive.StoredBytes();
}

constexpr const char* kGridALine =
    "Grid A,50.0000,-5.0000,0.041667,9832.500000,0.000000,0.000000,"
    "1012.3,7.5,10.0,80.0,0.5,260.0,22.0,3";

class MeteoExchangeTest : public test::DocumentFixture {};

// (Exporting twice appends: the CLI's meteo tests.)
TEST_F(MeteoExchangeTest, ExportLineIsThePositionAndTheJanuaryFebruaryBlock) {
  MeteoList list;
  list.Add(GridPoint());
  list.Add(GridPoint());
  EXPECT_EQ(MeteoExportBytes(list, ";").find("Grid A;50.0000;"), 0u);
  EXPECT_EQ(MeteoExportBytes(list, ","), std::string(kGridALine) + "\r\n" + kGridALine + "\r\n");
  // A folder in the way: it cannot be read, so nothing is written over it.
  std::string error;
  EXPECT_FALSE(AppendMeteoExport(list, ",", folder_.PathOf(""), &error));
  EXPECT_FALSE(error.empty());
}

TEST_F(MeteoExchangeTest, ExportedLineReadsBackIntoTheSameValues) {
  const auto parsed = ParseMeteoLine(kGridALine, ",");
  ASSERT_TRUE(parsed);
  EXPECT_EQ(parsed->seasons, 1);
  // Written again, it is the same line.
  EXPECT_EQ(MeteoLine(parsed->record, ","), kGridALine);
  // Untouched seasons keep a new record's defaults.
  EXPECT_EQ(parsed->record.SepDec, WeatherConditions{});
}

struct BadLine {
  const char* why;
  std::string line;
};

class NotAMeteoLine : public testing::TestWithParam<BadLine> {};

TEST_P(NotAMeteoLine, IsRefused) { EXPECT_FALSE(ParseMeteoLine(GetParam().line, ",")); }

std::string Replaced(std::string line, const std::string& from, const std::string& to) {
  return line.replace(line.find(from), from.size(), to);
}

// The line with every comma made a semicolon.
std::string Semicolons(std::string line) {
  for (char& c : line) {
    if (c == ',') c = ';';
  }
  return line;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, NotAMeteoLine,
    testing::Values(BadLine{"empty", ""},
                    BadLine{"one field short", Replaced(kGridALine, ",22.0,3", ",22.0")},
                    BadLine{"a trailing separator", std::string(kGridALine) + ","},
                    BadLine{"another separator", Semicolons(kGridALine)},
                    BadLine{"text for a number", Replaced(kGridALine, "1012.3", "high")},
                    BadLine{"nan", Replaced(kGridALine, "1012.3", "nan")},
                    BadLine{"a number and text", Replaced(kGridALine, "22.0", "22.0kts")},
                    BadLine{"negative count", Replaced(kGridALine, ",22.0,3", ",22.0,-3")},
                    BadLine{"latitude off the globe", Replaced(kGridALine, "50.0000", "95.0")},
                    BadLine{"binary",
                            Replaced(kGridALine, "Grid A", std::string("Gr\0\x01\xff", 5))}));

TEST_F(MeteoExchangeTest, DamagedFileMergesWhatIsValidCountsTheRestAndLosesNothing) {
  MeteoList list;
  list.Add(GridPoint());
  const Archive::Bytes before = Stored(list);

  // A line longer than any read buffer, valid in itself, must merge as one record.
  const std::string longName(5000, 'N');
  std::string far = Replaced(kGridALine, "Grid A", longName);
  far = Replaced(far, "-5.0000", "-60.0000");  // far from Grid A: a new record
  std::string junk(5000, '\0');
  for (std::size_t i = 0; i < junk.size(); ++i) {
    junk[i] = static_cast<char>(i * 7919 % 256);
    if (junk[i] == '\n') junk[i] = '\0';
  }
  const std::string text = std::string(kGridALine) + "\r\n\r\n" + junk + "\n" + far + "\n" +
                           Semicolons(kGridALine) + "\n" + std::string(5000, ',') + "\n";
  const std::string path = folder_.PathOf("damaged.csv");
  ASSERT_TRUE(WriteFileAtomically(path, text));

  const auto result = ImportMeteoFile(list, path, ",");
  ASSERT_TRUE(result);
  EXPECT_EQ(result->merged, 2);
  EXPECT_EQ(result->skipped, 4);
  ASSERT_EQ(list.GetCount(), 2);
  EXPECT_EQ(list.GetFirst()->JanFeb.ObservationCount, 6);
  EXPECT_DOUBLE_EQ(list.GetLast()->GetLongitude(), -60.0);

  // Only bad lines: the stored list comes out byte for byte as it was.
  MeteoList untouched;
  untouched.Add(GridPoint());
  const auto bad = ImportMeteoText(untouched, junk + "\n\n" + std::string(5000, ','), ",");
  EXPECT_EQ(bad.merged, 0);
  EXPECT_EQ(bad.skipped, 3);
  EXPECT_EQ(Stored(untouched), before);
}

TEST_F(MeteoExchangeTest, OnlyTheSeasonsALineCarriesAreMerged) {
  MeteoList list;
  list.Add(GridPoint());
  list.GetFirst()->MarMay.ObservationCount = 5;
  list.GetFirst()->MarMay.WindSpeed = 10.0;
  const WeatherConditions marchToMay = list.GetFirst()->MarMay;

  // The program's own export carries January-February only.
  ASSERT_EQ(ImportMeteoText(list, kGridALine, ",").merged, 1);
  EXPECT_EQ(list.GetFirst()->MarMay, marchToMay);
  EXPECT_EQ(list.GetFirst()->JanFeb.ObservationCount, 6);

  // A line with all four seasons merges each of them.
  const std::string season = ",1020.0,12.0,14.0,90.0,1.0,270.0,20.0,2";
  const std::string full = "Grid A,50.0,-5.0,0.0,0.0,0.0,0.0" + season + season + season + season;
  ASSERT_EQ(ImportMeteoText(list, full, ",").merged, 1);
  EXPECT_EQ(list.GetFirst()->MarMay.ObservationCount, 7);
  EXPECT_DOUBLE_EQ(list.GetFirst()->SepDec.AirPressure, 1020.0);
  EXPECT_EQ(list.GetFirst()->Latest.ObservationCount, 2);
}

TEST_F(MeteoExchangeTest, CommandsTellTheUserWhatHappened) {
  MeteoList list;
  list.Add(GridPoint());
  ScriptedPrompter prompter;
  prompter.QueueFile(std::nullopt);
  EXPECT_FALSE(ExportMeteoData(list, ",", prompter));
  EXPECT_EQ(prompter.Messages().back().text, "Export failed");
  EXPECT_EQ(prompter.FileChoices().back().initialName, "meteo");

  prompter.QueueFile(std::nullopt);
  EXPECT_FALSE(ImportMeteoData(list, ",", prompter));
  EXPECT_EQ(prompter.Messages().back().text, "Import failed");

  const std::string path = folder_.PathOf("meteo.csv");
  prompter.QueueFile(path);
  EXPECT_EQ(ExportMeteoData(list, ",", prompter), path);
  ASSERT_TRUE(WriteFileAtomically(path + "2", std::string(kGridALine) + "\nrubbish\n"));
  prompter.QueueFile(path + "2");
  const auto result = ImportMeteoData(list, ",", prompter);
  ASSERT_TRUE(result);
  EXPECT_EQ(prompter.Messages().back().text,
            "Import succesfully\nLines skipped (no meteo data): 1");
}

}  // namespace
}  // namespace keelmark
