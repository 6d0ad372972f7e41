// CSheetWaypoint: the editor of a waypoint (the leg that leads to it).
#pragma once

#include "app/property_sheet.h"

namespace keelmark {

class CPageWaypointPosition;
class Waypoint;
class CPageWaypointRoute;
class CPageWaypointSpeed;
class CPageWaypointWeather;
class CPageWaypointCurrent;

class CSheetWaypoint : public PropertySheet {
  Q_OBJECT

 public:
  CSheetWaypoint(const QString& caption, Waypoint& waypoint, Prompter& prompter,
                 QWidget* parent = nullptr);

 protected:
  void CopyIn() override;
  void CopyBack() override;

 private:
  Waypoint& waypoint_;
  CPageWaypointPosition* position_;
  CPageWaypointRoute* route_;
  CPageWaypointSpeed* speed_;
  CPageWaypointWeather* weather_;
  CPageWaypointCurrent* current_;
};

// Runs the waypoint editor; true on OK.
bool EditWaypoint(QWidget* parent, Waypoint& waypoint, Prompter& prompter,
                  const QString& caption);

}  // namespace keelmark
