// keelmark fix add ... and keelmark performance ...: a position fix entered as the fix editor
// enters it, and the Performance dialog's figures.
#include <nlohmann/json.hpp>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/document_session.h"
#include "cli/json_fields.h"
#include "cli/json_record.h"
#include "navigation/calendar.h"
#include "navigation/navigation.h"
#include "navigation/text_format.h"
#include "records/text_codec.h"
#include "voyage/position_fixes.h"

namespace keelmark::cli {
namespace {

// The fix editor's weather fields and the options that set them, each in the order of the
// core's table of observed values (which gives its range).
constexpr const char* kWeatherOptions[] = {"wind-dir", "wind-speed", "swell-dir",
                                           "swell",    "waves",      "pressure",
                                           "air-temp", "sea-temp",   "visibility"};

// The fix's numbers the command sets, with the values they may take.
struct NumberOption {
  const char* option;
  double FixEntry::*field;
  double minimum;
  double maximum;
};

// The fix editor's ranges: a course is checked, the engine setting and drafts are not.
constexpr NumberOption kNumberOptions[] = {
    {"course", &FixEntry::steeredCourse, 0.0, 360.0},
    {"rpm", &FixEntry::engineRpm, -kNoLimit, kNoLimit},
    {"draft-fwd", &FixEntry::draftForward, -kNoLimit, kNoLimit},
    {"draft-aft", &FixEntry::draftAft, -kNoLimit, kNoLimit},
};

// Every stored field of the fix, and its time as a UTC text for the reader.
Json FixJson(const PositionFix& fix) {
  Json object = ToJson(fix);
  const TimeValue t = CNavigation().TimeFromDayNumber(fix.GetTime());
  object["TimeUtc"] = t == kNoTime ? Json(nullptr) : Json(IsoUtc(t));
  return object;
}

// A number option within its range; CommandError naming it otherwise.
double RangedNumber(const CommandLine& line, const std::string& option, double minimum,
                    double maximum) {
  const double value = line.Number(option);
  if (value < minimum || value > maximum) {
    throw CommandError("--" + option + " must lie in " + Printf("%g", minimum) + ".." +
                       Printf("%g", maximum) + ", not " + line.Required(option));
  }
  return value;
}

// What the command line says about the fix, read and checked whole before any file is opened.
struct FixOptions {
  double latitude = 0.0;
  double longitude = 0.0;
  TimeValue time = 0;
  double zoneHours = 0.0;
  std::vector<std::pair<double FixEntry::*, double>> numbers;
  std::vector<std::pair<double WeatherConditions::*, double>> weather;
  std::optional<std::string> weatherText;

