// The desktop program's start-up, shared by main() and the tests.
#pragma once

#include <QStringList>

#include "app/edit_commands.h"

namespace keelmark {

class CMainFrame;

// Creates the application and the main window and runs the event loop.
int RunKeelmarkRoute(int argc, char** argv);

// The editors the program opens from its list and menus.
[[nodiscard]] EditCommands ProgramEditors();

// Processes the command line (the arguments after the program's name, Qt's own options taken
// out): a route document named there is opened. False when it could not be opened; the
// program then ends.
[[nodiscard]] bool ProcessCommandLine(CMainFrame& frame, const QStringList& arguments);

}  // namespace keelmark
