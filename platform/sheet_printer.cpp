#include "platform/sheet_printer.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <cmath>

#include "platform/qt_canvas.h"

namespace keelmark {

namespace {
constexpr double kUnitsPerInch = 254.0;
}  // namespace

double PixelsPerUnit(const QPaintDevice& device) { return device.logicalDpiY() / kUnitsPerInch; }

PageModel DevicePageModel(const QPaintDevice& device) {
  return PageModel(static_cast<int>(std::floor(device.height() / PixelsPerUnit(device))));
}

int PrintSheets(const std::vector<const Sheet*>& sheets, const PageModel& page,
                QPaintDevice& device, PageRange range) {
  auto* const paged = dynamic_cast<QPagedPaintDevice*>(&device);
  QPainter painter;
  if (!painter.begin(&device)) return 0;
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  const double scale = PixelsPerUnit(device);
  int printed = 0;
  int number = 0;  // the page's number across the sheets
  for (const Sheet* sheet : sheets) {
    for (int n = 1; n <= sheet->pageCount; ++n) {
      ++number;
      if (number < range.first || (range.last > 0 && number > range.last)) continue;
      if (printed > 0) {
        if (!paged) return printed;
        paged->newPage();
      }
      const int bandTop = page.BandTop(n);
      painter.save();
      painter.setClipRect(QRectF(0, 0, device.width(), device.height()));
      QtCanvas canvas(painter, scale, bandTop);
      sheet->drawing.Replay(canvas, bandTop, page.BandTop(n + 1));
      painter.restore();
      ++printed;
    }
  }
  painter.end();
  return printed;
}

int PrintPrintout(const Printout& printout, QPaintDevice& device, PageRange range) {
  const PageModel page = DevicePageModel(device);
  const Sheet sheet = RecordSheet(printout, page);
  return PrintSheets({&sheet}, page, device, range);
}

}  // namespace keelmark
