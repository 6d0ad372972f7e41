// The printouts of the reference lists, each drawn whole onto the sheet (page units,
// PageModel) with the table grid: the history, navigational warnings and storms with their
// closest approach to the voyage, reporting points, charts and publications, the weather
// along the route and one port's information sheet.
#pragma once

namespace keelmark {

class Canvas;
class CKeelmarkRouteXPDoc;
class PageModel;

// "History": one row per fix, oldest first, in groups of 20 rows with a 70 mm gap.
void PrintHistory(Canvas& canvas, const PageModel& page, CKeelmarkRouteXPDoc& doc);
// "Navigational Warnings": a record row and a CPA row per warning.
void PrintWarnings(Canvas& canvas, const PageModel& page, CKeelmarkRouteXPDoc& doc);
// "Active Storms": a record row and a CPA row per storm, the CPA row red when the CPA falls
// inside the storm field.
void PrintStorms(Canvas& canvas, const PageModel& page, CKeelmarkRouteXPDoc& doc);
// "Reporting Points".
void PrintReportingPoints(Canvas& canvas, const PageModel& page, CKeelmarkRouteXPDoc& doc);
// "Required Publications" (charts false) or "Required Charts" (charts true): every record of
// the chart list, whichever the title.
void PrintCharts(Canvas& canvas, const PageModel& page, CKeelmarkRouteXPDoc& doc, bool charts);
// The selected port's sheet; nothing when no port is selected.
void PrintPort(Canvas& canvas, const PageModel& page, CKeelmarkRouteXPDoc& doc);
// "Forecast Weather" or "Average Weather" of every waypoint, rows red in heavy weather.
void PrintRouteWeather(Canvas& canvas, const PageModel& page, CKeelmarkRouteXPDoc& doc);

}  // namespace keelmark
