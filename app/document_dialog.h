// The Document dialog of an attached document, and opening documents with the desktop: the
// attached files of ports, reporting points and warnings, and the three ship-wide documents
// of the Documents menu.
#pragma once

#include <string>

class QWidget;

namespace keelmark {

class CKeelmarkRouteXPDoc;
class DocumentRef;
class Prompter;

// Shows the dialog "Document" on the entry; true (and the entry changed) on OK.
bool EditDocument(QWidget* parent, Prompter& prompter, DocumentRef& document);

// Hands the file to the desktop to open with its own program; the program does not wait for
// it. "No document selected" when the path is empty.
void OpenDocumentFile(const std::string& path, Prompter& prompter);

// The ship-wide documents, configured in the options.
enum class ShipDocument { StandingOrders, DepartureChecklist, ArrivalChecklist };

// Opens the document with the desktop, or says that it is not configured yet.
void OpenShipDocument(CKeelmarkRouteXPDoc& document, ShipDocument which);

}  // namespace keelmark
