// keelmark route export|import FILE --format gpx|rtz10|rtz11|rtz12 --route ROUTE.q3v: the route
// of a route document written to, or taken from, a GPX or RTZ file.
#include <filesystem>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/document_session.h"
#include "cli/json_fields.h"
#include "document/route_edits.h"
#include "reports/route_exchange.h"

namespace keelmark::cli {
namespace {

RouteFormat FormatArgument(const std::string& word) {
  if (const auto format = RouteFormatFromWord(word)) return *format;
  throw UsageError("unknown --format '" + word + "' (known: gpx, rtz10, rtz11, rtz12)");
}

Json NotesJson(const std::vector<std::string>& notes, CommandContext& context) {
  Json list = Json::array();
  for (const std::string& note : notes) {
    context.err << "keelmark: note: " << note << "\n";
    list.push_back(note);
  }
  return list;
}

}  // namespace

int RunRoute(const Words& args, CommandContext& context) {
  const CommandLine line(args, {"format", "route", "data-dir", "name"}, {});
  const std::string& what = line.PositionalAt(0, "export or import");
  const std::string& path = line.PositionalAt(1, "FILE");
  if (what != "export" && what != "import") {
    throw UsageError("unknown route command '" + what + "'");
  }
  const RouteFormat format = FormatArgument(line.Required("format"));
  const std::string& routePath = line.Required("route");
  const std::string folder = line.Value("data-dir", "");
  std::string error;
  Json result;
  if (what == "export") {
    DocumentSession session(context, folder, routePath);
    CKeelmarkRouteXPDoc& doc = session.Document();
    std::vector<std::string> notes;
    if (!ExportRouteFile(doc.GetRoute(), doc.GetVessel(), format, path, &notes, &error)) {
      throw CommandError(path + ": " + error);
    }
    result = {{"exported", doc.GetRoute().GetCount()},
              {"format", std::string(RouteFormatWord(format))},
              {"notes", NotesJson(notes, context)}};
    CloseSession(session);
  } else {
    std::optional<ImportedRoute> imported =
        ImportRouteFile(path, format, line.Value("name", ""), &error);
    if (!imported) throw CommandError(path + ": " + error);
    // An existing route document keeps its charts, reporting points and voyage settings.
    const bool exists = std::filesystem::exists(routePath);
    DocumentSession session(context, folder, exists ? routePath : "");
    CKeelmarkRouteXPDoc& doc = session.Document();
    ReplaceRoute(doc, std::move(imported->route));
    if (!doc.SaveRouteDocument(routePath, &error)) throw CommandError(routePath + ": " + error);
    result = {{"imported", doc.GetRoute().GetCount()},
              {"format", std::string(RouteFormatWord(format))},
              {"notes", NotesJson(imported->notes, context)}};
    CloseSession(session);
  }
  PrintJson(context.out, result);
  return 0;
}

}  // namespace keelmark::cli
