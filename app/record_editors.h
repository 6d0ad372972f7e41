// The record editors: one entry point that the list view, the menus and the toolbar use to
// open the right property sheet for a record of a category.
#pragma once

#include "document/category.h"

class QString;
class QWidget;

namespace keelmark {

class CKeelmarkRouteXPDoc;
struct SelectedRecord;

// Opens the editor of the category for the record (copy-in before showing, copy-back on OK
// only) and returns true when the user pressed OK. The caller recomputes the voyage, refreshes
// the views and marks the document modified; for a new record it removes the record again when
// this returns false. `caption` is the sheet's title (e.g. the record's name).
bool EditRecord(QWidget* parent, CKeelmarkRouteXPDoc& document, Category category,
                const SelectedRecord& record, const QString& caption);

// Vessel properties (caption "Vessel Properties"); true on OK.
bool EditVessel(QWidget* parent, CKeelmarkRouteXPDoc& document);

// Voyage properties, captioned with the document's path name; true on OK. On an empty route
// the editor creates the departure and arrival waypoints from the chosen ports.
bool EditVoyage(QWidget* parent, CKeelmarkRouteXPDoc& document, const QString& caption);

// The options sheet (caption "Options"); true on OK (paths and colours are written at once).
bool EditOptions(QWidget* parent, CKeelmarkRouteXPDoc& document);

}  // namespace keelmark
