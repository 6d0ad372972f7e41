#include "document/gps_feed.h"

#include <algorithm>
#include <utility>

namespace keelmark {
namespace {

std::string Seconds(TimeValue seconds) { return std::to_string(seconds) + " s"; }

}  // namespace

GpsFeed::GpsFeed(std::string source) : source_(std::move(source)) {}

void GpsFeed::Opened(TimeValue now) {
  openedAt_ = now;
  failure_ = 0;
  failureText_.clear();
}

void GpsFeed::Feed(std::string_view bytes, TimeValue now) {
  if (bytes.empty()) return;
  bytesAt_ = now;
  failure_ = 0;
  splitter_.Feed(bytes, [&](std::string_view text) { Take(text, now); });
  tally_.dropped = splitter_.Dropped();
}

void GpsFeed::Finish(TimeValue now) {
  splitter_.Finish([&](std::string_view text) { Take(text, now); });
}

void GpsFeed::Fail(int code, std::string text) {
  failure_ = lastCode_ = code;
  failureText_ = lastText_ = std::move(text);
}

void GpsFeed::Take(std::string_view text, TimeValue now) {
  const NmeaSentence sentence = ParseNmeaSentence(text);
  ++tally_.sentences;
  checksumFailed_.push_back(sentence.outcome == NmeaOutcome::kBadChecksum);
  if (checksumFailed_.size() > kChecksumWindow) checksumFailed_.pop_front();
  const bool chosen = sentence.type == chosen_;
  switch (sentence.outcome) {
    case NmeaOutcome::kPosition:
      ++tally_.positions;
      if (chosen) {
        position_ = GpsReading{gps_code::kPosition, sentence.latitude, sentence.longitude};
        positionAt_ = now;
        noFixAt_.reset();
      }
      break;
    case NmeaOutcome::kNoFix:
      ++tally_.noFix;
      if (chosen) noFixAt_ = now;
      break;
    case NmeaOutcome::kBadChecksum:
      ++tally_.badChecksum;
      break;
    case NmeaOutcome::kMalformed:
      ++tally_.malformed;
      break;
    case NmeaOutcome::kSkipped:
      ++tally_.skipped;
      break;
  }
  if (onSentence) onSentence(sentence);
}

GpsReading GpsFeed::Read(TimeValue now) {
  GpsReading reading;
  const auto fail = [&](int code, std::string text) {
    reading.code = lastCode_ = code;
    lastText_ = std::move(text);
    return reading;
  };
  if (failure_ != 0) return fail(failure_, failureText_);
  if (Fresh(positionAt_, now) && !Fresh(noFixAt_, now)) {
    lastCode_ = gps_code::kPosition;
    lastText_.clear();
    return *position_;
  }
  const auto failed =
      static_cast<std::size_t>(std::count(checksumFailed_.begin(), checksumFailed_.end(), true));
  if (Fresh(bytesAt_, now) && failed * 2 > checksumFailed_.size()) {
    return fail(gps_code::kChecksumErrors, "checksum errors: " + std::to_string(failed) +
                                               " of the last " +
                                               std::to_string(checksumFailed_.size()));
  }
  if (Fresh(noFixAt_, now)) return fail(gps_code::kNoFix, "the receiver has no fix");
  if (Fresh(bytesAt_, now)) {
    const TimeValue since = positionAt_ ? *positionAt_ : openedAt_.value_or(*bytesAt_);
    return fail(gps_code::kNoSentence, std::string("no ") + NmeaSentenceName(chosen_) +
                                           " sentence for " + Seconds(now - since));
  }
  const std::optional<TimeValue> since = bytesAt_ ? bytesAt_ : openedAt_;
  if (!since || !Fresh(since, now)) {
    return fail(gps_code::kSilent,
                since ? "no data for " + Seconds(now - *since) : std::string("no data"));
  }
  // Opened a moment ago and nothing yet: no failure to name.
  return fail(gps_code::kNoData, "no data yet");
}

std::string GpsFeed::Describe(int code) const {
  if (code == lastCode_ && !lastText_.empty()) return source_ + ": " + lastText_;
  switch (code) {
    case gps_code::kPosition:
      return source_ + ": receiving";
    case gps_code::kNoFix:
      return source_ + ": the receiver has no fix";
    case gps_code::kSilent:
      return source_ + ": no data";
    default:
      return source_ + ": failure " + std::to_string(code);
  }
}

}  // namespace keelmark
