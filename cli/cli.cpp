#include "cli/cli.h"

#include <iostream>
#include <optional>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "navigation/calendar.h"
#include "navigation/clock.h"
#include "program_version.h"

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
    {"cpa", "cpa ROUTE.q3v [--data-dir DIR] [--from departure|latest-fix] [--present-course]",
     RunCpa},
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
    {"backup", "backup [ROUTE.q3v] [--data-dir DIR]", RunBackup},
    {"report",
     "report ROUTE.q3v --data-dir DIR --system AMVER|SISTRAM|AUSREP|JASREP|CHILREP|Equador|Peru\n"
     "    --kind sailing-plan|position-report|final-report [--out FILE]",
     RunReport},
    {"schedule", "schedule --data-dir DIR [--text FILE]", RunSchedule},
    {"print",
     "print WHAT [ROUTE.q3v] --data-dir DIR --pdf OUT.pdf [--png-dir DIR] [--from I --till J]\n"
     "    [--paper letter] [--storm N] [--projection 0|1|2] [--scale S] [--grid DEG]\n"
     "    WHAT: a category (waypoints, history, schedule, warnings, reporting, publications,\n"
     "    ports, charts, forecast, storms), cover-page, performance, plotting-sheet or\n"
     "    storm-advisory",
     RunPrint},
    {"route",
     "route export|import FILE --format gpx|rtz10|rtz11|rtz12 --route ROUTE.q3v\n"
     "      [--data-dir DIR] [--name ROUTE-NAME]",
     RunRoute},
    {"gps",
     "gps read SOURCE [--sentence GGA|RMC|GLL] [--count N] [--timeout SECONDS]\n"
     "    SOURCE: serial:/dev/ttyUSB0[@4800], tcp:HOST:PORT, udp:PORT, gpsd[:HOST:PORT],\n"
     "    file:LOG[@LINES_PER_SECOND]",
     RunGps},
    {"mail",
     "mail send --to ADDR[,ADDR...] --subject S [--body-file F] [--attach FILE]\n"
     "  mail outbox [--flush]",
     RunMail},
};

constexpr const char* kUsageLine =
    "Usage: keelmark [--now YYYY-MM-DDTHH:MM:SSZ] [--settings FILE.ini] COMMAND ...\n";

void PrintCommands(std::ostream& out) {
  for (const Command& command : kCommands) out << "  " << command.usage << "\n";
}

void PrintUsage(std::ostream& err) {
  err << kUsageLine;
  PrintCommands(err);
}

// The whole help: the manual page is made from it, so every command, option and exit status
// is described here and nowhere else.
void PrintHelp(std::ostream& out) {
  out << kUsageLine
      << "\n"
         "Plans, checks and reports a merchant ship's voyage without a window: the same data\n"
         "files and calculations as keelmark-route. Answers are one JSON object on standard\n"
         "output (list, schedule and report can also write text); errors are one line on\n"
         "standard error.\n"
         "\n"
         "Commands:\n";
  PrintCommands(out);
  out << "\n"
         "Options:\n"
         "  --now YYYY-MM-DDTHH:MM:SSZ\n"
         "      take this UTC time as the present instead of the system clock\n"
         "  --settings FILE.ini\n"
         "      read and store the settings in FILE.ini instead of the user's own\n"
         "  --help\n"
         "      print this help and exit\n"
         "  --version\n"
         "      print the version and exit\n"
         "  Every option takes its value as the next word or after \"=\":\n"
         "  --now=2026-12-06T12:00:00Z is --now 2026-12-06T12:00:00Z.\n"
         "\n"
         "Data files:\n"
         "  The data files (vessel.dat, voyage.dat, meteo.dat, port.dat, ...) are read from\n"
         "  --data-dir DIR, or from the folders the settings name. fix, performance, list,\n"
         "  report, meteo and schedule store them back at the end, as the program does at\n"
         "  exit; plan, cpa and backup only read them. A command that refuses its input\n"
         "  changes no file.\n"
         "\n"
         "Backup:\n"
         "  backup writes the lists the settings choose for the backup (ExportHistory,\n"
         "  ExportMeteo, ExportForecast, ExportPublications, ExportPorts) into ExportFolder\n"
         "  (taken from the data folder when relative), one separated-values file per list\n"
         "  named after it and the UTC day (history-2026-12-06.csv), fields joined by\n"
         "  ConvChar; the meteo file holds all four seasons and is read back by meteo import;\n"
         "  the charts and publications are those of ROUTE.q3v. It prints the files written;\n"
         "  no list chosen is a failure.\n"
         "\n"
         "GPS:\n"
         "  gps read prints one JSON line for each position the source delivers (latitude and\n"
         "  longitude in degrees and in thousandths of a minute, the talker, the sentence and\n"
         "  the UTC time of the fix when it carries one), then a summary line of the sentences\n"
         "  read, refused by their checksum, skipped and without a fix. Without --sentence all\n"
         "  three position sentences are printed. It reads until --count positions, until\n"
         "  --timeout seconds have passed, or until a log file ends; a log with a rate\n"
         "  (file:LOG@10) is replayed at that many lines a second, again and again.\n"
         "\n"
         "Mail:\n"
         "  mail send sends one message the way the settings' Mail/Transport chooses: 0 SMTP\n"
         "  (Mail/SmtpServer, SmtpPort, SmtpTls, SmtpUser, MailSender), 1 the desktop's mail\n"
         "  program (xdg-email), 2 the outbox folder only (Mail/OutboxFolder), for the ship's\n"
         "  own mail system to collect. A message SMTP cannot deliver (no link, refused, no\n"
         "  answer within Mail/SmtpTimeout seconds) is kept in the outbox. The answer says\n"
         "  \"sent\", \"queued\", \"handed-over\" or \"failed\" with the server's answer or\n"
         "  the reason. Nobody is asked for a password here: an SMTP login needs it remembered\n"
         "  (Mail/SmtpSavePassword 1, Mail/SmtpPassword).\n"
         "  mail outbox lists the waiting messages; with --flush it first sends them over SMTP,\n"
         "  each at most once. A message whose sending was cut short (NAME.eml.sending) may\n"
         "  have left already: it is listed as \"uncertain\" and sent again only when renamed\n"
         "  back to NAME.eml.\n"
         "\n"
         "Exit status:\n"
         "  0   the command did what it says\n"
         "  1   it failed: one line on standard error says why\n"
         "  2   wrong usage: the message and this usage follow on standard error\n"
         "  3   mail send over SMTP kept the message in the outbox, not sent yet\n";
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
      if (flag == "--help" || flag == "--version") {
        if (option->value) throw UsageError(flag + " takes no value");
        if (flag == "--help") {
          PrintHelp(out);
        } else {
          out << "keelmark " << kProgramVersion << "\n";
        }
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
