// keelmark plan ROUTE.q3v and keelmark cpa ROUTE.q3v: the voyage calculation and the closest
// approach of storms and warnings, from the data files of a data folder.
#include <nlohmann/json.hpp>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/document_session.h"
#include "cli/json_record.h"
#include "voyage/average_weather.h"
#include "navigation/calendar.h"
#include "voyage/closest_approach.h"
#include "navigation/navigation.h"
#include "records/vessel.h"
#include "voyage/voyage_calculation.h"
#include "records/chart_list.h"
#include "records/history_list.h"
#include "records/meteo_list.h"
#include "records/reporting_point_list.h"
#include "records/route_document.h"
#include "records/voyage.h"

namespace keelmark::cli {
namespace {

// Reads one data file for a read-only command: a file that is missing or damaged leaves the
// defaults and says so on stderr; nothing is asked and nothing is written.
void LoadForReading(CommandContext& context, const TextSetting& key, const std::string& folder,
                    const char* what, const std::function<void(Archive&)>& serialize,
                    const std::function<void()>& reset) {
  const std::string path = DataFilePathIn(context.Settings(), key, folder);
  const LoadResult result = LoadArchiveFile(path, serialize);
  if (result.Ok()) return;
  reset();
  context.err << "keelmark: note: " << what << " not loaded from '" << path << "' ("
              << result.detail << "); going on without it\n";
}

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
  const std::string folder = line.Value("data-dir", "");
  const bool fromDocument = FromOption(line, "document") == "document";

  CVessel2 vessel;
  MeteoList meteo;
  HistoryList history;
  vessel.ReadIdentity(context.Settings());
  LoadForReading(context, setting::kVesselPath, folder, "vessel data",
                 [&](Archive& a) { vessel.Serialize(a); }, [&] { vessel = CVessel2(); });
  LoadForReading(context, setting::kMeteoPath, folder, "average weather",
                 [&](Archive& a) { meteo.Serialize(a); }, [&] { meteo.RemoveAll(); });
  if (fromDocument) {
    LoadForReading(context, setting::kHistoryPath, folder, "history",
                   [&](Archive& a) { history.Serialize(a); }, [&] { history.RemoveAll(); });
  }
  Voyage voyage;
  ChartList charts;
  ReportingPointList reportingPoints;
  const LoadResult route = LoadArchiveFile(
      routePath, [&](Archive& a) { SerializeRouteDocument(a, voyage, charts, reportingPoints); });
  if (!route.Ok()) throw CommandError(routePath + ": " + route.detail);

  ApplyAverageWeather(voyage, meteo);
  CalculateFromDeparture(voyage, vessel);
  if (fromDocument && !history.IsEmpty()) CalculateVoyage(voyage, vessel, *history.GetLast());

  Json waypoints = Json::array();
  for (const auto& w : voyage) waypoints.push_back(PlannedWaypoint(*w));
  const Waypoint* last = voyage.GetLast();
  PrintJson(context.out, {{"Waypoints", waypoints},
                          {"TotalDistance", JsonNumber(TotalDistance(voyage))},
                          {"ArrivalTime", last ? TimeJson(last->GetScheduledTime()) : Json(nullptr)}});
  return 0;
}

int RunCpa(const Words& args, CommandContext& context) {
  const CommandLine line(args, {"data-dir", "from"}, {});
  const std::string& routePath = line.PositionalAt(0, "ROUTE.q3v");
  const bool fromLatestFix = FromOption(line, "latest-fix") == "latest-fix";
  DocumentSession session(context, line.Value("data-dir", ""), routePath);
  CKeelmarkRouteXPDoc& doc = session.Document();
  Voyage& voyage = doc.GetRoute();
  if (voyage.GetCount() < 2) throw CommandError("Unable to calculate as no voyage loaded");
  const PositionFix start = fromLatestFix && !doc.GetHistory().IsEmpty()
                                ? *doc.GetHistory().GetLast()
                                : DeparturePosition(voyage);
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
    const auto at = StormCpa(*storm, voyage, start, distance, bearing);
    storms.push_back({{"Name", storm->GetName()}, {"cpa", approach(at, distance, bearing)}});
  }
  Json warnings = Json::array();
  for (const auto& warning : doc.GetWarnings()) {
    double distance = 0.0, bearing = 0.0;
    const auto at = WarningCpa(*warning, voyage, start, kWarningCpaStepHours, distance, bearing);
    warnings.push_back({{"Name", warning->GetName()}, {"cpa", approach(at, distance, bearing)}});
  }
  PrintJson(context.out, {{"storms", storms}, {"warnings", warnings}});
  return 0;
}

}  // namespace keelmark::cli
