// CSheetWaypoint: the editor of a waypoint (the leg that leads to it).
#pragma once

#include <cstdint>

#include "app/record_sheet.h"
#include "records/waypoint.h"

namespace keelmark {

class CSheetWaypoint : public RecordSheet<Waypoint> {
  Q_OBJECT

 public:
  CSheetWaypoint(const QString& caption, Waypoint& waypoint, Prompter& prompter,
                 QWidget* parent = nullptr);

 protected:
  void Opened() override;
  void Taking() override;

 private:
  // One flag of the record decides both the weather and the current of the leg; the pages
  // choose them apart: 0 the voyage's weather (the average current), 1 the values set here.
  std::int32_t manualWeather_ = 0;
  std::int32_t manualCurrent_ = 0;
};

// Runs the waypoint editor; true on OK.
bool EditWaypoint(QWidget* parent, Waypoint& waypoint, Prompter& prompter, const QString& caption);

}  // namespace keelmark
