// CSheetFix: the editor of a position fix. Its OK takes the fix into the history: the vessel's
// present condition, log speed, course and speed made good, current and average weather, then
// the voyage is recalculated.
#pragma once

#include "app/date_time_entry.h"
#include "app/property_sheet.h"
#include "voyage/position_fixes.h"

namespace keelmark {

class CKeelmarkRouteXPDoc;
class PositionFix;

class CSheetFix : public PropertySheet {
  Q_OBJECT

 public:
  CSheetFix(const QString& caption, PositionFix& fix, CKeelmarkRouteXPDoc& document,
            QWidget* parent = nullptr);

 protected:
  void CopyIn() override;
  void CopyBack() override;
  // A fix more than a day after the clock is taken only when the officer says so.
  [[nodiscard]] bool ConfirmValues() override;

 private:
  PositionFix& fix_;
  CKeelmarkRouteXPDoc& document_;
  FixEntry entry_;
  SlotTime time_;
};

}  // namespace keelmark
