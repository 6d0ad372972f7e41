// CPageWaypointPosition: the "Position" page of waypoints and reporting points: name,
// latitude, longitude and local time offset.
#pragma once

#include <string>

#include "app/property_sheet.h"

namespace keelmark {

class CPosition2;

class CPageWaypointPosition : public PropertyPage {
  Q_OBJECT

 public:
  struct Values {
    std::string name;
    double latitude = 0.0;    // degrees, north positive
    double longitude = 0.0;   // degrees, east positive
    double zoneOffset = 0.0;  // days
  };

  explicit CPageWaypointPosition(QWidget* parent = nullptr);

  void CopyFrom(const CPosition2& record);
  void CopyTo(CPosition2& record) const;

  Values values;
};

}  // namespace keelmark
