// keelmark report ... and keelmark schedule ...: the ship reporting messages of a route and the
// master schedule, on the document of --data-dir.
#include <algorithm>
#include <cctype>
#include <ostream>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/document_session.h"
#include "cli/json_fields.h"
#include "records/archive_file.h"
#include "reports/ship_report.h"
#include "voyage/master_schedule.h"

namespace keelmark::cli {
namespace {

// The words --kind takes, in the order of the reporting dialog's list.
constexpr const char* kKindWords[] = {"sailing-plan", "position-report", "final-report"};

bool SameLetters(std::string a, std::string b) {
  const auto lower = [](std::string& s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  };
  lower(a);
  lower(b);
  return a == b;
}

ReportSystem SystemArgument(const std::string& text) {
  std::string known;
  for (std::size_t i = 0; i < kReportSystemNames.size(); ++i) {
    if (SameLetters(text, kReportSystemNames[i])) return static_cast<ReportSystem>(i);
    known += (known.empty() ? "" : ", ") + std::string(kReportSystemNames[i]);
  }
  throw UsageError("unknown --system '" + text + "' (known: " + known + ")");
}

ReportKind KindArgument(const std::string& text) {
  std::string known;
  for (std::size_t i = 0; i < std::size(kKindWords); ++i) {
    if (text == kKindWords[i]) return static_cast<ReportKind>(i);
    known += (known.empty() ? "" : ", ") + std::string(kKindWords[i]);
  }
  throw UsageError("unknown --kind '" + text + "' (known: " + known + ")");
}

Json ScheduleItemJson(const ScheduleItem& item, const ScheduleRow& row) {
  return {{"Name", item.Name},
          {"Distance", JsonNumber(item.Distance)},
          {"PortStay", JsonNumber(item.PortStay)},
          {"ZoneHours", JsonNumber(item.ZoneHours)},
          {"Eta", JsonNumber(item.Eta)},
          {"Etd", JsonNumber(item.Etd)},
          {"PassageHours", JsonNumber(item.PassageHours)},
          {"Speed", JsonNumber(item.Speed)},
          {"CallRpm", JsonNumber(item.CallRpm)},
          {"CallFuel", JsonNumber(item.CallFuel)},
          {"row", {{"speed", row.speed}, {"rpm", row.rpm}, {"eta", row.eta}, {"etd", row.etd}}}};
}

Json ScheduleTotalsJson(const ScheduleTotals& totals, const ScheduleTotalTexts& texts) {
  return {{"distance", JsonNumber(totals.distance)},
          {"fuel", JsonNumber(totals.fuel)},
          {"hoursAtSea", JsonNumber(totals.hoursAtSea)},
          {"portStay", JsonNumber(totals.portStay)},
          {"averageSpeed", JsonNumber(totals.AverageSpeed())},
          {"texts",
           {{"portStay", texts.portStay},
            {"atSea", texts.atSea},
            {"distance", texts.distance},
            {"averageSpeed", texts.averageSpeed},
            {"fuel", texts.fuel}}}};
}

}  // namespace

int RunReport(const Words& args, CommandContext& context) {
  const CommandLine line(args, {"data-dir", "system", "kind", "out"}, {});
  const std::string& routePath = line.PositionalAt(0, "ROUTE.q3v");
  const ReportSystem system = SystemArgument(line.Required("system"));
  const ReportKind kind = KindArgument(line.Required("kind"));

  DocumentSession session(context, line.Value("data-dir", ""), routePath);
  CKeelmarkRouteXPDoc& doc = session.Document();
  // The reporting dialog is handed the present position, brought up to date.
  const ShipReportSources sources{doc.GetRoute(), doc.GetVessel(), doc.GetPresentPosition()};
  const ShipReport report = BuildShipReport(system, kind, sources);
  session.Close();
  if (report.refusal) throw CommandError(report.refusal->text);

  const std::string bytes = ShipReportFileBytes(report.text);
  if (line.Has("out")) {
    std::string error;
    if (!WriteFileAtomically(line.Required("out"), bytes, &error)) throw CommandError(error);
    return 0;
  }
  context.out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  context.out.flush();
  return context.out ? 0 : 1;
}

int RunSchedule(const Words& args, CommandContext& context) {
  const CommandLine line(args, {"data-dir", "text"}, {});
  if (!line.Positional().empty()) throw UsageError("schedule takes no file name");
  DocumentSession session(context, line.Value("data-dir", ""));
  CKeelmarkRouteXPDoc& doc = session.Document();
  const std::string path = doc.DataFilePath(setting::kSchedulePath);
  MasterSchedule schedule(doc.GetVessel());
  if (!schedule.Load(path).Ok()) {
    session.Prompter().Message(MasterSchedule::kLoadFailed, MessageIcon::Exclamation);
  }

  if (line.Has("text")) {
    std::string error;
    if (!schedule.WriteText(line.Required("text"), &error)) throw CommandError(error);
  }
  Json items = Json::array();
  const std::vector<ScheduleRow> rows = schedule.Rows();
  std::size_t index = 0;
  for (const auto& item : schedule.Items()) items.push_back(ScheduleItemJson(*item, rows[index++]));
  session.Close();
  PrintJson(context.out,
            {{"path", path},
             {"items", items},
             {"totals", ScheduleTotalsJson(schedule.Totals(), schedule.TotalTexts())}});
  return context.out ? 0 : 1;
}

}  // namespace keelmark::cli
