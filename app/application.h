// The desktop program's start-up, shared by main() and the tests.
#pragma once

namespace keelmark {

// Creates the application and the main window and runs the event loop.
int RunKeelmarkRoute(int argc, char** argv);

}  // namespace keelmark
