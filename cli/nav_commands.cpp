// keelmark nav ... and keelmark time ...: the navigation math and the day-number scale.
#include <nlohmann/json.hpp>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "navigation/calendar.h"
#include "navigation/navigation.h"
#include "records/position.h"

namespace keelmark::cli {
namespace {

CPosition2 PositionAt(const LatLon& p) {
  CPosition2 position;
  position.SetLatitude(p.latitude);
  position.SetLongitude(p.longitude);
  return position;
}

}  // namespace

int RunNav(const Words& args, CommandContext& context) {
  if (args.empty()) throw UsageError("nav needs distance, course, dr or position");
  const std::string& what = args[0];
  const Words rest(args.begin() + 1, args.end());
  const CNavigation navigation;
  if (what == "distance" || what == "course") {
    const CommandLine line(rest, {"from", "to"}, {"rhumb"});
    const CPosition2 from = PositionAt(ParseLatLon(line.Required("from"), "--from"));
    const CPosition2 to = PositionAt(ParseLatLon(line.Required("to"), "--to"));
    const bool greatCircle = !line.Flag("rhumb");
    if (what == "distance") {
      PrintJson(context.out, {{"distance", navigation.Distance(from, to, greatCircle)}});
    } else {
      PrintJson(context.out, {{"course", navigation.Course(from, to, greatCircle)}});
    }
    return 0;
  }
  if (what == "dr") {
    const CommandLine line(rest, {"from", "course", "distance"}, {});
    CPosition2 position = PositionAt(ParseLatLon(line.Required("from"), "--from"));
    navigation.DeadReckon(position, line.Number("distance"), line.Number("course"));
    PrintJson(context.out,
              {{"latitude", position.GetLatitude()}, {"longitude", position.GetLongitude()}});
    return 0;
  }
  if (what == "position") {
    const CommandLine line(rest, {}, {});
    const CPosition2 position =
        PositionAt(ParseLatLon(line.PositionalAt(0, "LAT,LON"), "position"));
    PrintJson(context.out, {{"LatitudeText", position.LatitudeText()},
                            {"LongitudeText", position.LongitudeText()},
                            {"ReportLatitude", position.ReportLatitude()},
                            {"ReportLongitude", position.ReportLongitude()},
                            {"ExportLine", position.ExportLine(",")}});
    return 0;
  }
  throw UsageError("unknown nav command '" + what + "'");
}

int RunTime(const Words& args, CommandContext& context) {
  const CommandLine line(args, {}, {});
  const std::string& what = line.PositionalAt(0, "time daynumber or time from-daynumber");
  const CNavigation navigation;
  if (what == "daynumber") {
    const TimeValue t = ParseTime(line.PositionalAt(1, "ISO-UTC time"), "time");
    PrintJson(context.out, {{"daynumber", navigation.LocalDayNumber(t)}});
    return 0;
  }
  if (what == "from-daynumber") {
    const double day = ParseNumber(line.PositionalAt(1, "day number"), "day number");
    const TimeValue t = navigation.TimeFromDayNumber(day);
    if (t == kNoTime) throw CommandError("day number " + line.Positional()[1] + " has no time");
    PrintJson(context.out, {{"time", IsoUtc(t)}});
    return 0;
  }
  throw UsageError("unknown time command '" + what + "'");
}

}  // namespace keelmark::cli
