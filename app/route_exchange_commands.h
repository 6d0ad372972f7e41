// File > Import route and File > Export route: the route taken from or written to a GPX or RTZ
// file, the format from the file type (".gpx" GPX 1.1, ".rtz" RTZ 1.2), through the document's
// prompter for the file, the question and the messages.
#pragma once

namespace keelmark {

class CKeelmarkRouteXPDoc;

// Asks for the file; the route is replaced only by a file read whole, and a route that has
// waypoints only after the user agrees. True when the route was replaced (and recalculated).
bool ImportRouteCommand(CKeelmarkRouteXPDoc& doc);

// Asks for the file and writes the route; what the format cannot carry is said afterwards.
void ExportRouteCommand(CKeelmarkRouteXPDoc& doc);

}  // namespace keelmark
