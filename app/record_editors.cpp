#include "app/record_editors.h"

#include <QString>

#include "app/editor_chart.h"
#include "app/editor_fix.h"
#include "app/editor_port.h"
#include "app/editor_reference.h"
#include "app/editor_vessel.h"
#include "app/editor_voyage.h"
#include "app/editor_waypoint.h"
#include "app/options_sheet.h"
#include "platform/qt_text.h"
#include "document/keelmark_document.h"
#include "records/nav_warning.h"
#include "records/reporting_point.h"

namespace keelmark {

namespace {

// Runs the sheet made for the record when the selected record is of that kind.
template <typename Record, typename MakeSheet>
bool EditAs(const SelectedRecord& selected, MakeSheet makeSheet) {
  auto* record = dynamic_cast<Record*>(selected.position);
  if (!record) return false;
  auto sheet = makeSheet(*record);
  return sheet->Run();
}

}  // namespace

bool EditRecord(QWidget* parent, CKeelmarkRouteXPDoc& document, Category category,
                const SelectedRecord& record, const QString& caption) {
  Prompter& prompter = document.GetPrompter();
  switch (category) {
    case Category::Waypoints:
    case Category::Schedule:
      return EditAs<Waypoint>(record, [&](Waypoint& waypoint) {
        return std::make_unique<CSheetWaypoint>(caption, waypoint, prompter, parent);
      });
    case Category::History:
      return EditAs<PositionFix>(record, [&](PositionFix& fix) {
        return std::make_unique<CSheetFix>(caption, fix, document, parent);
      });
    case Category::Warnings:
      return EditAs<NavWarning>(record, [&](NavWarning& warning) {
        return std::make_unique<CSheetWarning>(caption, warning, prompter, parent);
      });
    case Category::Reporting:
      return EditAs<ReportingPoint>(record, [&](ReportingPoint& point) {
        return std::make_unique<CSheetReportingPoint>(caption, point, prompter, parent);
      });
    case Category::Publications:
      return EditAs<Chart>(record, [&](Chart& chart) {
        return std::make_unique<CSheetKaart>(caption, chart, CSheetKaart::Kind::Publication,
                                             prompter, parent);
      });
    case Category::Ports:
      return EditAs<Port>(record, [&](Port& port) {
        return std::make_unique<CSheetPort>(caption, port, document.GetVessel(), prompter,
                                            parent);
      });
    case Category::Charts:
      return EditAs<Chart>(record, [&](Chart& chart) {
        // A chart's sheet carries its alternative name, which a new chart has not yet.
        const QString title = chart.AltName.empty() ? caption : ToQString(chart.AltName);
        return std::make_unique<CSheetKaart>(title, chart, CSheetKaart::Kind::Chart, prompter,
                                             parent);
      });
    case Category::Forecast:
      if (!record.forecast) return false;
      return CSheetForecast(*record.forecast, prompter, parent).Run();
    case Category::Storms:
      return EditAs<Storm>(record, [&](Storm& storm) {
        return std::make_unique<CSheetStorm>(caption, storm, prompter, parent);
      });
  }
  return false;
}

bool EditVessel(QWidget* parent, CKeelmarkRouteXPDoc& document) {
  return CSheetVessel(document.GetVessel(), document.GetPrompter(), parent).Run();
}

bool EditVoyage(QWidget* parent, CKeelmarkRouteXPDoc& document, const QString& caption) {
  return CSheetVoyage(caption, document, parent).Run();
}

bool EditOptions(QWidget* parent, CKeelmarkRouteXPDoc& document) {
  return CSheetOptions(document, parent).Run();
}

}  // namespace keelmark
