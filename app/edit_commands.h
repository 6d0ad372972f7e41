// EditCommands: the editors that the main window and its list open, handed in by whoever builds
// the window (the program passes the record editors, the tests pass their own).
#pragma once

#include <functional>
#include <type_traits>

#include "app/record_editors.h"

namespace keelmark {

// Each has the signature of the record editor it stands for and returns true when the user
// confirmed it. An editor that is not given leaves the commands that need it disabled.
struct EditCommands {
  std::function<std::remove_pointer_t<decltype(&EditRecord)>> editRecord;
  std::function<std::remove_pointer_t<decltype(&EditVessel)>> editVessel;
  std::function<std::remove_pointer_t<decltype(&EditVoyage)>> editVoyage;
  std::function<std::remove_pointer_t<decltype(&EditOptions)>> editOptions;
};

}  // namespace keelmark
