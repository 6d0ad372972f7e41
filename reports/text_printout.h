// TextPrintout: lines of plain text on pages, in the printouts' table font (a ship report sent
// to the printer).
#pragma once

#include <string>
#include <vector>

#include "reports/printout.h"

namespace keelmark {

class TextPrintout final : public Printout {
 public:
  // The text with "\n" or CR LF line ends.
  explicit TextPrintout(const std::string& text);

  [[nodiscard]] int SelectionPages() const override { return 1; }
  void Draw(Canvas& canvas, const PageModel& page) const override;

 private:
  std::vector<std::string> lines_;
};

}  // namespace keelmark
