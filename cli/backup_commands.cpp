// keelmark backup [ROUTE.q3v] --data-dir DIR: the backup of the Backup page, written now.
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/document_session.h"
#include "navigation/clock.h"
#include "reports/backup_export.h"

namespace keelmark::cli {

int RunBackup(const Words& args, CommandContext& context) {
  const CommandLine line(args, {"data-dir"}, {});
  if (line.Positional().size() > 1) throw UsageError("backup takes one ROUTE.q3v at most");
  const std::string routePath = line.Positional().empty() ? "" : line.Positional()[0];
  DocumentSession session(context, line.Value("data-dir", ""), routePath, DataAccess::ReadOnly);
  const BackupResult result = WriteBackup(session.Document(), ProcessClock().Now());
  session.Close();
  if (!result.Chosen()) throw CommandError(kNothingToBackUp);
  nlohmann::json files = nlohmann::json::array();
  for (const BackupFile& file : result.written) {
    files.push_back({{"path", file.path}, {"lines", file.lines}});
  }
  PrintJson(context.out,
            {{"folder", result.folder}, {"written", files}, {"errors", result.errors}});
  return result.errors.empty() ? 0 : 1;
}

}  // namespace keelmark::cli
