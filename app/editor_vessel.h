// CSheetVessel: the editor of the vessel, its particulars and the four calibration pages of its
// performance model, whose sliders move one coefficient and show the resulting speed at once.
#pragma once

#include "app/record_sheet.h"
#include "records/vessel.h"

namespace keelmark {

class CSheetVessel : public RecordSheet<CVessel2> {
  Q_OBJECT

 public:
  // The calibration pages run the model on the values shown in the working copy.
  CSheetVessel(CVessel2& vessel, Prompter& prompter, QWidget* parent = nullptr);

  // "Vessel Properties"
  static const char* const kCaption;

 protected:
  void Opened() override;
  void Taking() override;

 private:
  double containerTiers_ = 0.0;  // shown as a number, stored truncated to whole tiers
};

}  // namespace keelmark
