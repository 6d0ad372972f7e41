#include "app/route_exchange_commands.h"

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

bool ImportRouteCommand(CKeelmarkRouteXPDoc& doc) {
  Prompter& prompter = doc.GetPrompter();
  const std::optional<std::string> path = prompter.ChooseOpenFile({kRouteFileFilter, "rtz", ""});
  if (!path) return false;
  const std::optional<RouteFormat> format = RouteFormatFromPath(*path);
  if (!format) {
    prompter.Message(kUnknownRouteFile + *path, MessageIcon::Exclamation);
    return false;
  }
  std::string error;
  std::optional<ImportedRoute> imported = ImportRouteFile(*path, *format, "", &error);
  if (!imported) {
    prompter.Message(kImportFailed + *path + ":\n" + error, MessageIcon::Stop);
    return false;
  }
  const int count = imported->route.GetCount();
  if (!doc.GetRoute().IsEmpty() &&
      !prompter.AskYesNo("Replace the " + std::to_string(doc.GetRoute().GetCount()) +
                             " waypoints of the route with the " + std::to_string(count) +
                             " waypoints of " + RouteNameOfPath(*path) + "?",
                         MessageIcon::Question)) {
    return false;
  }
  ReplaceRoute(doc, std::move(imported->route));
  if (!imported->notes.empty()) {
    prompter.Message(WithNotes(std::to_string(count) + " waypoints imported.", imported->notes),
                     MessageIcon::Information);
  }
  return true;
}

void ExportRouteCommand(CKeelmarkRouteXPDoc& doc) {
  Prompter& prompter = doc.GetPrompter();
  if (doc.GetRoute().GetCount() < 2) {
    prompter.Message(kTooFewWaypoints, MessageIcon::Exclamation);
    return;
  }
  const std::optional<std::string> path =
      prompter.ChooseSaveFile({kRouteFileFilter, "rtz", doc.GetRoute().VoyageNumber});
  if (!path) return;
  const std::optional<RouteFormat> format = RouteFormatFromPath(*path);
  if (!format) {
    prompter.Message(kUnknownRouteFile + *path, MessageIcon::Exclamation);
    return;
  }
  std::vector<std::string> notes;
  std::string error;
  if (!ExportRouteFile(doc.GetRoute(), doc.GetVessel(), *format, *path, &notes, &error)) {
    prompter.Message(kExportFailed + *path + ":\n" + error, MessageIcon::Stop);
    return;
  }
  if (!notes.empty()) {
    prompter.Message(WithNotes("The route is written as " + RouteFormatTitle(*format) + ".", notes),
                     MessageIcon::Information);
  }
}

}  // namespace keelmark
