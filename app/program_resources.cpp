#include "app/program_resources.h"

#include <QtGlobal>
#include <mutex>

// Outside any namespace, as the resource macro requires.
static void InitKeelmarkResources() { Q_INIT_RESOURCE(keelmark); }

namespace keelmark {

void UseProgramResources() {
  // The linker keeps the icons of a static library only when they are asked for.
  static std::once_flag once;
  std::call_once(once, InitKeelmarkResources);
}

}  // namespace keelmark
