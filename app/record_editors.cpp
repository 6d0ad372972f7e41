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
#include "document/category_records.h"
#include "document/keelmark_document.h"
#include "platform/qt_text.h"
#include "records/nav_warning.h"
#include "records/reporting_point.h"

namespace keelmark {

namespace {

// What every record editor opens with; `kind` only for the chart list.
struct SheetContext {
  QWidget* parent;
  CKeelmarkRouteXPDoc& document;
  const QString& caption;
  std::optional<ChartKind> kind;
};

// The editor of each class of record.
std::unique_ptr<PropertySheet> SheetFor(Waypoint& waypoint, const SheetContext& c) {
  return std::make_unique<CSheetWaypoint>(c.caption, waypoint, c.document.GetPrompter(), c.parent);
}
std::unique_ptr<PropertySheet> SheetFor(PositionFix& fix, const SheetContext& c) {
  return std::make_unique<CSheetFix>(c.caption, fix, c.document, c.parent);
}
std::unique_ptr<PropertySheet> SheetFor(NavWarning& warning, const SheetContext& c) {
  return std::make_unique<CSheetWarning>(c.caption, warning, c.document.GetPrompter(), c.parent);
}
std::unique_ptr<PropertySheet> SheetFor(ReportingPoint& point, const SheetContext& c) {
  return std::make_unique<CSheetReportingPoint>(c.caption, point, c.document.GetPrompter(),
                                                c.parent);
}
std::unique_ptr<PropertySheet> SheetFor(Chart& chart, const SheetContext& c) {
  const ChartKind kind = c.kind.value_or(chart.Kind());
  // A chart's sheet carries its alternative name, which a new chart has not yet.
  const bool altName = kind == ChartKind::Chart && !chart.AltName.empty();
  return std::make_unique<CSheetChart>(altName ? ToQString(chart.AltName) : c.caption, chart, kind,
                                       c.document.GetPrompter(), c.parent);
}
std::unique_ptr<PropertySheet> SheetFor(Port& port, const SheetContext& c) {
  return std::make_unique<CSheetPort>(c.caption, port, c.document.GetVessel(),
                                      c.document.GetPrompter(), c.parent);
}
std::unique_ptr<PropertySheet> SheetFor(ForecastArea& area, const SheetContext& c) {
  return std::make_unique<CSheetForecast>(area, c.document.GetPrompter(), c.parent);
}
std::unique_ptr<PropertySheet> SheetFor(Storm& storm, const SheetContext& c) {
  return std::make_unique<CSheetStorm>(c.caption, storm, c.document.GetPrompter(), c.parent);
}

}  // namespace

bool EditRecord(QWidget* parent, CKeelmarkRouteXPDoc& document, Category category,
                const SelectedRecord& record, const QString& caption) {
  return VisitCategoryRecords(document, category, [&](const auto& records) {
    auto* shown = records.OfClass(record);
    return shown && SheetFor(*shown, {parent, document, caption, records.Kind()})->Run();
  });
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
