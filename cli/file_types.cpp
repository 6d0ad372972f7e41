// The file types of keelmark dump and build: each data file, list file and single-record file,
// with the records' JSON forms (cli/json_record.h).
#include "cli/file_types.h"

#include "cli/json_record.h"
#include "records/chart_list.h"
#include "records/forecast_list.h"
#include "records/history_list.h"
#include "records/meteo_list.h"
#include "records/port_list.h"
#include "records/reporting_point_list.h"
#include "records/route_document.h"
#include "records/schedule_list.h"
#include "records/storm_list.h"
#include "records/vessel.h"
#include "records/voyage.h"
#include "records/warning_list.h"

namespace keelmark::cli {

namespace {

// The three parts of a route document file.
struct RouteDocument {
  Voyage voyage;
  ChartList charts;
  ReportingPointList points;

  void SerializeAsStored(Archive& archive) {
    SerializeRouteDocumentAsStored(archive, voyage, charts, points);
  }
};

template <RecordOf<RouteDocument> Document, typename Visitor>
void VisitFields(Document& d, Visitor&& visit) {
  visit("Voyage", d.voyage);
  visit("Charts", d.charts);
  visit("ReportingPoints", d.points);
}

// A file that holds one record (the vessel file, the route document) or a single-record exchange
// file: the record's fields with no count, dumped as one object.
template <typename Record>
[[nodiscard]] FileType RecordFileType(const char* name, void (Record::*serialize)(Archive&)) {
  return FileType{name,
                  [serialize](Archive& archive) {
                    Record record;
                    (record.*serialize)(archive);
                    return ToJson(record);
                  },
                  [serialize](const Json& content, Archive& archive) {
                    Record record;
                    FromJson(content, record);
                    (record.*serialize)(archive);
                  }};
}

// A data file that is one list, dumped as {"records": [...]}.
template <typename List>
[[nodiscard]] FileType ListFileType(const char* name, void (List::*serialize)(Archive&)) {
  return FileType{name,
                  [serialize](Archive& archive) {
                    List list;
                    (list.*serialize)(archive);
                    return Json{{"records", ListToJson(list)}};
                  },
                  [serialize](const Json& content, Archive& archive) {
                    List list;
                    ListFromJson(ArrayMember(content, "records"), list);
                    (list.*serialize)(archive);
                  }};
}

}  // namespace

const std::vector<FileType>& FileTypes() {
  static const std::vector<FileType> types = {
      RecordFileType("route", &RouteDocument::SerializeAsStored),
      ListFileType("history", &HistoryList::SerializeAsStored),
      ListFileType("meteo", &MeteoList::SerializeAsStored),
      ListFileType("schedule", &ScheduleList::Serialize),
      RecordFileType("record:waypoint", &Waypoint::SerializeAsStored),
      RecordFileType("record:fix", &PositionFix::SerializeAsStored),
      ListFileType("ports", &PortList::SerializeAsStored),
      ListFileType("storms", &StormList::Serialize),
      ListFileType("warnings", &WarningList::Serialize),
      ListFileType("forecasts", &ForecastList::SerializeAsStored),
      RecordFileType("record:warning", &NavWarning::Serialize),
      RecordFileType("record:reportingpoint", &ReportingPoint::Serialize),
      RecordFileType("record:chart", &Chart::SerializeAsStored),
      RecordFileType("record:port", &Port::SerializeAsStored),
      RecordFileType("record:forecast", &ForecastArea::SerializeAsStored),
      RecordFileType("record:storm", &Storm::Serialize),
      RecordFileType("vessel", &CVessel2::Serialize),
  };
  return types;
}

}  // namespace keelmark::cli
