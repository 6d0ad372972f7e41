// CSheetVessel: the editor of the vessel, its particulars and the four calibration pages of its
// performance model, whose sliders move one coefficient and show the resulting speed at once.
#pragma once

#include "app/property_sheet.h"
#include "records/vessel.h"

namespace keelmark {

class CSheetVessel : public PropertySheet {
  Q_OBJECT

 public:
  CSheetVessel(CVessel2& vessel, Prompter& prompter, QWidget* parent = nullptr);

  // "Vessel Properties"
  static const char* const kCaption;

 protected:
  void CopyIn() override;
  void CopyBack() override;

 private:
  CVessel2& vessel_;
  // The pages edit a copy of the vessel, so that the calibration pages can run the model on
  // the values shown; OK copies it back.
  CVessel2 working_;
  double containerTiers_ = 0.0;  // shown as a number, stored truncated to whole tiers
};

}  // namespace keelmark
