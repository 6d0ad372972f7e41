// The program's compiled-in resources (icons), made available to whoever shows them.
#pragma once

namespace keelmark {

// Registers the icons of the static app library; any number of calls, the first one counts.
void UseProgramResources();

}  // namespace keelmark
