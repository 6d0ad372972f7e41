#include "app/route_exchange_commands.h"

#include <QAction>

#include "document/keelmark_document.h"
#include "document/route_edits.h"
#include "reports/route_exchange.h"

namespace keelmark {
namespace {

constexpr const char* kRouteFileFilter =
    "Route Files (*.gpx;*.rtz)|*.gpx;*.rtz|GPX 1.1 (*.gpx)|*.gpx|RTZ 1.2 (*.rtz)|*.rtz||";
constexpr const char* kUnknownRouteFile = "Route files are .gpx (GPX) or .rtz (RTZ): ";
constexpr const char* kImportFailed = "The route could not be imported from ";
constexpr const char* kExportFailed = "The route could not be exported to ";
constexpr const char* kTooFewWaypoints = "A route to export needs at least two waypoints";

// The notes of an import or export, one per line after the headline.
std::string WithNotes(std::string headline, const std::vector<std::string>& notes) {
  for (const std::string& note : notes) headline += "\n- " + note;
  return headline;
}

}  // namespace

RouteExchangeCommands::RouteExchangeCommands(CKeelmarkRouteXPDoc& doc, QObject* parent)
    : QObject(parent), doc_(doc) {
  import_ = new QAction(tr("Import &route..."), this);
  import_->setStatusTip(tr("Take the route from a GPX or RTZ file"));
  import_->setObjectName(QStringLiteral("actionRouteImport"));
  export_ = new QAction(tr("Export r&oute..."), this);
  export_->setStatusTip(tr("Write the route to a GPX or RTZ file"));
  export_->setObjectName(QStringLiteral("actionRouteExport"));
  connect(import_, &QAction::triggered, this, &RouteExchangeCommands::ImportRoute);
  connect(export_, &QAction::triggered, this, &RouteExchangeCommands::ExportRoute);
}

void RouteExchangeCommands::ImportRoute() {
  Prompter& prompter = doc_.GetPrompter();
  const std::optional<std::string> path = prompter.ChooseOpenFile({kRouteFileFilter, "rtz", ""});
  if (!path) return;
  const std::optional<RouteFormat> format = RouteFormatFromPath(*path);
  if (!format) {
    prompter.Message(kUnknownRouteFile + *path, MessageIcon::Exclamation);
    return;
  }
  std::string error;
  std::optional<ImportedRoute> imported = ImportRouteFile(*path, *format, "", &error);
  if (!imported) {
    prompter.Message(kImportFailed + *path + ":\n" + error, MessageIcon::Stop);
    return;
  }
  const int count = imported->route.GetCount();
  if (!doc_.GetRoute().IsEmpty() &&
      !prompter.AskYesNo("Replace the " + std::to_string(doc_.GetRoute().GetCount()) +
                             " waypoints of the route with the " + std::to_string(count) +
                             " waypoints of " + RouteNameOfPath(*path) + "?",
                         MessageIcon::Question)) {
    return;
  }
  ReplaceRoute(doc_, std::move(imported->route));
  emit RouteImported();
  if (!imported->notes.empty()) {
    prompter.Message(WithNotes(std::to_string(count) + " waypoints imported.", imported->notes),
                     MessageIcon::Information);
  }
}

void RouteExchangeCommands::ExportRoute() {
  Prompter& prompter = doc_.GetPrompter();
  if (doc_.GetRoute().GetCount() < 2) {
    prompter.Message(kTooFewWaypoints, MessageIcon::Exclamation);
    return;
  }
  const std::optional<std::string> path =
      prompter.ChooseSaveFile({kRouteFileFilter, "rtz", doc_.GetRoute().VoyageNumber});
  if (!path) return;
  const std::optional<RouteFormat> format = RouteFormatFromPath(*path);
  if (!format) {
    prompter.Message(kUnknownRouteFile + *path, MessageIcon::Exclamation);
    return;
  }
  std::vector<std::string> notes;
  std::string error;
  if (!ExportRouteFile(doc_.GetRoute(), doc_.GetVessel(), *format, *path, &notes, &error)) {
    prompter.Message(kExportFailed + *path + ":\n" + error, MessageIcon::Stop);
    return;
  }
  if (!notes.empty()) {
    prompter.Message(WithNotes("The route is written as " + RouteFormatTitle(*format) + ".", notes),
                     MessageIcon::Information);
  }
}

}  // namespace keelmark
