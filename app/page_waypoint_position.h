// CPageWaypointPosition: the "Position" page of waypoints and reporting points: name,
// latitude, longitude and local time offset.
#pragma once

#include "app/property_sheet.h"

namespace keelmark {

class CPosition2;

class CPageWaypointPosition : public PropertyPage {
  Q_OBJECT

 public:
  // Edits the position fields of a sheet's working copy.
  explicit CPageWaypointPosition(CPosition2& position, QWidget* parent = nullptr);
};

}  // namespace keelmark
