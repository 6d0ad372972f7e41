#include "app/command_line_help.h"

#include <cstdio>
#include <cstring>

#include "program_version.h"

namespace keelmark {
namespace {

constexpr const char* kHelp =
    "Usage: keelmark-route [ROUTE.q3v]\n"
    "\n"
    "Plans and monitors a merchant ship's voyage: the route of waypoints with distance,\n"
    "course, ground speed, engine rpm and times of arrival of every leg; position fixes,\n"
    "current and average weather; storms and navigational warnings near the track; ship\n"
    "reports, printouts and the ship's reference data. Opens ROUTE.q3v when one is given.\n"
    "\n"
    "Options:\n"
    "  --help\n"
    "      print this help and exit\n"
    "  --version\n"
    "      print the version and exit\n"
    "  The standard options of Qt programs work too (-platform NAME, -style NAME, ...).\n"
    "\n"
    "Files:\n"
    "  The data files (vessel.dat, voyage.dat, meteo.dat, port.dat, ...) are found where\n"
    "  Tools > Options names them, or in the current folder. The settings are kept in\n"
    "  ~/.config/Brineholt Productions/Keelmark Route.ini.\n"
    "\n"
    "Exit status:\n"
    "  0   the program was closed normally\n"
    "  1   it could not start\n";

}  // namespace

std::optional<int> AnswerHelpOrVersion(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::fputs(kHelp, stdout);
      return 0;
    }
    if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("keelmark-route %s\n", kProgramVersion);
      return 0;
    }
  }
  return std::nullopt;
}

}  // namespace keelmark
