#include <gtest/gtest.h>

#include <cmath>

#include "navigation/calendar.h"
#include "navigation/text_format.h"
#include "records/text_codec.h"

namespace keelmark {
namespace {

TEST(TextCodec, EveryWindows1252ByteSurvivesARoundTrip) {
  std::string all;
  for (int b = 1; b < 256; ++b) all.push_back(static_cast<char>(b));
  EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
}

TEST(TextCodec, CharactersWithoutAWindows1252FormBecomeQuestionMarks) {
  EXPECT_EQ(Utf8ToCp1252("\xE2\x82\xAC"), "\x80");            // euro sign
  EXPECT_EQ(Utf8ToCp1252("\xE6\x9D\xB1\xE4\xBA\xAC"), "??");  // two CJK characters
  EXPECT_EQ(Utf8ToCp1252("\xF0\x9F\x9A\xA2!"), "?!");         // ship emoji
  EXPECT_EQ(Utf8ToCp1252("a\xC3"), "a?");                     // cut sequence
  EXPECT_EQ(Utf8ToCp1252("\xFF"), "?");
}

// (Dates in English as the lists and reports print them: their golden files.)

TEST(ParseIsoUtc, RefusesWhatIsNotADate) {
  TimeValue t = 0;
  for (const char* text : {"", "yesterday", "2026-13-01T00:00:00Z", "2026-04-31T00:00:00Z",
                           "2026-12-06", "2026-12-06T25:00:00Z", "2026-12-06T12:00:00Zjunk"}) {
    EXPECT_FALSE(ParseIsoUtc(text, t)) << text;
  }
}

TEST(Calendar, FieldsAndTimeValueInvertEachOther) {
  for (const TimeValue t : {TimeValue{-86401}, TimeValue{0}, TimeValue{951782400},
                            TimeValue{2147483648LL}, TimeValue{4102444800LL}}) {
    EXPECT_EQ(TimeFromUtcFields(UtcFields(t)), t);
  }
  EXPECT_EQ(FormatUtc(kNoTime, "%d"), "NA");
}

}  // namespace
}  // namespace keelmark
