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
#include "voyage/position_fixes.h"

namespace keelmark::cli {
namespace {

// The fix editor's weather fields and the options that set them.
struct WeatherOption {
  const char* option;
  double WeatherConditions::*field;
};

constexpr WeatherOption kWeatherOptions[] = {
    {"wind-dir", &WeatherConditions::WindDirection},
    {"wind-speed", &WeatherConditions::WindSpeed},
    {"swell-dir", &WeatherConditions::SwellDirection},
    {"swell", &WeatherConditions::SwellHeight},
    {"waves", &WeatherConditions::WaveHeight},
    {"pressure", &WeatherConditions::AirPressure},
    {"air-temp", &WeatherConditions::AirTemperature},
    {"sea-temp", &WeatherConditions::SeaTemperature},
    {"visibility", &WeatherConditions::Visibility},
};

// Every stored field of the fix, and its time as a UTC text for the reader.
Json FixJson(const PositionFix& fix) {
  Json object = ToJson(fix);
  const TimeValue t = CNavigation().TimeFromDayNumber(fix.GetTime());
  object["TimeUtc"] = t == kNoTime ? Json(nullptr) : Json(IsoUtc(t));
  return object;
}

int RunFixAdd(const Words& args, CommandContext& context) {
  std::set<std::string> valued = {"data-dir", "lat",       "lon",       "time",   "zone",
                                  "course",   "rpm",       "draft-fwd", "draft-aft", "weather"};
  for (const WeatherOption& w : kWeatherOptions) valued.insert(w.option);
  const CommandLine line(args, valued, {});
  // Everything is read and checked before the data files are touched.
  const double latitude = line.Number("lat");
  const double longitude = line.Number("lon");
  if (latitude < -90.0 || latitude > 90.0 || longitude < -180.0 || longitude > 180.0) {
    throw CommandError("--lat must lie in -90..90 and --lon in -180..180");
  }
  TimeValue time = 0;
  if (!ParseIsoUtc(line.Required("time"), time)) {
    throw CommandError("--time: '" + line.Required("time") + "' is not a UTC time like 2026-12-06T12:00:00Z");
  }
  const double zoneHours = line.Has("zone") ? line.Number("zone") : 0.0;
  if (zoneHours < -13.0 || zoneHours > 13.0) throw CommandError("--zone must lie in -13..13 hours");

  DocumentSession session(context, line.Value("data-dir", ""));
  CKeelmarkRouteXPDoc& doc = session.Document();
  const CNavigation navigation;
  if (const PositionFix* latest = doc.GetHistory().GetLast();
      latest && navigation.LocalDayNumber(time) <= latest->GetTime()) {
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
  entry.latitude = latitude;
  entry.longitude = longitude;
  entry.zoneOffset = zoneHours / 24.0;
  entry.time = navigation.LocalDayNumber(time);
  if (line.Has("course")) entry.steeredCourse = line.Number("course");
  if (line.Has("rpm")) entry.engineRpm = line.Number("rpm");
  if (line.Has("draft-fwd")) entry.draftForward = line.Number("draft-fwd");
  if (line.Has("draft-aft")) entry.draftAft = line.Number("draft-aft");
  for (const WeatherOption& w : kWeatherOptions) {
    if (line.Has(w.option)) entry.weather.*w.field = line.Number(w.option);
  }
  if (line.Has("weather")) entry.weather.WeatherText = line.Required("weather");

  doc.ConfirmPositionFix(*fix, entry);
  Json result = FixJson(*fix);
  result["messages"] = session.Prompter().Messages();
  session.Close();
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
