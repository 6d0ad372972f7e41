// JSON forms of the reference records for keelmark dump and build: ports, charts, warnings,
// reporting points, storms and forecast areas.
#include "cli/json_reference.h"

#include <array>
#include <string>

#include "cli/command_line.h"
#include "cli/file_types.h"
#include "cli/json_position.h"
#include "cli/json_record_list.h"
#include "cli/json_route.h"
#include "cli/json_weather.h"
#include "records/chart_list.h"
#include "records/forecast_list.h"
#include "records/port_list.h"
#include "records/reporting_point_list.h"
#include "records/storm_list.h"
#include "records/warning_list.h"

namespace keelmark::cli {
namespace {

// Each record's plain fields are named once, in a function that hands every field with its key
// to a visitor; writing and reading JSON are two visitors over the same list.
class JsonWriter {
 public:
  explicit JsonWriter(Json& object) : object_(object) {}
  void operator()(const char* key, double value) { object_[key] = JsonNumber(value); }
  void operator()(const char* key, std::int32_t value) { object_[key] = value; }
  void operator()(const char* key, const std::string& value) { object_[key] = value; }
  void Time(const char* key, TimeValue value) { object_[key] = JsonTime(value); }

 private:
  Json& object_;
};

class JsonReader {
 public:
  explicit JsonReader(const Json& object) : object_(object) {}
  void operator()(const char* key, double& field) { ReadMember(object_, key, field); }
  void operator()(const char* key, std::int32_t& field) { ReadMember(object_, key, field); }
  void operator()(const char* key, std::string& field) { ReadMember(object_, key, field); }
  void Time(const char* key, TimeValue& field) { ReadTimeMember(object_, key, field); }

