#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "records/nmea_sentence.h"
#include "records/nmea_splitter.h"

namespace keelmark {
namespace {

using Outcome = NmeaOutcome;
using Type = NmeaSentenceType;

struct PositionCase {
  const char* sentence;
  const char* talker;
  Type type;
  std::int32_t latitude;   // 1/60000 degree
  std::int32_t longitude;  // 1/60000 degree
  const char* time;        // "" when the sentence carries none that can be read
};

class NmeaPositionTest : public testing::TestWithParam<PositionCase> {};

TEST_P(NmeaPositionTest, DecodesTalkerPositionAndTime) {
  const PositionCase& c = GetParam();
  const NmeaSentence s = ParseNmeaSentence(c.sentence);
  ASSERT_EQ(s.outcome, Outcome::kPosition) << c.sentence;
  EXPECT_EQ(s.talker, c.talker);
  EXPECT_EQ(s.type, c.type);
  EXPECT_EQ(s.latitude, c.latitude);
  EXPECT_EQ(s.longitude, c.longitude);
  EXPECT_EQ(s.time ? s.time->Text() : "", c.time);
}

// Sentences as receivers of several makes and systems send them: GPS, GLONASS, Galileo,
// BeiDou (both talker IDs), combined, and the integrated-instrument, navigation-system and
// ECDIS talkers of a bridge multiplexer.
INSTANTIATE_TEST_SUITE_P(
    Receivers, NmeaPositionTest,
    testing::Values(
        PositionCase{"$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47", "GP",
                     Type::GGA, 2887038, 691000, "12:35:19.000Z"},
        PositionCase{"$GNRMC,083559.00,A,4717.11437,N,00833.91522,E,0.004,77.52,091202,,,A*49",
                     "GN", Type::RMC, 2837114, 513915, "2002-12-09T08:35:59.000Z"},
        PositionCase{"$GLGGA,235959.50,3345.67895,S,15112.00050,E,2,06,1.2,12.0,M,20.1,M,,*58",
                     "GL", Type::GGA, -2025679, 9072001, "23:59:59.500Z"},
        PositionCase{"$GAGLL,5000.000,S,00000.000,E,120000,A,A*4D", "GA", Type::GLL, -3000000, 0,
                     "12:00:00.000Z"},
        PositionCase{"$BDGGA,061530.000,3958.1234,N,11623.4567,E,1,10,0.8,50.2,M,-8.1,M,,*62", "BD",
                     Type::GGA, 2398123, 6983457, "06:15:30.000Z"},
        PositionCase{"$GBRMC,061530.000,A,3958.1234,N,11623.4567,E,0.10,12.3,311226,,,D*78", "GB",
                     Type::RMC, 2398123, 6983457, "2026-12-31T06:15:30.000Z"},
        PositionCase{"$IIGLL,5132.500,N,00005.250,W,101010,A,A*41", "II", Type::GLL, 3092500, -5250,
                     "10:10:10.000Z"},
        PositionCase{"$INRMC,101010,A,0130.000,S,10345.500,W,12.5,270.0,010126,1.0,E,A*37", "IN",
                     Type::RMC, -90000, -6225500, "2026-01-01T10:10:10.000Z"},
        PositionCase{"$ECGGA,000000,0000.000,N,00000.000,E,1,05,1.0,0.0,M,0.0,M,,*67", "EC",
                     Type::GGA, 0, 0, "00:00:00.000Z"},
        // NMEA 1.5 GLL: no status, no checksum.
        PositionCase{"$GPGLL,4916.45,N,12311.12,W,225444", "GP", Type::GLL, 2956450, -7391120,
                     "22:54:44.000Z"},
        // A GGA cut after the fix quality still carries the position.
        PositionCase{"$GPGGA,123519,4807.038,N,01131.000,E,1*53", "GP", Type::GGA, 2887038, 691000,
                     "12:35:19.000Z"},
        // The poles of the ranges, and minutes rounded to thousandths (half up, into the next
        // degree).
        PositionCase{"$GPRMC,123519,A,9000.000,N,18000.000,W,0.0,0.0,230394,,,A*60", "GP",
                     Type::RMC, 5400000, -10800000, "2094-03-23T12:35:19.000Z"},
        PositionCase{"$GPGGA,123519,4807.03849,N,01131.00050,E,1,08,0.9,545.4,M,46.9,M,,*4f", "GP",
                     Type::GGA, 2887038, 691001, "12:35:19.000Z"},
        PositionCase{"$GPGGA,123519,4859.99960,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*48", "GP",
                     Type::GGA, 2940000, 691000, "12:35:19.000Z"},
        // A time of day that is none leaves the time out, not the position.
        PositionCase{"$GPGGA,996000,4807.038,N,01131.000,E,1,08", "GP", Type::GGA, 2887038, 691000,
                     ""}));

struct OutcomeCase {
  const char* sentence;
  Outcome outcome;
};

class NmeaOutcomeTest : public testing::TestWithParam<OutcomeCase> {};

TEST_P(NmeaOutcomeTest, GivesNoPosition) {
  const NmeaSentence s = ParseNmeaSentence(GetParam().sentence);
  EXPECT_EQ(s.outcome, GetParam().outcome) << GetParam().sentence;
  EXPECT_EQ(s.latitude, 0);
  EXPECT_EQ(s.longitude, 0);
}

INSTANTIATE_TEST_SUITE_P(
    NoFix, NmeaOutcomeTest,
    testing::Values(OutcomeCase{"$GPGGA,,,,,,0,00,99.99,,,,,,*48", Outcome::kNoFix},
                    OutcomeCase{"$GPRMC,,V,,,,,,,,,,N*53", Outcome::kNoFix},
                    OutcomeCase{"$GPGLL,,,,,,V,N*64", Outcome::kNoFix},
                    // A position is left in the sentence but the receiver says it is not valid.
                    OutcomeCase{"$GPGGA,123519,4807.038,N,01131.000,E,0,08,0.9,545.4,M,46.9,M,,*46",
                                Outcome::kNoFix},
                    OutcomeCase{"$GPRMC,123519,V,4807.038,N,01131.000,E,0.0,0.0,230394,,,N*68",
                                Outcome::kNoFix},
                    OutcomeCase{"$GNGLL,4807.038,N,01131.000,E,123519,A,N*59", Outcome::kNoFix},
                    OutcomeCase{"$GPRMC,123519,A,4807.038,N,01131.000,E,0.0,0.0,230394,,,N*7F",
                                Outcome::kNoFix}));

INSTANTIATE_TEST_SUITE_P(
    Skipped, NmeaOutcomeTest,
    testing::Values(OutcomeCase{"$PGRME,15.0,M,45.0,M,25.0,M*1C", Outcome::kSkipped},
                    OutcomeCase{"!AIVDM,1,1,,A,13u?etPv2;0n:dDPwUM1U1Cb069D,0*24",
                                Outcome::kSkipped},
                    OutcomeCase{"$GPGSV,3,1,11,03,03,111,00,04,15,270,00,06,01,010,00,13,06,292,"
                                "00*74",
                                Outcome::kSkipped},
                    OutcomeCase{"$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K*48", Outcome::kSkipped},
                    OutcomeCase{"$GPGGAX,123519,4807.038,N,01131.000,E,1", Outcome::kSkipped},
                    OutcomeCase{"$gpgga,123519,4807.038,N,01131.000,E,1", Outcome::kSkipped},
                    OutcomeCase{"", Outcome::kSkipped}, OutcomeCase{"$", Outcome::kSkipped}));

INSTANTIATE_TEST_SUITE_P(
    Checksum, NmeaOutcomeTest,
    testing::Values(
        // One figure of the position changed on the way.
        OutcomeCase{"$GPGGA,123519,4807.039,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47",
                    Outcome::kBadChecksum},
        OutcomeCase{"$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*48",
                    Outcome::kBadChecksum},
        OutcomeCase{"$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*4",
                    Outcome::kBadChecksum},
        OutcomeCase{"$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*ZZ",
                    Outcome::kBadChecksum},
        OutcomeCase{"$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*470",
                    Outcome::kBadChecksum},
        OutcomeCase{"$PGRME,15.0,M,45.0,M,25.0,M*1D", Outcome::kBadChecksum}));

INSTANTIATE_TEST_SUITE_P(
    Malformed, NmeaOutcomeTest,
    testing::Values(OutcomeCase{"$GPGGA,123519,48x7.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*0F",
                                Outcome::kMalformed},
                    OutcomeCase{"$GPGGA,123519,4861.000,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*4C",
                                Outcome::kMalformed},
                    OutcomeCase{"$GPGGA,123519,9100.000,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*4F",
                                Outcome::kMalformed},
                    OutcomeCase{"$GPGGA,123519,4807.038,Q,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*58",
                                Outcome::kMalformed},
                    OutcomeCase{"$GPRMC,123519,A,4807.038,N,18100.000,E,0.0,0.0,230394,,,A*7A",
                                Outcome::kMalformed},
                    OutcomeCase{"$GPGLL,4807.038,N,01131.000*00", Outcome::kMalformed},
                    OutcomeCase{"$GPGGA,123519,4807.038,N,,E,1,08,0.9,545.4,M,46.9,M,,*6B",
                                Outcome::kMalformed},
                    OutcomeCase{"$GPRMC,123519,X,4807.038,N,01131.000,E,0.0,0.0,230394,,,A*69",
                                Outcome::kMalformed},
                    OutcomeCase{"$GPGGA,123519,4807.038,N,01131.000,E,x,08", Outcome::kMalformed},
                    OutcomeCase{"$GPGGA,123519,48070.38,N,01131.000,E,1,08", Outcome::kMalformed},
                    OutcomeCase{"$GPGGA,123519,4807.038,N,01131.000,E", Outcome::kMalformed}));

TEST(NmeaSentenceName, RoundTripsTheSettingsOrder) {
  for (const Type type : {Type::GGA, Type::RMC, Type::GLL}) {
    EXPECT_EQ(NmeaSentenceFromName(NmeaSentenceName(type)), type);
  }
  EXPECT_EQ(NmeaSentenceName(Type::RMC), std::string("RMC"));
  EXPECT_FALSE(NmeaSentenceFromName("VTG"));
}

// --- The splitter. ---

constexpr const char* kGga = "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47";
constexpr const char* kRmc =
    "$GNRMC,083559.00,A,4717.11437,N,00833.91522,E,0.004,77.52,091202,,,A*49";

struct SplitCase {
  const char* name;
  std::string stream;
  std::vector<std::string> sentences;
  std::size_t dropped;
};

std::vector<std::string> SplitAll(NmeaSplitter& splitter, std::string_view bytes) {
  std::vector<std::string> out;
  splitter.Feed(bytes, [&](std::string_view s) { out.emplace_back(s); });
  return out;
}

class NmeaSplitterTest : public testing::TestWithParam<SplitCase> {};

TEST_P(NmeaSplitterTest, CutsTheStreamIntoSentences) {
  NmeaSplitter splitter;
  EXPECT_EQ(SplitAll(splitter, GetParam().stream), GetParam().sentences);
  EXPECT_EQ(splitter.Dropped(), GetParam().dropped);
}

TEST_P(NmeaSplitterTest, GivesTheSameSentencesWhenTheBytesComeOneByOne) {
  NmeaSplitter splitter;
  std::vector<std::string> out;
  for (const char c : GetParam().stream) {
    for (std::string& s : SplitAll(splitter, std::string_view(&c, 1))) out.push_back(s);
  }
  EXPECT_EQ(out, GetParam().sentences);
  EXPECT_EQ(splitter.Dropped(), GetParam().dropped);
}

std::string Of(std::initializer_list<std::string> parts) {
  std::string all;
  for (const std::string& p : parts) all += p;
  return all;
}

// A sentence of exactly n characters from '$' to the last before CR LF.
std::string SentenceOfLength(std::size_t n) { return "$GPTXT," + std::string(n - 7, 'A'); }

INSTANTIATE_TEST_SUITE_P(
    Streams, NmeaSplitterTest,
    testing::Values(
        SplitCase{"CrLf", Of({kGga, "\r\n", kRmc, "\r\n"}), {kGga, kRmc}, 0},
        SplitCase{"BareLineEnds", Of({kGga, "\n", kRmc, "\r", "\r\n\n"}), {kGga, kRmc}, 0},
        SplitCase{"NoiseBeforeTheStart", Of({"\xff\x00garbage\r\n", kGga, "\r\n"}), {kGga}, 0},
        SplitCase{"NulInside",
                  Of({"$GPGGA,123519,48", std::string(1, '\0'), "07.038\r\n", kGga, "\r\n"}),
                  {kGga},
                  1},
        SplitCase{"BinaryInside", Of({"$GPGGA,1\x80\xfe", "23519\r\n", kRmc, "\r\n"}), {kRmc}, 1},
        SplitCase{"InterruptedByANewStart", Of({"$GPGGA,123519,480", kRmc, "\r\n"}), {kRmc}, 1},
        SplitCase{"AisIsASentenceToo",
                  "!AIVDM,1,1,,A,13u?etPv2;0n:dDPwUM1U1Cb069D,0*24\r\n",
                  {"!AIVDM,1,1,,A,13u?etPv2;0n:dDPwUM1U1Cb069D,0*24"},
                  0},
        SplitCase{"LongestAllowed", Of({SentenceOfLength(80), "\r\n"}), {SentenceOfLength(80)}, 0},
        SplitCase{"OneTooLong", Of({SentenceOfLength(81), "\r\n", kGga, "\r\n"}), {kGga}, 1},
        SplitCase{
            "FarTooLongThenResync", Of({SentenceOfLength(500), "\r\n", kGga, "\r\n"}), {kGga}, 1},
        SplitCase{"CutOffAtTheEnd", Of({kGga, "\r\n", "$GPGGA,1235"}), {kGga}, 0}),
    [](const testing::TestParamInfo<SplitCase>& row) { return std::string(row.param.name); });

TEST(NmeaSplitter, FinishHandsOverALastSentenceWithoutLineEnd) {
  NmeaSplitter splitter;
  std::vector<std::string> out = SplitAll(splitter, Of({kGga, "\r\n", kRmc}));
  splitter.Finish([&](std::string_view s) { out.emplace_back(s); });
  EXPECT_EQ(out, (std::vector<std::string>{kGga, kRmc}));
  // Nothing is left over for a next stream.
  EXPECT_EQ(SplitAll(splitter, "\r\n"), std::vector<std::string>{});
}

}  // namespace
}  // namespace keelmark
