// The storm advisory printout: the ship's planned track drawn relative to one tropical storm,
// storm-centred and north-up, with the storm's data and a table of the route points, the
// storm's expected position at each and its distance and bearing from them.
#pragma once

#include <string>

#include "records/position_fix.h"

namespace keelmark {

class Canvas;
class CKeelmarkRouteXPDoc;
class PageModel;
class Storm;
class Voyage;

// Where the storm sits on the page: the crossing of the plot's axes.
inline constexpr int kStormX = 910;
inline constexpr int kStormY = -750;
// The start lies this far from the storm on the plot, page units (75 mm).
inline constexpr double kStartRadius = 750.0;
// The scale when the start is on the storm's recorded position: 100 nM to the 75 mm.
inline constexpr double kScaleAtTheStormNm = 100.0;

inline constexpr const char* kNoStormAdvisoryMessage =
    "No voyage or no hurricanes listed\nCan not display hurricane data";

// The start P: the latest fix when the voyage is under way and there is one, else the
// departure start of the closest approach.
[[nodiscard]] PositionFix StormAdvisoryStart(const CKeelmarkRouteXPDoc& doc);

// Page units per nM: the start on a 75 mm circle around the storm's recorded position, or
// 100 nM to 75 mm when the start is on it; no number when either position has none.
[[nodiscard]] double StormAdvisoryScale(const Storm& storm, const PositionFix& start);

// The whole printout for a route of two waypoints or more.
void DrawStormAdvisory(Canvas& canvas, const Storm& storm, const Voyage& route,
                       const PositionFix& start);

// The print routine of the storm-advisory selection: the storm at the document's selected row
// (the last for a row out of range), from StormAdvisoryStart.
void PrintStormAdvisory(Canvas& canvas, const PageModel& page, CKeelmarkRouteXPDoc& doc);

// Why the document has no storm advisory to print; empty when it has one.
[[nodiscard]] std::string StormAdvisoryRefusal(const CKeelmarkRouteXPDoc& doc);

}  // namespace keelmark
