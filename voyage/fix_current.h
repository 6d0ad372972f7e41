// The current estimated at a position fix from the run since the previous fix.
#pragma once

namespace keelmark {

class PositionFix;

// Dead reckons from previous on its SteeredCourse at its LogSpeed until fix.Time and stores
// the set (degrees true, towards) and rate (knots) of the difference in fix.Weather. An
// interval under 1 hour or a rate above 7 knots is refused: false, and set and rate are 0.
bool EstimateCurrent(const PositionFix& previous, PositionFix& fix);

}  // namespace keelmark
