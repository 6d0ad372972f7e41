#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "records/nmea_sentence.h"
#include "records/nmea_splitter.h"
#include "tests/core/test_files.h"

namespace keelmark {
namespace {

using Outcome = NmeaOutcome;

// Every sentence of tests/data/nmea_sentences.txt: positions with their talker, type, position
// and time; sentences without a position with the outcome that says why.
TEST(NmeaSentences, DecodeAsTheTableSays) {
  const std::map<std::string, Outcome> outcomes = {{"position", Outcome::kPosition},
                                                   {"nofix", Outcome::kNoFix},
                                                   {"skipped", Outcome::kSkipped},
                                                   {"badchecksum", Outcome::kBadChecksum},
                                                   {"malformed", Outcome::kMalformed}};
  const auto rows = test::ReadTable("nmea_sentences.txt");
  ASSERT_EQ(rows.size(), 47u);
  for (const auto& row : rows) {
    SCOPED_TRACE(row.at(1));
    const NmeaSentence s = ParseNmeaSentence(row.at(1));
    ASSERT_EQ(s.outcome, outcomes.at(row[0]));
    if (s.outcome != Outcome::kPosition) {
      EXPECT_EQ(s.latitude, 0);
      EXPECT_EQ(s.longitude, 0);
      continue;
    }
    EXPECT_EQ(s.talker, row.at(2));
    EXPECT_EQ(s.type, NmeaSentenceFromName(row.at(3)));
    EXPECT_EQ(s.latitude, std::stoi(row.at(4)));
    EXPECT_EQ(s.longitude, std::stoi(row.at(5)));
    EXPECT_EQ(s.time ? s.time->Text() : "", row.size() > 6 ? row[6] : "");
  }
  EXPECT_FALSE(NmeaSentenceFromName("VTG"));
}

// --- The splitter. ---

constexpr const char* kGga = "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47";
constexpr const char* kRmc =
    "$GNRMC,083559.00,A,4717.11437,N,00833.91522,E,0.004,77.52,091202,,,A*49";

std::vector<std::string> SplitAll(NmeaSplitter& splitter, std::string_view bytes) {
  std::vector<std::string> out;
  splitter.Feed(bytes, [&](std::string_view s) { out.emplace_back(s); });
  return out;
}

// A sentence of exactly n characters from '$' to the last before CR LF.
std::string SentenceOfLength(std::size_t n) { return "$GPTXT," + std::string(n - 7, 'A'); }

// Each stream whole and byte by byte: the same sentences and the same count of dropped ones.
TEST(NmeaSplitter, CutsStreamsIntoSentencesWhateverTheReads) {
  const std::string gga = kGga, rmc = kRmc;
  const struct {
    const char* name;
    std::string stream;
    std::vector<std::string> sentences;
    std::size_t dropped;
  } cases[] = {
      {"CrLf", gga + "\r\n" + rmc + "\r\n", {gga, rmc}, 0},
      {"BareLineEnds", gga + "\n" + rmc + "\r\r\n\n", {gga, rmc}, 0},
      {"NoiseBeforeTheStart", std::string("\xff\0garbage\r\n", 11) + gga + "\r\n", {gga}, 0},
      {"NulInside",
       std::string("$GPGGA,123519,48\0"
                   "07.038\r\n",
                   25) +
           gga + "\r\n",
       {gga},
       1},
      {"BinaryInside",
       "$GPGGA,1\x80\xfe"
       "23519\r\n" +
           rmc + "\r\n",
       {rmc},
       1},
      {"InterruptedByANewStart", "$GPGGA,123519,480" + rmc + "\r\n", {rmc}, 1},
      {"Ais", "!AIVDM,1,1,,A,13u?e,0*24\r\n", {"!AIVDM,1,1,,A,13u?e,0*24"}, 0},
      {"LongestAllowed", SentenceOfLength(80) + "\r\n", {SentenceOfLength(80)}, 0},
      {"OneTooLong", SentenceOfLength(81) + "\r\n" + gga + "\r\n", {gga}, 1},
      {"FarTooLongThenResync", SentenceOfLength(500) + "\r\n" + gga + "\r\n", {gga}, 1},
      {"CutOffAtTheEnd", gga + "\r\n$GPGGA,1235", {gga}, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    NmeaSplitter whole;
    EXPECT_EQ(SplitAll(whole, c.stream), c.sentences);
    EXPECT_EQ(whole.Dropped(), c.dropped);
    NmeaSplitter bytewise;
    std::vector<std::string> out;
    for (const char b : c.stream) {
      for (std::string& s : SplitAll(bytewise, std::string_view(&b, 1))) out.push_back(s);
    }
    EXPECT_EQ(out, c.sentences);
    EXPECT_EQ(bytewise.Dropped(), c.dropped);
  }
}

TEST(NmeaSplitter, FinishHandsOverALastSentenceWithoutLineEnd) {
  NmeaSplitter splitter;
  std::vector<std::string> out = SplitAll(splitter, std::string(kGga) + "\r\n" + kRmc);
  splitter.Finish([&](std::string_view s) { out.emplace_back(s); });
  EXPECT_EQ(out, (std::vector<std::string>{kGga, kRmc}));
  // Nothing is left over for a next stream.
  EXPECT_EQ(SplitAll(splitter, "\r\n"), std::vector<std::string>{});
}

}  // namespace
}  // namespace keelmark
