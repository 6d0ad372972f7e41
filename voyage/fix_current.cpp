#include "voyage/fix_current.h"

#include "navigation/navigation.h"
#include "records/position_fix.h"

namespace keelmark {

bool EstimateCurrent(const PositionFix& previous, PositionFix& fix) {
  const double hours = (fix.GetTime() - previous.GetTime()) * 24.0;
  return CNavigation().EstimateCurrent(previous, previous.SteeredCourse, previous.LogSpeed, hours,
                                       fix, fix.Weather.CurrentSet, fix.Weather.CurrentRate);
}

}  // namespace keelmark
