#include "records/route_document.h"

#include "records/chart_list.h"
#include "records/reporting_point_list.h"
#include "records/voyage.h"

namespace keelmark {

void SerializeRouteDocument(Archive& archive, Voyage& voyage, ChartList& charts,
                            ReportingPointList& reportingPoints) {
  voyage.Version = Voyage::kCurrentVersion;
  voyage.Serialize(archive);
  charts.Serialize(archive);
  reportingPoints.Serialize(archive);
}

void SerializeRouteDocumentAsStored(Archive& archive, Voyage& voyage, ChartList& charts,
                                    ReportingPointList& reportingPoints) {
  voyage.SerializeAsStored(archive);
  charts.SerializeAsStored(archive);
  reportingPoints.Serialize(archive);
}

}  // namespace keelmark
