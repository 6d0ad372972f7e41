#include "cli/cli.h"

#include <iostream>
#include <optional>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "navigation/calendar.h"
#include "navigation/clock.h"

namespace keelmark::cli {
namespace {

struct Command {
  const char* name;
  const char* usage;
  int (*run)(const Words&, CommandContext&);
};

const Command kCommands[] = {
    {"nav",
     "nav distance|course --from LAT,LON --to LAT,LON [--rhumb]\n"
     "  nav dr --from LAT,LON --course DEG --distance NM\n"
     "  nav position LAT,LON",
     RunNav},
    {"time", "time daynumber ISO-UTC | time from-daynumber D", RunTime},
    {"dump", "dump FILE --type TYPE", RunDump},
    {"build", "build --type TYPE < JSON > FILE", RunBuild},
    {"plan", "plan ROUTE.q3v [--data-dir DIR] [--from departure|document]", RunPlan},
    {"cpa", "cpa ROUTE.q3v [--data-dir DIR] [--from departure|latest-fix]", RunCpa},
    {"fix",
     "fix add --data-dir DIR --lat .. --lon .. --time ISO [--zone H] [--course ..] [--rpm ..]\n"
     "      [--draft-fwd ..] [--draft-aft ..] [--wind-dir .. --wind-speed .. --swell-dir ..\n"
     "      --swell .. --waves .. --pressure .. --air-temp .. --sea-temp .. --visibility ..]\n"
     "      [--weather TEXT]",
     RunFix},
    {"performance", "performance [ROUTE.q3v] --data-dir DIR --from I --till J", RunPerformance},
    {"settings", "settings show | settings set SECTION KEY VALUE", RunSettings},
    {"list", "list CATEGORY [ROUTE.q3v] [--data-dir DIR] [--format json|txt|csv]", RunList},
    {"meteo", "meteo export|import FILE [--data-dir DIR]", RunMeteo},
    {"report",
     "report ROUTE.q3v --data-dir DIR --system AMVER|SISTRAM|AUSREP|JASREP|CHILREP|Equador|Peru\n"
     "    --kind sailing-plan|position-report|final-report [--out FILE]",
     RunReport},
    {"schedule", "schedule --data-dir DIR [--text FILE]", RunSchedule},
    {"print",
     "print WHAT [ROUTE.q3v] --data-dir DIR --pdf OUT.pdf [--png-dir DIR] [--from I --till J]\n"
     "    [--paper letter]   WHAT: a category (waypoints, history, schedule, warnings,\n"
     "    reporting, publications, ports, charts, forecast, storms), cover-page or performance",
     RunPrint},
    {"route",
     "route export|import FILE --format gpx|rtz10|rtz11|rtz12 --route ROUTE.q3v\n"
     "      [--data-dir DIR] [--name ROUTE-NAME]",
     RunRoute},
};

void PrintUsage(std::ostream& err) {
  err << "usage: keelmark [--now YYYY-MM-DDTHH:MM:SSZ] [--settings FILE.ini] COMMAND ...\n";
  for (const Command& command : kCommands) err << "  " << command.usage << "\n";
}

}  // namespace

void PrintJson(std::ostream& out, const nlohmann::json& value) { out << value.dump() << "\n"; }

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::size_t next = 0;
  std::optional<FixedClock> fixedClock;
  std::string settingsPath;
  try {
    // The program's own options, before the command: "--now VALUE" or "--now=VALUE".
    while (next < args.size()) {
      std::optional<OptionWord> option = SplitOption(args[next]);
      if (!option) break;
      const std::string flag = "--" + option->name;
      if (flag == "--help") {
        if (option->value) throw UsageError("--help takes no value");
        PrintUsage(out);
        return 0;
      }
      if (flag != "--now" && flag != "--settings") throw UsageError("unknown option " + flag);
      if (!option->value) {
        if (next + 1 >= args.size()) throw UsageError(flag + " needs a value");
        option->value = args[++next];
      }
      ++next;
      if (flag == "--now") {
        try {
          fixedClock.emplace(ParseTime(*option->value, "--now"));
        } catch (const CommandError& e) {
          throw UsageError(e.what());  // a program option, like every other one here
        }
      } else {
        settingsPath = *option->value;
      }
    }
    if (next >= args.size()) throw UsageError("no command given");
    const std::string name = args[next];
    const Words rest(args.begin() + static_cast<std::ptrdiff_t>(next) + 1, args.end());
    std::optional<ScopedProcessClock> clockScope;
    if (fixedClock) clockScope.emplace(*fixedClock);
    CommandContext context{out, err, settingsPath};
    for (const Command& command : kCommands) {
      if (name == command.name) return command.run(rest, context);
    }
    throw UsageError("unknown command '" + name + "'");
  } catch (const UsageError& e) {
    err << "keelmark: " << e.what() << "\n";
    PrintUsage(err);
    return 2;
  } catch (const CommandError& e) {
    err << "keelmark: " << e.what() << "\n";
    return 1;
  } catch (const std::exception& e) {
    err << "keelmark: " << e.what() << "\n";
    return 1;
  }
}

}  // namespace keelmark::cli
