#include "platform/qt_locale.h"

#include <clocale>

namespace keelmark {

void UseCNumericLocale() {
  // QCoreApplication sets the C library's locale from the environment; the core's printf and
  // strtod must keep '.' as the decimal mark in every file and report.
  std::setlocale(LC_NUMERIC, "C");
}

}  // namespace keelmark
