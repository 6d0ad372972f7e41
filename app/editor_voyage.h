// CSheetVoyage: the editor of the voyage: its number, departure and arrival ports and times,
// weather source, speed mode, the vessel's drafts and the notes.
#pragma once

#include <cstdint>
#include <string>

#include "app/date_time_entry.h"
#include "app/property_sheet.h"

namespace keelmark {

class CKeelmarkRouteXPDoc;

class CSheetVoyage : public PropertySheet {
  Q_OBJECT

 public:
  // What the pages show and edit.
  struct Values {
    std::string voyageNumber;
    std::string departurePort;      // the first waypoint's name
    std::string arrivalPort;        // the last waypoint's name
    bool departureChanged = false;  // a port was chosen from the list
    bool arrivalChanged = false;
    SlotTime begin;                    // the departure, in the first waypoint's local time
    SlotTime arrival;                  // the scheduled arrival, in the last waypoint's local time
    double totalDistance = 0.0;        // nM, the route's as the sheet opened
    std::int32_t forecastWeather = 0;  // 0 average weather, 1 forecast areas
    std::int32_t constantGroundSpeed = 0;  // 0 engine rpm constant, 1 ground speed constant
    double draftForward = 0.0;             // m
    double draftAft = 0.0;                 // m
    double displacement = 0.0;             // t
    std::string note;
  };

  CSheetVoyage(const QString& caption, CKeelmarkRouteXPDoc& document, QWidget* parent = nullptr);

 protected:
  void CopyIn() override;
  void CopyBack() override;

 private:
  CKeelmarkRouteXPDoc& document_;
  Values values_;
};

}  // namespace keelmark
