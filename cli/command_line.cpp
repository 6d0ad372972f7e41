#include "cli/command_line.h"

#include <charconv>
#include <cmath>
#include <ostream>

#include "navigation/calendar.h"
#include "records/text_codec.h"

namespace keelmark::cli {

CommandLine::CommandLine(const std::vector<std::string>& args, const std::set<std::string>& valued,
                         const std::set<std::string>& flags) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::optional<OptionWord> option = SplitOption(args[i]);
    if (!option) {
      positional_.push_back(args[i]);
      continue;
    }
    const std::string& name = option->name;
    if (flags.count(name)) {
      if (option->value) throw UsageError("--" + name + " takes no value");
      flags_.insert(name);
    } else if (valued.count(name)) {
      if (option->value) {
        values_[name] = *option->value;
      } else {
        if (i + 1 >= args.size()) throw UsageError("--" + name + " needs a value");
        values_[name] = args[++i];
      }
    } else {
      throw UsageError("unknown option --" + name);
    }
  }
}

std::optional<OptionWord> SplitOption(const std::string& word) {
  if (word.size() < 3 || word.compare(0, 2, "--") != 0) return std::nullopt;
  OptionWord option{word.substr(2), std::nullopt};
  if (const auto eq = option.name.find('='); eq != std::string::npos) {
    option.value = option.name.substr(eq + 1);
    option.name.resize(eq);
  }
  return option;
}

const std::string& CommandLine::PositionalAt(std::size_t index, const char* what) const {
  if (index >= positional_.size()) throw UsageError(std::string("missing ") + what);
  return positional_[index];
}

bool CommandLine::Has(const std::string& option) const { return values_.count(option) != 0; }

const std::string& CommandLine::Required(const std::string& option) const {
  const auto it = values_.find(option);
  if (it == values_.end()) throw UsageError("missing --" + option);
  return it->second;
}

std::string CommandLine::Value(const std::string& option, const std::string& fallback) const {
  const auto it = values_.find(option);
  return it == values_.end() ? fallback : it->second;
}

double CommandLine::Number(const std::string& option) const {
  return ParseNumber(Required(option), "--" + option);
}

double ParseNumber(const std::string& text, const std::string& what) {
  double value = 0.0;
  const char* first = text.data();
  const char* last = text.data() + text.size();
  if (first != last && *first == '+') ++first;
  const auto [end, ec] = std::from_chars(first, last, value);
  if (text.empty() || ec != std::errc() || end != last || !std::isfinite(value)) {
    throw CommandError(what + ": '" + text + "' is not a number");
  }
  return value;
}

std::int64_t ParseTime(const std::string& text, const std::string& what) {
  TimeValue t = 0;
  if (!ParseIsoUtc(text, t)) {
    throw CommandError(what + ": '" + text + "' is not a UTC time like 2026-12-06T12:00:00Z");
  }
  if (!IsEnterableTime(t)) {
    throw CommandError(what + ": '" + text + "' lies outside " + kEnteredTimeSpan);
  }
  return t;
}

void WarnOfLossyText(std::ostream& err, const std::string& field) {
  err << "keelmark: warning: " << field << " " << kLossyTextMessage << "\n";
}

LatLon ParseLatLon(const std::string& text, const std::string& what) {
  const auto comma = text.find(',');
  if (comma == std::string::npos) {
    throw CommandError(what + ": '" + text + "' is not LAT,LON");
  }
  LatLon p;
  p.latitude = ParseNumber(text.substr(0, comma), what + " latitude");
  p.longitude = ParseNumber(text.substr(comma + 1), what + " longitude");
  return p;
}

}  // namespace keelmark::cli
