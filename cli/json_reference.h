// JSON forms of the reference records, shared with the route document's dump and build.
#pragma once

#include "cli/json_fields.h"

namespace keelmark {
class ChartList;
class ReportingPointList;
}  // namespace keelmark

namespace keelmark::cli {

// An array with one object per record, every stored field under its own name as the file holds
// it (a chart's name copy and layout tag included). Load and store the chart list with
// ChartList::SerializeAsStored around these, so that dump then build gives the same bytes.
[[nodiscard]] Json ChartListToJson(const ChartList& charts);
// Replaces the list's records by one record per array element; absent fields take the values
// that the program stores for a new record.
void ChartListFromJson(const Json& array, ChartList& charts);

[[nodiscard]] Json ReportingPointListToJson(const ReportingPointList& points);
void ReportingPointListFromJson(const Json& array, ReportingPointList& points);

}  // namespace keelmark::cli
