// keelmark list CATEGORY ... and keelmark meteo export|import FILE ...: the main list's texts
// and the meteo data exchange, on the document of --data-dir.
#include <ostream>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/document_session.h"
#include "document/category.h"
#include "reports/category_table.h"
#include "reports/list_export.h"
#include "reports/meteo_exchange.h"

namespace keelmark::cli {
namespace {

nlohmann::json TableToJson(const Table& table) {
  nlohmann::json columns = nlohmann::json::array();
  for (const Column& column : table.columns) {
    columns.push_back({{"text", column.text},
                       {"align", column.align == Alignment::Left ? "L" : "R"},
                       {"width", column.width}});
  }
  nlohmann::json rows = nlohmann::json::array();
  for (const Row& row : table.rows) {
    rows.push_back({{"image", row.image}, {"cells", row.cells}});
  }
  return {{"columns", columns}, {"rows", rows}};
}

Category CategoryArgument(const std::string& text) {
  if (const std::optional<Category> category = CategoryFromText(text)) return *category;
  std::string known;
  for (const std::string_view name : kCategoryNames) {
    known += (known.empty() ? "" : ", ") + std::string(name);
  }
  throw UsageError("unknown category '" + text + "' (known: " + known + ", or 0-9)");
}

}  // namespace

int RunList(const Words& args, CommandContext& context) {
  const CommandLine line(args, {"data-dir", "format"}, {});
  const Category category = CategoryArgument(line.PositionalAt(0, "CATEGORY"));
  const std::string routePath = line.Positional().size() > 1 ? line.Positional()[1] : "";
  if (line.Positional().size() > 2) throw UsageError("list takes CATEGORY and one ROUTE.q3v");
  const std::string format = line.Value("format", "json");
  if (format != "json" && format != "txt" && format != "csv") {
    throw UsageError("--format takes txt, csv or json, not '" + format + "'");
  }

  DocumentSession session(context, line.Value("data-dir", ""), routePath);
  CKeelmarkRouteXPDoc& doc = session.Document();
  doc.UpdateForList(category);
  const Table table = FillCategory(doc, category);
  const std::string separator =
      format == "txt" ? std::string(kTextSeparator) : doc.GetSettings().convChar;
  session.Close();
  if (format == "json") {
    PrintJson(context.out, TableToJson(table));
  } else {
    context.out << ListFileBytes(table, separator);
  }
  return context.out ? 0 : 1;
}

int RunMeteo(const Words& args, CommandContext& context) {
  const CommandLine line(args, {"data-dir"}, {});
  const std::string& what = line.PositionalAt(0, "export or import");
  const std::string& path = line.PositionalAt(1, "FILE");
  if (what != "export" && what != "import") {
    throw UsageError("unknown meteo command '" + what + "'");
  }
  DocumentSession session(context, line.Value("data-dir", ""));
  CKeelmarkRouteXPDoc& doc = session.Document();
  const std::string separator = doc.GetSettings().convChar;
  std::string error;
  nlohmann::json result;
  if (what == "export") {
    if (!AppendMeteoExport(doc.GetMeteo(), separator, path, &error)) {
      throw CommandError(std::string(kMeteoExportFailed) + ": " + error);
    }
    result = {{"exported", doc.GetMeteo().GetCount()}};
  } else {
    const std::optional<MeteoImportResult> imported =
        ImportMeteoFile(doc.GetMeteo(), path, separator, &error);
    if (!imported) throw CommandError(std::string(kMeteoImportFailed) + ": " + error);
    result = {{"merged", imported->merged}, {"skipped", imported->skipped}};
  }
  session.Close();
  PrintJson(context.out, result);
  return 0;
}

}  // namespace keelmark::cli
