// Printouts: what the document's selection prints, the page header and footer, and the whole
// sheet of a printout recorded once so that every page can be cut from it.
//
// The selection is the list-selection flag with the category index (a list printout) or the
// alternative selection (a graphic). Every printout draws once onto a continuous sheet in page
// units (PageModel); the print path shows each page's band of it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "reports/page_model.h"
#include "reports/recording_canvas.h"

namespace keelmark {

class CKeelmarkRouteXPDoc;
struct Settings;

enum class PrintoutKind {
  WaypointList,
  History,
  VoyageSchedule,
  Warnings,
  ReportingPoints,
  Publications,
  PortSheet,
  Charts,
  RouteWeather,
  Storms,
  PlottingSheet,
  StormAdvisory,
  CoverPage,
  Performance,
};

// The printout the selection names: flag 1 with a category index 0-9, or flag 0 with an
// alternative selection 0-3; nothing for any other value.
[[nodiscard]] std::optional<PrintoutKind> SelectedPrintout(const Settings& settings);
// Sets the flag, the category index or the alternative selection that name the printout.
void SelectPrintout(Settings& settings, PrintoutKind kind);
// The printout of a command-line name: a category's tab text (any case), "cover-page",
// "performance", "plotting-sheet" or "storm-advisory".
[[nodiscard]] std::optional<PrintoutKind> PrintoutFromName(std::string_view name);

// N of the page count N div 20 + 1: the records the selected printout lists (the route's
// waypoints for Waypoints, Schedule and Forecast, the whole chart list for Publications and
// Charts, ...), 1 for a graphic, 0 when nothing is selected.
[[nodiscard]] int SelectionRecordCount(CKeelmarkRouteXPDoc& doc);

// The message that stops a printout before it starts (the port sheet without a port to
// print, a plotting sheet whose grid cannot be drawn, a storm advisory without a route or a
// storm); empty when it can be printed.
[[nodiscard]] std::string PrintRefusal(CKeelmarkRouteXPDoc& doc);
inline constexpr const char* kNoPortsMessage = "No ports defined";
inline constexpr const char* kSelectPortMessage = "Please select port first";

// The small logo and the ship's name at the top of the sheet, as the print flags ask.
void DrawPageHeader(Canvas& canvas, CKeelmarkRouteXPDoc& doc);
// The file name and the time printed (as the flags ask) and the master's signature line at
// the bottom of the first page; black on white whatever the printout left selected.
void DrawPageFooter(Canvas& canvas, CKeelmarkRouteXPDoc& doc, const PageModel& page,
                    const std::string& documentPath);

// Anything the print path can put on pages.
class Printout {
 public:
  virtual ~Printout() = default;
  // The pages the print dialog offers before anything is drawn.
  [[nodiscard]] virtual int SelectionPages() const = 0;
  // Draws the whole sheet for pages of this model.
  virtual void Draw(Canvas& canvas, const PageModel& page) const = 0;
  // A drawing to the scale of one page (a chart): whatever reaches below the page is cut off
  // there instead of running on to further pages.
  [[nodiscard]] virtual bool OnePage() const { return false; }
};

// The printout the document's selection names, with the page header and footer (the cover
// page has neither). It reads the document when it draws and changes nothing.
class DocumentPrintout final : public Printout {
 public:
  DocumentPrintout(CKeelmarkRouteXPDoc& doc, std::string documentPath);
  [[nodiscard]] int SelectionPages() const override;
  void Draw(Canvas& canvas, const PageModel& page) const override;
  [[nodiscard]] bool OnePage() const override;

 private:
  CKeelmarkRouteXPDoc& doc_;
  std::string documentPath_;
};

// A printout drawn once: its calls and the number of pages they fill.
struct Sheet {
  RecordingCanvas drawing;
  int pageCount = 1;
};
[[nodiscard]] Sheet RecordSheet(const Printout& printout, const PageModel& page);

}  // namespace keelmark
