#include "reports/printout.h"

#include <array>
#include <utility>

#include "document/category.h"
#include "document/keelmark_document.h"
#include "navigation/calendar.h"
#include "navigation/clock.h"
#include "reports/list_printouts.h"
#include "reports/performance_printout.h"
#include "reports/plotting_sheet.h"
#include "reports/storm_advisory.h"
#include "reports/table_grid.h"
#include "reports/voyage_printouts.h"

namespace keelmark {
namespace {

constexpr int kGraphicsCount = 4;
// The graphics by alternative selection, after the ten list printouts by category index.
constexpr std::array<PrintoutKind, kGraphicsCount> kGraphics = {
    PrintoutKind::PlottingSheet, PrintoutKind::StormAdvisory, PrintoutKind::CoverPage,
    PrintoutKind::Performance};

constexpr const char* kPrintedFormat = "Printed   %d %b %Y %H:%M LT";
constexpr const char* kMasterLine = "Master: ..........................(name/signature)";

using Drawer = void (*)(Canvas&, const PageModel&, CKeelmarkRouteXPDoc&);

void PrintPublications(Canvas& canvas, const PageModel& page, CKeelmarkRouteXPDoc& doc) {
  PrintCharts(canvas, page, doc, false);
}
void PrintChartsOnly(Canvas& canvas, const PageModel& page, CKeelmarkRouteXPDoc& doc) {
  PrintCharts(canvas, page, doc, true);
}

// What draws each printout, in PrintoutKind order.
constexpr std::array<Drawer, kCategoryCount + kGraphicsCount> kDrawers = {
    PrintWaypointList,    PrintHistory,      PrintVoyageSchedule, PrintWarnings,
    PrintReportingPoints, PrintPublications, PrintPort,           PrintChartsOnly,
    PrintRouteWeather,    PrintStorms,       PrintPlottingSheet,  PrintStormAdvisory,
    PrintCoverPage,       PrintPerformance};

}  // namespace

std::optional<PrintoutKind> SelectedPrintout(const Settings& settings) {
  if (settings.hasListSelected == 1) {
    if (const auto category = CategoryFromIndex(settings.listSelected)) {
      return static_cast<PrintoutKind>(static_cast<int>(*category));
    }
  } else if (settings.hasListSelected == 0 && settings.alternativeSelection >= 0 &&
             settings.alternativeSelection < kGraphicsCount) {
    return kGraphics[static_cast<std::size_t>(settings.alternativeSelection)];
  }
  return std::nullopt;
}

void SelectPrintout(Settings& settings, PrintoutKind kind) {
  const int index = static_cast<int>(kind);
  if (index < kCategoryCount) {
    settings.hasListSelected = 1;
    settings.listSelected = index;
  } else {
    settings.hasListSelected = 0;
    settings.alternativeSelection = index - kCategoryCount;
  }
}

std::optional<PrintoutKind> PrintoutFromName(std::string_view name) {
  if (name == "cover-page") return PrintoutKind::CoverPage;
  if (name == "performance") return PrintoutKind::Performance;
  if (name == "plotting-sheet") return PrintoutKind::PlottingSheet;
  if (name == "storm-advisory") return PrintoutKind::StormAdvisory;
  const auto category = CategoryFromText(name);
  // A category's number is no printout's name.
  if (!category || (!name.empty() && name[0] >= '0' && name[0] <= '9')) return std::nullopt;
  return static_cast<PrintoutKind>(static_cast<int>(*category));
}

int SelectionRecordCount(CKeelmarkRouteXPDoc& doc) {
  const auto kind = SelectedPrintout(doc.GetSettings());
  if (!kind) return 0;
  switch (*kind) {
    case PrintoutKind::WaypointList:
    case PrintoutKind::VoyageSchedule:
    case PrintoutKind::RouteWeather:
      return doc.GetRoute().GetCount();
    case PrintoutKind::History:
      return doc.GetHistory().GetCount();
    case PrintoutKind::Warnings:
      return doc.GetWarnings().GetCount();
    case PrintoutKind::ReportingPoints:
      return doc.GetReportingPoints().GetCount();
    case PrintoutKind::Publications:
    case PrintoutKind::Charts:
      return doc.GetCharts().GetCount();
    case PrintoutKind::PortSheet:
      return doc.GetPorts().GetCount();
    case PrintoutKind::Storms:
      return doc.GetStorms().GetCount();
    default:
      return 1;
  }
}

std::string PrintRefusal(CKeelmarkRouteXPDoc& doc) {
  const auto kind = SelectedPrintout(doc.GetSettings());
  if (kind == PrintoutKind::PlottingSheet) return PlottingSheet(doc.GetCurrentChart()).Refusal();
  if (kind == PrintoutKind::StormAdvisory) return StormAdvisoryRefusal(doc);
  if (kind != PrintoutKind::PortSheet) return {};
  if (doc.GetPorts().IsEmpty()) return kNoPortsMessage;
  if (doc.selectedRow < 0 || doc.selectedRow >= doc.GetPorts().GetCount()) {
    return kSelectPortMessage;
  }
  return {};
}

void DrawPageHeader(Canvas& canvas, CKeelmarkRouteXPDoc& doc) {
  const Settings& settings = doc.GetSettings();
  if (settings.printIncludeSmallLogo) canvas.Bitmap(0, 0, doc.ResolvePath(settings.smallLogo));
  if (!settings.printIncludeShipsName) return;
  canvas.SetTextColor(kBlack);
  canvas.SetBackground(kWhite, BackgroundMode::Transparent);
  canvas.SetFont(HeaderFont());
  canvas.Text(1200, 0, "Voyageplanning");
  canvas.Text(1200, -100, doc.GetVessel().name);
}

void DrawPageFooter(Canvas& canvas, CKeelmarkRouteXPDoc& doc, const PageModel& page,
                    const std::string& documentPath) {
  const Settings& settings = doc.GetSettings();
  const int lift = page.FooterLift();
  canvas.SetTextColor(kBlack);
  canvas.SetBackground(kWhite, BackgroundMode::Transparent);
  canvas.SetFont(FooterFont());
  if (settings.printIncludeFileName) canvas.Text(10, kFooterFileNameTop + lift, documentPath);
  if (settings.printIncludeDate) {
    canvas.Text(10, kFooterTop + lift, FormatUtc(ProcessClock().Now(), kPrintedFormat));
  }
  canvas.Text(1200, kFooterTop + lift, kMasterLine);
}

DocumentPrintout::DocumentPrintout(CKeelmarkRouteXPDoc& doc, std::string documentPath)
    : doc_(doc), documentPath_(std::move(documentPath)) {}

int DocumentPrintout::SelectionPages() const {
  return SelectionPageCount(SelectionRecordCount(doc_));
}

bool DocumentPrintout::OnePage() const {
  return SelectedPrintout(doc_.GetSettings()) == PrintoutKind::PlottingSheet;
}

void DocumentPrintout::Draw(Canvas& canvas, const PageModel& page) const {
  const auto kind = SelectedPrintout(doc_.GetSettings());
  if (!kind) return;
  const Drawer draw = kDrawers[static_cast<std::size_t>(*kind)];
  if (!draw) return;
  canvas.SetPen(kGridPen);
  canvas.SetFont(TableFont());
  draw(canvas, page, doc_);
  if (*kind == PrintoutKind::CoverPage) return;
  DrawPageHeader(canvas, doc_);
  DrawPageFooter(canvas, doc_, page, documentPath_);
}

Sheet RecordSheet(const Printout& printout, const PageModel& page) {
  Sheet sheet;
  printout.Draw(sheet.drawing, page);
  sheet.pageCount =
      printout.OnePage() ? 1 : page.PageCount(printout.SelectionPages(), sheet.drawing.LowestY());
  return sheet;
}

}  // namespace keelmark
