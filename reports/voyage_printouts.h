// The printouts of the voyage plan: the cover page, the "Waypoint List" and the "Voyage
// Schedule", each drawn whole onto the sheet (page units, PageModel).
#pragma once

namespace keelmark {

class Canvas;
class CKeelmarkRouteXPDoc;
class PageModel;

// "Voyage Planning" with the company logo, the ship's name and, for a route of two or more
// waypoints, the voyage number, departure, destination, times and distance.
void PrintCoverPage(Canvas& canvas, const PageModel& page, CKeelmarkRouteXPDoc& doc);
// One row per waypoint, the departure first: position, course, leg distance, distance made
// and remaining; rows in groups of 20 with a 70 mm gap.
void PrintWaypointList(Canvas& canvas, const PageModel& page, CKeelmarkRouteXPDoc& doc);
// From the departure (or, under way, the waypoint ahead of the latest fix) to the
// destination: times, leg distance, required ground speed and rpm; rows run on.
void PrintVoyageSchedule(Canvas& canvas, const PageModel& page, CKeelmarkRouteXPDoc& doc);

}  // namespace keelmark
