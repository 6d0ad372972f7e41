#include "navigation/fix_current.h"

#include "navigation/navigation.h"
#include "records/position_fix.h"

namespace keelmark {

bool EstimateCurrent(const PositionFix& previous, PositionFix& fix) {
  return CNavigation().EstimateCurrent(previous, previous.SteeredCourse, previous.LogSpeed, fix,
                                       fix.Weather.CurrentSet, fix.Weather.CurrentRate);
}

}  // namespace keelmark
