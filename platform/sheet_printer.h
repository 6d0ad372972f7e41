// The print path: a printout recorded once for the device's page size, then each page's band
// of the sheet drawn onto a printer, a PDF writer (one device page per page) or an image (one
// page). The same path serves printing, the preview, the command line's PDF and PNG pages
// and the tests.
#pragma once

#include <vector>

#include "reports/page_model.h"
#include "reports/printout.h"

class QPaintDevice;

namespace keelmark {

// Pages from `first` to `last`, counted from 1; last 0 stands for the sheet's last page.
struct PageRange {
  int first = 1;
  int last = 0;
};

// Device pixels per page unit (0.1 mm), from the device's vertical resolution.
[[nodiscard]] double PixelsPerUnit(const QPaintDevice& device);
// The page model of the device's printable area.
[[nodiscard]] PageModel DevicePageModel(const QPaintDevice& device);

// Draws the range of the sheets' pages, sheet after sheet, onto the device: each page on a
// device page of its own when the device has pages (QPrinter, QPdfWriter), only the first page
// of the range on an image. The device's page already open takes the first page. Returns the
// number of pages drawn; 0 when the device cannot be painted on.
int PrintSheets(const std::vector<const Sheet*>& sheets, const PageModel& page,
                QPaintDevice& device, PageRange range = {});

// Records the printout for the device's pages and prints the range of it.
int PrintPrintout(const Printout& printout, QPaintDevice& device, PageRange range = {});

}  // namespace keelmark
