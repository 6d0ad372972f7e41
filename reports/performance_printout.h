// The "Performance Report" (noon report): the period between the two history fixes chosen in
// the Performance dialog (the document's performanceFrom and performanceTill rows), the voyage
// still to go, a speed graph of the period with the required average speed, and a weather
// form to fill in by hand.
#pragma once

namespace keelmark {

class Canvas;
class CKeelmarkRouteXPDoc;
class PageModel;

// The speed graph's scale: 26 page units (2.6 mm) per knot above the time axis at y -2000,
// the time axis 1900 units long from x 50.
inline constexpr int kGraphLeft = 50;
inline constexpr int kGraphRight = 1900;
inline constexpr int kGraphTop = -1200;
inline constexpr int kGraphAxisY = -2000;
inline constexpr double kGraphUnitsPerKnot = 26.0;
// The required average speed is drawn only above this many knots.
inline constexpr double kLowestRequiredSpeed = 2.0;
// Where its label starts: far enough left that the label ends on the page.
inline constexpr int kRequiredSpeedLabelX = 1400;

void PrintPerformance(Canvas& canvas, const PageModel& page, CKeelmarkRouteXPDoc& doc);

}  // namespace keelmark
