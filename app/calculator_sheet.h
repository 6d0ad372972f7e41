// CSheetCalculator: the navigation calculator, seven pages of quick answers with the voyage's
// own navigation math and vessel model: course and distance, dead reckoning, speed and fuel,
// squat, wheel-over distance, ETA and heights. Every page recomputes as its inputs change.
#pragma once

#include <memory>

#include "app/property_sheet.h"

namespace keelmark {

class CKeelmarkRouteXPDoc;
class CVessel2;
struct CalculatorState;

class CSheetCalculator : public PropertySheet {
  Q_OBJECT

 public:
  static constexpr const char* kCaption = "Calculator";

  // Loads the sheet's own copy of the vessel from the vessel file (the default ship, after a
  // message, when it cannot be loaded) and opens the pages on the present position, the route
  // and that copy. Nothing typed on the sheet reaches the document or its vessel file.
  explicit CSheetCalculator(CKeelmarkRouteXPDoc& document, QWidget* parent = nullptr);
  ~CSheetCalculator() override;

  // The sheet's vessel copy, as the pages have changed it.
  [[nodiscard]] const CVessel2& Vessel() const;

 protected:
  void CopyIn() override {}
  void CopyBack() override {}

 private:
  std::unique_ptr<CalculatorState> state_;
};

// Tools > Calculator.
void RunCalculator(QWidget* parent, CKeelmarkRouteXPDoc& document);

}  // namespace keelmark
