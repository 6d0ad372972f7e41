// Category edits: a new record added to, and a record removed from, the collection that a
// category of the main list shows (the list's Insert and Delete commands).
#pragma once

#include "document/category.h"

namespace keelmark {

class CKeelmarkRouteXPDoc;
struct SelectedRecord;

// Creates a record of the category's kind with its defaults and places it the way the list's
// Insert command does: after the document's selected record of the same collection, or at the
// end when there is none. A new position fix is the history's proposal for now (dead-reckoned
// from the last fix) and takes the last fix's draft aft, engine rpm and course steered; a new
// forecast area always goes to the end. A new record in Publications is a publication, one in
// Charts a chart. The result is owned by the document.
SelectedRecord InsertNewRecord(CKeelmarkRouteXPDoc& doc, Category category);

// Deletes the record from the category's collection (Waypoints and Schedule: the route;
// Charts and Publications: the shared chart list). False, with nothing changed, when the record
// is not in that collection.
bool RemoveRecord(CKeelmarkRouteXPDoc& doc, Category category, const SelectedRecord& record);

}  // namespace keelmark