 private:
  const Json& object_;
};

template <typename Record, typename FieldsOf>
Json FieldsToJson(Json object, const Record& record, FieldsOf fieldsOf) {
  JsonWriter writer(object);
  fieldsOf(record, writer);
  return object;
}

template <typename Record, typename FieldsOf>
void FieldsFromJson(const Json& object, Record& record, FieldsOf fieldsOf) {
  JsonReader reader(object);
  fieldsOf(record, reader);
}

// --- Documents -----------------------------------------------------------------------------

template <typename Document, typename Visit>
void DocumentFields(Document& d, Visit& visit) {
  visit("FilePath", d.FilePath);
  visit("Description", d.Description);
  visit.Time("IssueDate", d.IssueDate);
  visit("Author", d.Author);
}

Json DocumentToJson(const DocumentRef& document) {
  return FieldsToJson(Json::object(), document, DocumentFields<const DocumentRef, JsonWriter>);
}

void DocumentFromJson(const Json& object, DocumentRef& document) {
  FieldsFromJson(object, document, DocumentFields<DocumentRef, JsonReader>);
}

// --- Charts --------------------------------------------------------------------------------

template <typename ChartRecord, typename Visit>
void ChartFields(ChartRecord& c, Visit& visit) {
  visit("IsChart", c.IsChart);
  visit("ChartText1", c.ChartText1);
  visit("LayoutTag", c.LayoutTag);
  visit("StoredName", c.StoredName);
  visit("Number", c.Number);
  visit("AltName", c.AltName);
  visit("Publisher", c.Publisher);
  visit.Time("IssueTime", c.IssueTime);
  visit.Time("Edition", c.Edition);
  visit("Scale", c.Scale);
  visit("ScaleLatitude", c.ScaleLatitude);
  visit("BitmapPath", c.BitmapPath);
  visit("LatitudeExtent", c.LatitudeExtent);
  visit("LongitudeExtent", c.LongitudeExtent);
}

Json ChartToJson(const Chart& chart) {
  return FieldsToJson(PositionToJson(chart), chart, ChartFields<const Chart, JsonWriter>);
}

// Absent fields take what the program stores for a new chart: the "Version 4" tag and the name
// as its own copy.
void ChartFromJson(const Json& object, Chart& chart) {
  chart.LayoutTag = Chart::kLayoutTag;
  PositionFromJson(object, chart);
  chart.StoredName = chart.Name;
  FieldsFromJson(object, chart, ChartFields<Chart, JsonReader>);
}

// --- Reporting points ----------------------------------------------------------------------

template <typename Point, typename Visit>
void ReportingPointFields(Point& p, Visit& visit) {
  visit("ReportValue", p.ReportValue);
  visit("ReportFlag", p.ReportFlag);
  visit("Action", p.Action);
  visit("Note", p.Note);
}

// A reporting point stores only the file path of each document.
Json ReportingPointToJson(const ReportingPoint& point) {
  Json object = FieldsToJson(PositionToJson(point), point,
                             ReportingPointFields<const ReportingPoint, JsonWriter>);
  object["Documents"] = ListToJson(point.Documents, [](const DocumentRef& document) {
    return Json{{"FilePath", document.FilePath}};
  });
  return object;
}

void ReportingPointFromJson(const Json& object, ReportingPoint& point) {
  PositionFromJson(object, point);
  FieldsFromJson(object, point, ReportingPointFields<ReportingPoint, JsonReader>);
  ListFromJson(ArrayMember(object, "Documents"), point.Documents,
               [](const Json& element, DocumentRef& document) {
                 ReadMember(element, "FilePath", document.FilePath);
               });
}

// --- Warnings ------------------------------------------------------------------------------

Json WarningToJson(const NavWarning& warning) {
  Json object = PositionToJson(warning);
  object["WarningSpare"] = JsonNumber(warning.WarningSpare);
  object["OpenTraject"] = warning.OpenTraject;
  object["Outline"] = ListToJson(warning.Outline, PositionToJson);
  object["Message"] = DocumentToJson(warning.Message);
  return object;
}

void WarningFromJson(const Json& object, NavWarning& warning) {
  PositionFromJson(object, warning);
  ReadMember(object, "WarningSpare", warning.WarningSpare);
  ReadMember(object, "OpenTraject", warning.OpenTraject);
  ListFromJson(ArrayMember(object, "Outline"), warning.Outline, PositionFromJson);
  if (const Json* message = ObjectMember(object, "Message")) {
    DocumentFromJson(*message, warning.Message);
  }
}

// --- Storms --------------------------------------------------------------------------------

template <typename StormRecord, typename Visit>
void StormFields(StormRecord& s, Visit& visit) {
  visit("Course", s.Course);
  visit("Speed", s.Speed);
  visit("MaxWind", s.MaxWind);
  visit("CentralPressure", s.CentralPressure);
  visit("EyeDiameter", s.EyeDiameter);
  visit("FieldRadius", s.FieldRadius);
  visit("PressureTendency", s.PressureTendency);
}

Json StormToJson(const Storm& storm) {
  return FieldsToJson(PositionToJson(storm), storm, StormFields<const Storm, JsonWriter>);
}

void StormFromJson(const Json& object, Storm& storm) {
  PositionFromJson(object, storm);
  FieldsFromJson(object, storm, StormFields<Storm, JsonReader>);
}

// --- Forecast areas ------------------------------------------------------------------------

template <typename Area, typename Visit>
void ForecastFields(Area& a, Visit& visit) {
  visit("Name", a.Name);
  visit("AreaText", a.AreaText);
  visit("AreaValue", a.AreaValue);
  visit.Time("ForecastTime", a.ForecastTime);
  visit("UseAverageCurrent", a.UseAverageCurrent);
}

Json ForecastToJson(const ForecastArea& area) {
  Json object = FieldsToJson(Json::object(), area, ForecastFields<const ForecastArea, JsonWriter>);
  object["NorthWest"] = PositionToJson(area.NorthWest);
  object["SouthEast"] = PositionToJson(area.SouthEast);
  object["Weather"] = WeatherToJson(area.Weather);
  return object;
}

void ForecastFromJson(const Json& object, ForecastArea& area) {
  FieldsFromJson(object, area, ForecastFields<ForecastArea, JsonReader>);
  if (const Json* corner = ObjectMember(object, "NorthWest")) {
    PositionFromJson(*corner, area.NorthWest);
  }
  if (const Json* corner = ObjectMember(object, "SouthEast")) {
    PositionFromJson(*corner, area.SouthEast);
  }
  if (const Json* weather = ObjectMember(object, "Weather")) {
    WeatherFromJson(*weather, area.Weather);
  }
}

// --- Ports ---------------------------------------------------------------------------------

template <typename PortRecord, typename Visit>
void PortFields(PortRecord& p, Visit& visit) {
  visit("PortSpare4", p.PortSpare4);
  visit("PortSpare3", p.PortSpare3);
  visit("NeedsFreshWater", p.NeedsFreshWater);
  visit("NeedsGarbage", p.NeedsGarbage);
  visit("NeedsSludge", p.NeedsSludge);
  visit("PortSpare1", p.PortSpare1);
  visit("PortSpare2", p.PortSpare2);
  visit("MaxAirDraft", p.MaxAirDraft);
  visit("MaxDraft", p.MaxDraft);
  visit("Salinity", p.Salinity);
  visit("Country", p.Country);
  visit("AgentEmail", p.AgentEmail);
  visit("AgentName", p.AgentName);
  visit("BerthName", p.BerthName);
  visit("Note", p.Note);
  visit("AgentTel", p.AgentTel);
  visit.Time("Etb", p.Etb);
  visit("VhfChannel", p.VhfChannel);
  visit("PilotText", p.PilotText);
  visit("PilotCall", p.PilotCall);
  visit("SideAlongside", p.SideAlongside);
  visit("LayoutMark", p.LayoutMark);
  visit("NoticeHours", p.NoticeHours);
  visit("NeedsCrewRelief", p.NeedsCrewRelief);
  visit("NeedsHfo", p.NeedsHfo);
  visit("EngineImmobilisation", p.EngineImmobilisation);
  visit("LifeboatLowering", p.LifeboatLowering);
  visit("NeedsLubOil", p.NeedsLubOil);
  visit("NeedsMdo", p.NeedsMdo);
  visit("RequestSide", p.RequestSide);
  visit("CrewReliefCount", p.CrewReliefCount);
  visit("FreshWaterQty", p.FreshWaterQty);
  visit("GarbageQty", p.GarbageQty);
  visit("HfoQty", p.HfoQty);
  visit("LubOilQty", p.LubOilQty);
  visit("MdoQty", p.MdoQty);
  visit("SludgeQty", p.SludgeQty);
  visit("PilotTel", p.PilotTel);
  visit("BerthImagePath", p.BerthImagePath);
}

Json TideToJson(const CTideInfo& tide) {
  Json leading = Json::array();
  for (double value : tide.LeadingValues) leading.push_back(JsonNumber(value));
  Json trailing = Json::array();
  for (double value : tide.TrailingValues) trailing.push_back(JsonNumber(value));
  return Json{{"LeadingValues", leading},
              {"TideTime", JsonTime(tide.TideTime)},
              {"TrailingValues", trailing}};
}

// Each array, when given, must hold exactly as many numbers as the block stores.
template <std::size_t N>
void ReadTideValues(const Json& object, const char* key, std::array<double, N>& values) {
  const Json* array = ArrayMember(object, key);
  if (array == nullptr) return;
  if (array->size() != N) {
    throw CommandError(std::string("field \"") + key + "\" must hold " + std::to_string(N) +
                       " numbers");
  }
  // Each element is read as a member of its own, so that "NaN" and the infinities count and a
  // wrong element is reported under the array's key.
  for (std::size_t i = 0; i < N; ++i) {
    Json element = Json::object();
    element[key] = (*array)[i];
    ReadMember(element, key, values[i]);
  }
}

void TideFromJson(const Json& object, CTideInfo& tide) {
  ReadTideValues(object, "LeadingValues", tide.LeadingValues);
  ReadTimeMember(object, "TideTime", tide.TideTime);
  ReadTideValues(object, "TrailingValues", tide.TrailingValues);
}

Json PortToJson(const Port& port) {
  Json object = FieldsToJson(PositionToJson(port), port, PortFields<const Port, JsonWriter>);
  object["Documents"] = ListToJson(port.Documents, DocumentToJson);
  object["InboundTraject"] = VoyageToJson(port.InboundTraject);
  object["OutboundTraject"] = VoyageToJson(port.OutboundTraject);
  object["Tide"] = TideToJson(port.Tide);
  return object;
}

// An absent LayoutMark takes the mark that the program stores, 1000 (the newer layout).
void PortFromJson(const Json& object, Port& port) {
  port.LayoutMark = Port::kLayoutMark;
  PositionFromJson(object, port);
  FieldsFromJson(object, port, PortFields<Port, JsonReader>);
  ListFromJson(ArrayMember(object, "Documents"), port.Documents, DocumentFromJson);
  if (const Json* traject = ObjectMember(object, "InboundTraject")) {
    VoyageFromJson(*traject, port.InboundTraject);
  }
  if (const Json* traject = ObjectMember(object, "OutboundTraject")) {
    VoyageFromJson(*traject, port.OutboundTraject);
  }
  if (const Json* tide = ObjectMember(object, "Tide")) TideFromJson(*tide, port.Tide);
}

}  // namespace

Json ChartListToJson(const ChartList& charts) { return ListToJson(charts, ChartToJson); }

void ChartListFromJson(const Json& array, ChartList& charts) {
  ListFromJson(&array, charts, ChartFromJson);
}

Json ReportingPointListToJson(const ReportingPointList& points) {
  return ListToJson(points, ReportingPointToJson);
}

void ReportingPointListFromJson(const Json& array, ReportingPointList& points) {
  ListFromJson(&array, points, ReportingPointFromJson);
}

void AddReferenceFileTypes(std::vector<FileType>& types) {
  types.push_back(ListFileType(
      "ports", &PortList::SerializeAsStored, PortToJson, PortFromJson));
  types.push_back(ListFileType(
      "storms", &StormList::Serialize, StormToJson, StormFromJson));
  types.push_back(ListFileType(
      "warnings", &WarningList::Serialize, WarningToJson, WarningFromJson));
  types.push_back(ListFileType(
      "forecasts", &ForecastList::SerializeAsStored, ForecastToJson, ForecastFromJson));
  types.push_back(RecordFileType(
      "record:warning", &NavWarning::Serialize, WarningToJson, WarningFromJson));
  types.push_back(RecordFileType(
      "record:reportingpoint", &ReportingPoint::Serialize, ReportingPointToJson,
      ReportingPointFromJson));
  types.push_back(RecordFileType(
      "record:chart", &Chart::SerializeAsStored, ChartToJson, ChartFromJson));
  types.push_back(RecordFileType(
      "record:port", &Port::SerializeAsStored, PortToJson, PortFromJson));
  types.push_back(RecordFileType(
      "record:forecast", &ForecastArea::SerializeAsStored, ForecastToJson, ForecastFromJson));
  types.push_back(RecordFileType(
      "record:storm", &Storm::Serialize, StormToJson, StormFromJson));
}

}  // namespace keelmark::cli
