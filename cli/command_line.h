// Arguments of one keelmark command: positional words and --options, checked against what the
// command accepts.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace keelmark::cli {

// Wrong usage: exit status 2.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A command that could not be done (bad value, damaged file ...): exit status 1.
class CommandError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// An option word split into its name (without "--") and, for "--name=value", its value.
struct OptionWord {
  std::string name;
  std::optional<std::string> value;
};
// Nothing when the word is not an option (it does not start with "--" or is only "--").
[[nodiscard]] std::optional<OptionWord> SplitOption(const std::string& word);

class CommandLine {
 public:
  // valued: options that take a value ("--from X"); flags: options that stand alone.
  CommandLine(const std::vector<std::string>& args, const std::set<std::string>& valued,
              const std::set<std::string>& flags);

  [[nodiscard]] const std::vector<std::string>& Positional() const { return positional_; }
  [[nodiscard]] const std::string& PositionalAt(std::size_t index, const char* what) const;
  [[nodiscard]] bool Has(const std::string& option) const;
  [[nodiscard]] bool Flag(const std::string& flag) const { return flags_.count(flag) != 0; }
  // The value of a required option; UsageError when it is missing.
  [[nodiscard]] const std::string& Required(const std::string& option) const;
  [[nodiscard]] std::string Value(const std::string& option, const std::string& fallback) const;
  // A number option: UsageError when missing, CommandError when not a number.
  [[nodiscard]] double Number(const std::string& option) const;

 private:
  std::vector<std::string> positional_;
  std::map<std::string, std::string> values_;
  std::set<std::string> flags_;
};

// The whole text as a finite decimal number; CommandError naming `what` otherwise.
[[nodiscard]] double ParseNumber(const std::string& text, const std::string& what);

// A UTC time typed as "YYYY-MM-DDTHH:MM[:SS][Z]" within 2000-01-01 .. 2100-12-31; CommandError
// naming `what` otherwise.
[[nodiscard]] std::int64_t ParseTime(const std::string& text, const std::string& what);

// Warns on err, naming the field, that its text has characters the data files cannot hold.
void WarnOfLossyText(std::ostream& err, const std::string& field);

// "LAT,LON" in signed decimal degrees.
struct LatLon {
  double latitude = 0.0;
  double longitude = 0.0;
};
[[nodiscard]] LatLon ParseLatLon(const std::string& text, const std::string& what);

}  // namespace keelmark::cli
