// keelmark plan ROUTE.q3v and keelmark cpa ROUTE.q3v: the voyage calculation and the closest
// approach of storms and warnings, from the data files of a data folder, which they only read.
#include <nlohmann/json.hpp>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/document_session.h"
#include "cli/json_record.h"
#include "navigation/calendar.h"
#include "navigation/navigation.h"
#include "records/voyage.h"
#include "voyage/closest_approach.h"
#include "voyage/voyage_calculation.h"

namespace keelmark::cli {
namespace {

Json TimeJson(double dayNumber) {
  const TimeValue t = CNavigation().TimeFromDayNumber(dayNumber);
  return t == kNoTime ? Json(nullptr) : Json(IsoUtc(t));
}

Json PlannedWaypoint(const Waypoint& w) {
  Json j = ToJson(w);
  j["Revolutions"] = JsonNumber(w.Revolutions);
  j["StretchedDistance"] = JsonNumber(w.StretchedDistance);
  j["LegDistance"] = JsonNumber(w.LegDistance);
  j["LegCourse"] = JsonNumber(w.LegCourse);
  j["GroundCourse"] = JsonNumber(w.GroundCourse);
  j["CorrectedDistance"] = JsonNumber(w.CorrectedDistance);
  j["Resistance"] = JsonNumber(w.Resistance);
  j["Rpm"] = JsonNumber(w.Rpm);
  j["ETA"] = TimeJson(w.GetScheduledTime());
  j["RequiredArrival"] = TimeJson(w.GetRequiredTime());
  return j;
}

std::string FromOption(const CommandLine& line, const char* allowedSecond) {
  const std::string from = line.Value("from", allowedSecond);
  if (from != "departure" && from != allowedSecond) {
    throw UsageError(std::string("--from must be departure or ") + allowedSecond);
  }
  return from;
}

}  // namespace

int RunPlan(const Words& args, CommandContext& context) {
  const CommandLine line(args, {"data-dir", "from"}, {});
  const std::string& routePath = line.PositionalAt(0, "ROUTE.q3v");
  const bool fromDocument = FromOption(line, "document") == "document";
  // Reading the route document brings the voyage up to date from the departure, and from the
  // latest fix unless the plan is asked from the departure.
  DocumentSession session(context, line.Value("data-dir", ""), routePath, DataAccess::ReadOnly,
                          fromDocument ? VoyageStart::AsRead : VoyageStart::AsReadFromDeparture);
  const Voyage& voyage = session.Document().GetRoute();

  Json waypoints = Json::array();
  for (const auto& w : voyage) waypoints.push_back(PlannedWaypoint(*w));
  const Waypoint* last = voyage.GetLast();
  PrintJson(context.out,
            {{"Waypoints", waypoints},
             {"TotalDistance", JsonNumber(TotalDistance(voyage))},
             {"ArrivalTime", last ? TimeJson(last->GetScheduledTime()) : Json(nullptr)}});
  return 0;
}

int RunCpa(const Words& args, CommandContext& context) {
  const CommandLine line(args, {"data-dir", "from"}, {"present-course"});
  // Storms met by a ship that holds the start's course and speed made good, off the route.
  const bool presentCourse = line.Flag("present-course");
  const std::string& routePath = line.PositionalAt(0, "ROUTE.q3v");
  const bool fromLatestFix = FromOption(line, "latest-fix") == "latest-fix";
  DocumentSession session(context, line.Value("data-dir", ""), routePath, DataAccess::ReadOnly);
  const CKeelmarkRouteXPDoc& doc = session.Document();
  const Voyage& voyage = doc.GetRoute();
  if (voyage.GetCount() < 2) throw CommandError("Unable to calculate as no voyage loaded");
  const PositionFix start = fromLatestFix && !doc.GetHistory().IsEmpty()
                                ? *doc.GetHistory().GetLast()
                                : DepartureCpaStart(voyage);
  auto approach = [](const std::optional<CPosition2>& at, double distance, double bearing) {
    if (!at) return Json(nullptr);
    return Json{{"distance", JsonNumber(distance)},
                {"bearing", JsonNumber(bearing)},
                {"time", TimeJson(at->GetRequiredTime())},
                {"latitude", JsonNumber(at->GetLatitude())},
                {"longitude", JsonNumber(at->GetLongitude())},
                {"LatitudeText", at->LatitudeText()},
                {"LongitudeText", at->LongitudeText()}};
  };
  Json storms = Json::array();
  for (const auto& storm : doc.GetStorms()) {
    double distance = 0.0, bearing = 0.0;
    const std::optional<CPosition2> at =
        presentCourse ? std::optional(PresentCourseStormCpa(*storm, start, distance, bearing))
                      : StormCpa(*storm, voyage, start, distance, bearing);
    storms.push_back({{"Name", storm->GetName()}, {"cpa", approach(at, distance, bearing)}});
  }
  Json warnings = Json::array();
  for (const auto& warning : doc.GetWarnings()) {
    double distance = 0.0, bearing = 0.0;
    const auto at = WarningCpa(*warning, voyage, start, kWarningCpaStepHours, distance, bearing);
    warnings.push_back({{"Name", warning->GetName()}, {"cpa", approach(at, distance, bearing)}});
  }
  session.Close();
  PrintJson(context.out, {{"storms", storms}, {"warnings", warnings}});
  return 0;
}

}  // namespace keelmark::cli
