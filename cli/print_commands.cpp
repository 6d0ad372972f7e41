// keelmark print: a printout of the document rendered to a PDF file, one PDF page per printed
// page, and optionally each page as a PNG picture (150 dpi) for a person or a test to look at.
#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <vector>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/document_session.h"
#include "document/category.h"
#include "platform/qt_text.h"
#include "platform/sheet_printer.h"
#include "records/archive_file.h"
#include "records/chart.h"
#include "reports/plotting_sheet.h"
#include "reports/printout.h"

namespace keelmark::cli {
namespace {

constexpr double kPdfMarginMm = 5.0;
constexpr int kPngDotsPerInch = 150;

// Fonts and painting need a GUI application; the command line runs without a display.
void EnsureGuiApplication() {
  if (QCoreApplication::instance()) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "keelmark";
  static char* argv[] = {name, nullptr};
  static std::unique_ptr<QGuiApplication> application =
      std::make_unique<QGuiApplication>(argc, argv);
}

QPageSize PaperOf(const CommandLine& line) {
  const std::string paper = line.Value("paper", "a4");
  if (paper == "a4") return QPageSize(QPageSize::A4);
  if (paper == "letter") return QPageSize(QPageSize::Letter);
  throw UsageError("--paper is a4 or letter");
}

// A row number option: the fallback when it is not given.
int RowIndex(const CommandLine& line, const char* option, int fallback, int count,
             const char* refusal = "--from and --till must be fix numbers 0..") {
  if (!line.Has(option)) return fallback;
  const double index = line.Number(option);
  if (index != std::floor(index) || index < 0 || index >= count) {
    throw CommandError(refusal + std::to_string(count - 1));
  }
  return static_cast<int>(index);
}

// The plotting sheet's settings from the options, into the current chart, after the centre is
// taken from the latest fix as the Plottingsheet dialog takes it.
void SetUpPlottingSheet(const CommandLine& line, CKeelmarkRouteXPDoc& doc) {
  Chart& chart = doc.GetCurrentChart();
  if (!doc.GetHistory().IsEmpty()) CentreOnPosition(chart, *doc.GetHistory().GetLast());
  if (line.Has("projection")) {
    const double projection = line.Number("projection");
    if (projection != 0.0 && projection != 1.0 && projection != 2.0) {
      throw CommandError("--projection must be 0 (Mercator), 1 (Gnomonic) or 2 (polar)");
    }
    chart.Projection = static_cast<int>(projection);
  }
  if (line.Has("scale")) chart.Scale = line.Number("scale");
  if (line.Has("grid")) chart.ChartSpare = line.Number("grid");
}

void WriteWhole(const std::string& path, const QByteArray& bytes) {
  std::string error;
  if (!WriteFileAtomically(path, std::string_view(bytes.constData(), bytes.size()), &error)) {
    throw CommandError(path + ": " + error);
  }
}

}  // namespace

int RunPrint(const Words& args, CommandContext& context) {
  const CommandLine line(args,
                         {"data-dir", "pdf", "png-dir", "from", "till", "paper", "storm",
                          "projection", "scale", "grid"},
                         {});
  const std::string& what = line.PositionalAt(0, "WHAT");
  const std::optional<PrintoutKind> kind = PrintoutFromName(what);
  if (!kind) throw UsageError("print: '" + what + "' is no printout");
  const std::string route = line.Positional().size() > 1 ? line.Positional()[1] : "";
  const std::string pdfPath = line.Required("pdf");
  const QPageSize paper = PaperOf(line);

  DocumentSession session(context, line.Value("data-dir", ""), route);
  CKeelmarkRouteXPDoc& doc = session.Document();
  SelectPrintout(doc.GetSettings(), *kind);
  if (const auto category = CategoryFromIndex(static_cast<int>(*kind))) {
    // The list brings the voyage up to date before it shows it; its printout prints that.
    doc.UpdateForList(*category);
  }
  const int fixes = doc.GetHistory().GetCount();
  doc.performanceFrom = RowIndex(line, "from", 0, fixes);
  doc.performanceTill = RowIndex(line, "till", fixes - 1, fixes);
  if (*kind == PrintoutKind::PlottingSheet) SetUpPlottingSheet(line, doc);

  EnsureGuiApplication();
  QBuffer pdf;
  pdf.open(QIODevice::WriteOnly);
  QPdfWriter writer(&pdf);
  writer.setCreator("Keelmark Route");
  writer.setTitle(ToQString(what));
  writer.setPageLayout(QPageLayout(
      paper, QPageLayout::Portrait,
      QMarginsF(kPdfMarginMm, kPdfMarginMm, kPdfMarginMm, kPdfMarginMm), QPageLayout::Millimeter));
  const PageModel page = DevicePageModel(writer);

  // The port sheet prints one port; the command line prints every port's sheet in turn. The
  // storm advisory prints the storm of --storm, the first without it.
  std::vector<Sheet> sheets;
  const int rows = *kind == PrintoutKind::PortSheet ? doc.GetPorts().GetCount() : 1;
  const int storms = doc.GetStorms().GetCount();
  const int storm =
      storms == 0 ? 0 : RowIndex(line, "storm", 0, storms, "--storm must be a storm number 0..");
  for (int row = 0; row < rows; ++row) {
    doc.selectedRow = *kind == PrintoutKind::StormAdvisory ? storm : row;
    const DocumentPrintout printout(doc, route);
    if (const std::string refusal = PrintRefusal(doc); !refusal.empty()) {
      throw CommandError(refusal);
    }
    sheets.push_back(RecordSheet(printout, page));
  }
  if (sheets.empty()) throw CommandError(kNoPortsMessage);
  std::vector<const Sheet*> order;
  for (const Sheet& sheet : sheets) order.push_back(&sheet);
  const int pages = PrintSheets(order, page, writer);
  pdf.close();
  if (pages == 0) throw CommandError("cannot draw the PDF pages");
  WriteWhole(pdfPath, pdf.data());

  nlohmann::json pictures = nlohmann::json::array();
  if (line.Has("png-dir")) {
    const std::string folder = line.Value("png-dir", "");
    // A folder named for the pictures is made when it is not there yet, as `mkdir -p` would.
    std::error_code made;
    std::filesystem::create_directories(folder, made);
    if (made) throw CommandError("cannot make the folder " + folder + ": " + made.message());
    const double pixelsPerUnit = kPngDotsPerInch / 254.0;
    const QSize size(
        static_cast<int>(std::ceil(writer.width() / PixelsPerUnit(writer) * pixelsPerUnit)),
        static_cast<int>(std::ceil(page.PageHeight() * pixelsPerUnit)));
    for (int n = 1; n <= pages; ++n) {
      QImage image(size, QImage::Format_RGB32);
      image.setDotsPerMeterX(static_cast<int>(std::lround(kPngDotsPerInch / 0.0254)));
      image.setDotsPerMeterY(image.dotsPerMeterX());
      image.fill(Qt::white);
      PrintSheets(order, page, image, {n, n});
      QBuffer png;
      png.open(QIODevice::WriteOnly);
      image.save(&png, "PNG");
      char name[32];
      std::snprintf(name, sizeof name, "-%03d.png", n);
      const std::string path = folder + "/" + what + name;
      WriteWhole(path, png.data());
      pictures.push_back(path);
    }
  }
  PrintJson(context.out, {{"pdf", pdfPath}, {"pages", pages}, {"png", pictures}});
  return 0;
}

}  // namespace keelmark::cli
