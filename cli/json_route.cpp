// JSON forms of the route records for keelmark dump and build: the route document, the history,
// the average weather, the master schedule and the single-record files of waypoints and fixes.
//
// Every stored field appears under its own name; fields left out of a build take the values of
// a new record. Files are loaded and stored "as stored" (older weather blocks and the version
// field kept), so dump then build gives the same bytes.
#include <string>

#include "cli/command_line.h"
#include "cli/json_position.h"
#include "cli/json_record_list.h"
#include "cli/json_reference.h"
#include "cli/json_route.h"
#include "cli/json_weather.h"
#include "records/chart_list.h"
#include "records/history_list.h"
#include "records/meteo_list.h"
#include "records/reporting_point_list.h"
#include "records/route_document.h"
#include "records/schedule_list.h"
#include "records/voyage.h"

namespace keelmark::cli {
namespace {

void WeatherMember(const Json& object, const char* key, WeatherConditions& weather) {
  if (const Json* member = ObjectMember(object, key)) WeatherFromJson(*member, weather);
}


void WaypointFromJson(const Json& object, Waypoint& w) {
  PositionFromJson(object, w);
  WeatherMember(object, "Weather", w.Weather);
  ReadMember(object, "UseVoyageWeather", w.UseVoyageWeather);
  ReadMember(object, "Spare1", w.Spare1);
  ReadMember(object, "Spare2", w.Spare2);
  ReadMember(object, "GroundSpeed", w.GroundSpeed);
  ReadMember(object, "ManualSpeed", w.ManualSpeed);
  ReadMember(object, "GreatCircle", w.GreatCircle);
}


void FixFromJson(const Json& object, PositionFix& f) {
  PositionFromJson(object, f);
  WeatherMember(object, "Weather", f.Weather);
  ReadMember(object, "DraftAft", f.DraftAft);
  ReadMember(object, "EngineRpm", f.EngineRpm);
  ReadMember(object, "LogSpeed", f.LogSpeed);
  ReadMember(object, "SteeredCourse", f.SteeredCourse);
  ReadMember(object, "FixSpare", f.FixSpare);
  ReadMember(object, "CourseMadeGood", f.CourseMadeGood);
  ReadMember(object, "SpeedMadeGood", f.SpeedMadeGood);
}

// The season and latest blocks of an average-weather point, by name.
template <typename Observation, typename Visit>
void ForEachBlock(Observation& m, Visit visit) {
  visit("JunAug", m.JunAug);
  visit("JanFeb", m.JanFeb);
  visit("MarMay", m.MarMay);
  visit("SepDec", m.SepDec);
  visit("Latest", m.Latest);
}

Json MeteoToJson(const MeteoObservation& m) {
  Json object = PositionToJson(m);
  object["MeteoValue"] = JsonNumber(m.MeteoValue);
  object["MeteoText"] = m.MeteoText;
  ForEachBlock(m, [&object](const char* key, const WeatherConditions& block) {
    object[key] = WeatherToJson(block);
  });
  return object;
}

void MeteoFromJson(const Json& object, MeteoObservation& m) {
  PositionFromJson(object, m);
  ReadMember(object, "MeteoValue", m.MeteoValue);
  ReadMember(object, "MeteoText", m.MeteoText);
  ForEachBlock(m, [&object](const char* key, WeatherConditions& block) {
    WeatherMember(object, key, block);
  });
}

Json ScheduleItemToJson(const ScheduleItem& item) {
  return Json{{"Name", item.Name},
              {"Distance", JsonNumber(item.Distance)},
              {"PortStay", JsonNumber(item.PortStay)},
              {"ZoneHours", JsonNumber(item.ZoneHours)},
              {"Eta", JsonNumber(item.Eta)}};
}

void ScheduleItemFromJson(const Json& object, ScheduleItem& item) {
  ReadMember(object, "Name", item.Name);
  ReadMember(object, "Distance", item.Distance);
  ReadMember(object, "PortStay", item.PortStay);
  ReadMember(object, "ZoneHours", item.ZoneHours);
  ReadMember(object, "Eta", item.Eta);
}

FileType RouteFileType() {
  return {"route",
          [](Archive& archive) {
            Voyage voyage;
            ChartList charts;
            ReportingPointList points;
            SerializeRouteDocumentAsStored(archive, voyage, charts, points);
            return Json{{"Voyage", VoyageToJson(voyage)},
                        {"Charts", ChartListToJson(charts)},
                        {"ReportingPoints", ReportingPointListToJson(points)}};
          },
          [](const Json& content, Archive& archive) {
            Voyage voyage;
            ChartList charts;
            ReportingPointList points;
            if (const Json* v = ObjectMember(content, "Voyage")) VoyageFromJson(*v, voyage);
            if (const Json* c = ArrayMember(content, "Charts")) ChartListFromJson(*c, charts);
            if (const Json* r = ArrayMember(content, "ReportingPoints")) {
              ReportingPointListFromJson(*r, points);
            }
            SerializeRouteDocumentAsStored(archive, voyage, charts, points);
          }};
}

}  // namespace

Json FixToJson(const PositionFix& f) {
  Json object = PositionToJson(f);
  object["Weather"] = WeatherToJson(f.Weather);
  object["DraftAft"] = JsonNumber(f.DraftAft);
  object["EngineRpm"] = JsonNumber(f.EngineRpm);
  object["LogSpeed"] = JsonNumber(f.LogSpeed);
  object["SteeredCourse"] = JsonNumber(f.SteeredCourse);
  object["FixSpare"] = JsonNumber(f.FixSpare);
  object["CourseMadeGood"] = JsonNumber(f.CourseMadeGood);
  object["SpeedMadeGood"] = JsonNumber(f.SpeedMadeGood);
  return object;
}

Json WaypointToJson(const Waypoint& w) {
  Json object = PositionToJson(w);
  object["Weather"] = WeatherToJson(w.Weather);
  object["UseVoyageWeather"] = w.UseVoyageWeather;
  object["Spare1"] = w.Spare1;
  object["Spare2"] = JsonNumber(w.Spare2);
  object["GroundSpeed"] = JsonNumber(w.GroundSpeed);
  object["ManualSpeed"] = w.ManualSpeed;
  object["GreatCircle"] = w.GreatCircle;
  return object;
}

Json VoyageToJson(const Voyage& voyage) {
  return Json{{"Version", voyage.Version},
              {"VoyageNumber", voyage.VoyageNumber},
              {"ConstantRpm", voyage.ConstantRpm},
              {"Note", voyage.Note},
              {"Waypoints", ListToJson(voyage, WaypointToJson)}};
}

void VoyageFromJson(const Json& object, Voyage& voyage) {
  ReadMember(object, "Version", voyage.Version);
  ReadMember(object, "VoyageNumber", voyage.VoyageNumber);
  ReadMember(object, "ConstantRpm", voyage.ConstantRpm);
  ReadMember(object, "Note", voyage.Note);
  if (voyage.Version <= 3 && !voyage.Note.empty()) {
    throw CommandError("a voyage of version 3 or lower has no note");
  }
  ListFromJson(ArrayMember(object, "Waypoints"), voyage, WaypointFromJson);
}

void AddRouteFileTypes(std::vector<FileType>& types) {
  types.push_back(RouteFileType());
  types.push_back(
      ListFileType("history", &HistoryList::SerializeAsStored, FixToJson, FixFromJson));
  types.push_back(
      ListFileType("meteo", &MeteoList::SerializeAsStored, MeteoToJson, MeteoFromJson));
  types.push_back(ListFileType("schedule", &ScheduleList::Serialize, ScheduleItemToJson,
                               ScheduleItemFromJson));
  types.push_back(RecordFileType("record:waypoint", &Waypoint::SerializeAsStored, WaypointToJson,
                                 WaypointFromJson));
  types.push_back(
      RecordFileType("record:fix", &PositionFix::SerializeAsStored, FixToJson, FixFromJson));
}

}  // namespace keelmark::cli
