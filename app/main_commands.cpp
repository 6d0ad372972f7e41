#include "app/main_commands.h"

#include <array>

#include "app/main_frame.h"

namespace keelmark {
namespace {

using F = CMainFrame;
using N = CommandNeeds;

constexpr auto kCommands = std::to_array<CommandRow>({
    {"actionFileNew", "&File", "&New", "Create a new route document\nNew", "Ctrl+N", "new",
     &F::OnFileNew},
    {"actionFileOpen", "&File", "&Open...", "Open an existing route document\nOpen", "Ctrl+O",
     "open", &F::OnFileOpen},
    {"actionFileSave", "&File", "&Save", "Save the route document\nSave", "Ctrl+S", "save",
     &F::OnFileSaveCommand},
    {"actionFileSaveAs", "&File", "Save &As...",
     "Save the route document under a new name\nSave As", nullptr, nullptr,
     &F::OnFileSaveAsCommand},
    {"actionFilePrint", "&File", "&Print...", "Print the current list\nPrint", "Ctrl+P", "print",
     &F::OnFilePrint, true},
    {"actionFilePrintPreview", "&File", "Print Pre&view",
     "Show the printout of the current list\nPrint Preview", nullptr, nullptr,
     &F::OnFilePrintPreview},
    {"actionFilePrintSetup", "&File", "P&rint Setup...",
     "Change the printer and printing options\nPrint Setup", nullptr, nullptr,
     &F::OnFilePrintSetup},
    {"actionFileSend", "&File", "Sen&d...", "Send the route document by e-mail\nSend", nullptr,
     nullptr, &F::OnFileSend, true},
    {"actionExportList", "&File", "&Export list...",
     "Export complete list to file or email\nExport complete list to file or email", nullptr,
     nullptr, &F::OnExportList},
    {"actionRouteImport", "&File", "Import &route...",
     "Take the route from a GPX or RTZ file\nImport route", nullptr, nullptr, &F::OnRouteImport,
     true},
    {"actionRouteExport", "&File", "Export r&oute...",
     "Write the route to a GPX or RTZ file\nExport route", nullptr, nullptr, &F::OnRouteExport},
    {"actionMeteoExport", "&File/Meteo data", "&Export data",
     "Export meteo data to file\nExport meteo data to file", nullptr, nullptr, &F::OnMeteoExport},
    {"actionMeteoImport", "&File/Meteo data", "&Import data",
     "Import meteo data from file\nImport meteo data from file", nullptr, nullptr,
     &F::OnMeteoImport},
    {"actionMeteoRequest", "&File/Meteo data", "&Request update",
     "Request updated meteo data\nRequest updated meteo data", nullptr, nullptr,
     &F::OnMeteoRequest},
    {"actionFileExit", "&File", "E&xit", "Quit Keelmark Route; asks to save changes\nExit", nullptr,
     nullptr, &F::OnFileExit, true},

    {"actionEditSelectedItem", "&Edit", "&Selected Item", "Edit selected item\nEdit selected item",
     nullptr, nullptr, nullptr},

    {"actionViewStatusBar", "&View", "&Status Bar",
     "Show or hide the status bar\nToggle status bar", nullptr, nullptr, &F::OnViewStatusBar, false,
     N::Nothing, true},

    {"actionInsertFix", "&Insert", "&Positionfix", "Insert new positionfix\nInsert new positionfix",
     nullptr, "fix", &F::OnInsertFix, false, N::RecordEditor},
    {"actionInsertWaypoint", "&Insert", "&Waypoint", "Insert new waypoint\nInsert new waypoint",
     nullptr, "waypoint", &F::OnInsertWaypoint, false, N::RecordEditor},

    {"actionVesselProperties", "V&essel", "&Properties",
     "Edit vessel properties and performance\nEdit vessel properties and performance", nullptr,
     nullptr, &F::OnVesselProperties, false, N::VesselEditor},
    {"actionVoyageProperties", "V&oyage", "&Properties",
     "Edit voyage properties\nEdit voyage properties", nullptr, "voyage", &F::OnVoyageProperties,
     false, N::VoyageEditor},
    {"actionReverseRoute", "V&oyage", "&Reverse route",
     "Turn the route round: the last waypoint first\nReverse route", nullptr, nullptr,
     &F::OnReverseRoute, true},

    {"actionStandingOrders", "&Documents", "&Standing orders",
     "Show master standing orders\nShow master standing orders", nullptr, nullptr,
     &F::OnStandingOrders},
    {"actionDepartureChecklist", "&Documents", "Pre-&Departure checklist",
     "Show pre-departure checklist\nOpen pre-departure checklist", nullptr, nullptr,
     &F::OnDepartureChecklist},
    {"actionArrivalChecklist", "&Documents", "Pre-&Arrival checklist",
     "Open pre-arrival checklist\nOpen pre-arrival checklist", nullptr, nullptr,
     &F::OnArrivalChecklist},

    {"actionStormAdvisory", "&Graphics", "&Storm advisory",
     "Print storm advisory form\nPrint storm advisory form", nullptr, nullptr, &F::OnStormAdvisory},
    {"actionGraphicsNoonReport", "&Graphics", "&Noon report",
     "Print noon report form\nPrint noon report form", nullptr, nullptr, &F::OnNoonReport},
    {"actionPlottingSheet", "&Graphics", "&Plotting sheet",
     "Print plotting sheet\nPrint plotting sheet", nullptr, nullptr, &F::OnPlottingSheet},
    {"actionPlottingSheetWindow", "&Graphics", "Plotting sheet &window",
     "Show plotting sheet on screen\nShow plotting sheet on screen", nullptr, nullptr,
     &F::OnPlottingSheetWindow},
    {"actionCoverPage", "&Graphics", "&Cover page",
     "Print cover page for voyageplan\nPrint cover page for voyageplan", nullptr, nullptr,
     &F::OnCoverPage},

    {"actionCalculator", "&Tools", "&Calculator", "Show calculator\nShow calculator", nullptr,
     "calculator", &F::OnCalculator},
    {"actionNoonReport", "&Tools", "&Noon report", "Show noon report\nShow noon report", nullptr,
     nullptr, &F::OnNoonReport},
    {"actionReporting", "&Tools", "&Reporting",
     "Access reporting systems (AMVER etc)\nAccess reporting systems (AMVER etc)", nullptr, nullptr,
     &F::OnReporting},
    {"actionMasterSchedule", "&Tools", "&Master schedule",
     "Show master schedule\nShow master schedule", nullptr, nullptr, &F::OnMasterSchedule},
    {"actionGpsMonitor", "&Tools", "&GPS Monitor",
     "Get present position from GPS\nGet present position from GPS", nullptr, "gps",
     &F::OnGpsMonitor},
    {"actionOptions", "&Tools", "&Options", "Configuration options\nConfiguration options", nullptr,
     nullptr, &F::OnOptions, false, N::OptionsEditor},

    {"actionHomepage", "&Help", "&Homepage",
     "Brineholt Productions homepage\nCheck for software upgrades", nullptr, nullptr,
     &F::OnHomepage},
    {"actionReportBug", "&Help", "&Report bug", "Report software bug\nReport software bug", nullptr,
     nullptr, &F::OnReportBug},
    {"actionAbout", "&Help", "&About Keelmark Route...",
     "Show program information and version number\nAbout", nullptr, "about", &F::OnAbout},

    // On the toolbar only.
    {"actionNightDay", nullptr, "Night/Day",
     "Switch night-day screen\nSwitch colors night-day screen", nullptr, "night", &F::OnNightDay,
     false, N::Nothing, true},
    // The Insert and Delete keys work on the list wherever the focus is in the window.
    {"actionInsertKey", nullptr, "Insert", "", "Ins", nullptr, &F::OnInsertKey, false,
     N::RecordEditor},
    {"actionDeleteKey", nullptr, "Delete", "", "Del", nullptr, &F::OnDeleteKey},
    // The edit keys work on the text field with the focus, in the dialogs too (TextEditKeys).
    {"actionEditUndo", nullptr, "Undo", "Undo the last change of the text\nUndo",
     "Ctrl+Z; Alt+Backspace", nullptr, &F::OnEditUndo},
    {"actionEditCut", nullptr, "Cut", "Cut the selected text to the clipboard\nCut",
     "Ctrl+X; Shift+Del", nullptr, &F::OnEditCut},
    {"actionEditCopy", nullptr, "Copy", "Copy the selected text to the clipboard\nCopy",
     "Ctrl+C; Ctrl+Ins", nullptr, &F::OnEditCopy},
    {"actionEditPaste", nullptr, "Paste", "Insert the clipboard's text\nPaste", "Ctrl+V; Shift+Ins",
     nullptr, &F::OnEditPaste},
    {"actionNextPane", nullptr, "Next pane", "Switch to the next window pane\nNext pane", "F6",
     nullptr, &F::OnNextPane},
    {"actionPreviousPane", nullptr, "Previous pane",
     "Switch back to the previous window pane\nPrevious pane", "Shift+F6", nullptr,
     &F::OnPreviousPane},
});

constexpr auto kToolBar = std::to_array<const char*>({
    "actionFileNew",
    "actionFileOpen",
    "actionFileSave",
    "",
    "actionVoyageProperties",
    "actionInsertWaypoint",
    "actionInsertFix",
    "",
    "actionFilePrint",
    "",
    "actionCalculator",
    "actionGpsMonitor",
    "",
    "actionNightDay",
    "",
    "actionAbout",
});

}  // namespace

std::span<const CommandRow> MainCommands() { return kCommands; }

std::span<const char* const> ToolBarCommands() { return kToolBar; }

}  // namespace keelmark