  void ApplyTo(FixEntry& entry) const {
    entry.latitude = latitude;
    entry.longitude = longitude;
    entry.zoneOffset = zoneHours / 24.0;
    entry.time = CNavigation().LocalDayNumber(time);
    for (const auto& [field, value] : numbers) entry.*field = value;
    for (const auto& [field, value] : weather) entry.weather.*field = value;
    if (weatherText) entry.weather.WeatherText = *weatherText;
  }
};

FixOptions ReadFixOptions(const CommandLine& line, CommandContext& context) {
  FixOptions options;
  options.latitude = RangedNumber(line, "lat", -90.0, 90.0);
  options.longitude = RangedNumber(line, "lon", -180.0, 180.0);
  options.time = ParseTime(line.Required("time"), "--time");
  if (FixLiesAhead(CNavigation().LocalDayNumber(options.time), CNavigation().UtcDayNumberNow())) {
    throw CommandError(std::string("--time: ") + kFixAheadMessage + " (" +
                       IsoUtc(ProcessClock().Now()) + ")");
  }
  if (line.Has("zone")) options.zoneHours = RangedNumber(line, "zone", -13.0, 13.0);
  for (const NumberOption& number : kNumberOptions) {
    if (line.Has(number.option)) {
      options.numbers.emplace_back(
          number.field, RangedNumber(line, number.option, number.minimum, number.maximum));
    }
  }
  for (std::size_t i = 0; i < std::size(kWeatherOptions); ++i) {
    const WeatherFieldInfo& info = kWeatherFields[i];
    if (line.Has(kWeatherOptions[i])) {
      options.weather.emplace_back(
          info.member, RangedNumber(line, kWeatherOptions[i], info.minimum, info.maximum));
    }
  }
  if (line.Has("weather")) {
    options.weatherText = line.Required("weather");
    if (!Cp1252HoldsAll(*options.weatherText)) WarnOfLossyText(context.err, "--weather");
  }
  return options;
}

int RunFixAdd(const Words& args, CommandContext& context) {
  std::set<std::string> valued = {"data-dir", "lat", "lon", "time", "zone", "weather"};
  for (const NumberOption& number : kNumberOptions) valued.insert(number.option);
  for (const char* option : kWeatherOptions) valued.insert(option);
  const CommandLine line(args, valued, {});
  // Everything is read and checked before the data files are touched: a refused command
  // changes nothing on disk.
  const FixOptions options = ReadFixOptions(line, context);

  DocumentSession session(context, line.Value("data-dir", ""));
  CKeelmarkRouteXPDoc& doc = session.Document();
  const CNavigation navigation;
  if (const PositionFix* latest = doc.GetHistory().GetLast();
      latest && navigation.LocalDayNumber(options.time) <= latest->GetTime()) {
    // The history runs oldest first; a fix before the latest one would give a negative run.
    throw CommandError("--time must be later than the latest fix (" +
                       IsoUtc(navigation.TimeFromDayNumber(latest->GetTime())) + ")");
  }
  PositionFix* fix = ProposeLatestFix(doc.GetHistory());
  FixEntry entry = OpeningEntry(*fix, doc.GetVessel());
  // The insert command copies these from the fix before the proposal.
  if (const PositionFix* previous = doc.GetHistory().GetPrevious(fix); previous != fix) {
    entry.draftAft = previous->DraftAft;
    entry.engineRpm = previous->EngineRpm;
    entry.steeredCourse = previous->SteeredCourse;
  }
  options.ApplyTo(entry);

  doc.ConfirmPositionFix(*fix, entry);
  Json result = FixJson(*fix);
  session.Close();
  result["messages"] = session.Prompter().Messages();
  PrintJson(context.out, result);
  return 0;
}

}  // namespace

int RunFix(const Words& args, CommandContext& context) {
  if (args.empty() || args[0] != "add") throw UsageError("fix needs add");
  return RunFixAdd(Words(args.begin() + 1, args.end()), context);
}

int RunPerformance(const Words& args, CommandContext& context) {
  const CommandLine line(args, {"data-dir", "from", "till"}, {});
  const std::string route = line.Positional().empty() ? "" : line.Positional()[0];
  const double from = line.Number("from");
  const double till = line.Number("till");
  DocumentSession session(context, line.Value("data-dir", ""), route);
  CKeelmarkRouteXPDoc& doc = session.Document();
  const int count = doc.GetHistory().GetCount();
  for (const double index : {from, till}) {
    if (index != static_cast<int>(index) || index < 0 || index >= count) {
      throw CommandError("--from and --till must be fix numbers 0.." + std::to_string(count - 1));
    }
  }
  const PerformanceTexts texts = PerformanceFigures(doc.GetHistory(), doc.GetRoute(),
                                                    static_cast<int>(from), static_cast<int>(till));
  session.Close();
  PrintJson(context.out, {{"Distance made", texts.distanceMade},
                          {"hours", texts.hours},
                          {"Average speed", texts.averageSpeed},
                          {"Engine rpm", texts.engineRpm},
                          {"Distance remaining", texts.distanceRemaining},
                          {"hours remaining", texts.hoursRemaining},
                          {"Required speed", texts.requiredSpeed}});
  return 0;
}

}  // namespace keelmark::cli
