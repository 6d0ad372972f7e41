// The window's data exchange by file and mail: File > Export list, File > Meteo data (export,
// import, update request), File > Send and Help > Report bug. Messages go through the
// document's prompter; mail through the Send message dialog.
#pragma once

class QString;
class QWidget;

namespace keelmark {

class CKeelmarkRouteXPDoc;
class MailSession;

inline constexpr const char* kSendFileQuestion = "Send file by email?";
inline constexpr const char* kMeteoExportBody = "Please find attached meteo export file";
inline constexpr const char* kMeteoExportSubject = " meteo export";  // after the vessel's name
inline constexpr const char* kBugReportSubject = "bugreport Keelmark Route 4.02";
inline constexpr const char* kBugReportSent =
    "Your bugreport has been send\nwe will try to solve your problem as soon as possible";
inline constexpr const char* kUpdateRequest = "Send meteo update";
inline constexpr const char* kUpdateRequested =
    "An update file for meteo has been requested\nYou will receive this update within aprox 15 "
    "minutes";
inline constexpr const char* kUpdateRequestFailed = "Update request failed";
// An address setting left empty: its label on the Mail page.
inline constexpr const char* kNoAddressSet =
    "No address to send to: fill in \"%1\" on the Mail page of Tools > Options.";

// The list of the current tab to a file or a message.
void ExportListCommand(CKeelmarkRouteXPDoc& doc, MailSession& mail, QWidget* parent);
// The average weather appended to a file, then offered to the meteo data address.
void MeteoExportCommand(CKeelmarkRouteXPDoc& doc, MailSession& mail, QWidget* parent);
// Meteo lines merged from a file; true when the average weather changed.
bool MeteoImportCommand(CKeelmarkRouteXPDoc& doc);
void MeteoRequestCommand(CKeelmarkRouteXPDoc& doc, MailSession& mail, QWidget* parent);
void ReportBugCommand(CKeelmarkRouteXPDoc& doc, MailSession& mail, QWidget* parent);
// A message with the route document's file attached (saved before).
void SendDocumentCommand(CKeelmarkRouteXPDoc& doc, MailSession& mail, const QString& routeFile,
                         QWidget* parent);

}  // namespace keelmark
