// CSheetPort: the editor of a port: pilot station, contacts, berth, requirements, attached
// documents, the inbound and outbound trajects and the notes.
#pragma once

#include <cstdint>
#include <string>

#include "app/property_sheet.h"
#include "records/voyage.h"

namespace keelmark {

class CPagePortDocuments;
class CVessel2;
class Port;

// Copies a voyage's settings and waypoints into another (a working copy of a traject).
void CopyVoyage(const Voyage& from, Voyage& to);

class CSheetPort : public PropertySheet {
  Q_OBJECT

 public:
  // The port's plain values, as the pages show them.
  struct Values {
    std::string name;  // the pilot station's "Description:"
    double latitude = 0.0;
    double longitude = 0.0;
    double zoneOffset = 0.0;  // days
    std::string country;
    std::string pilotCall;
    std::string vhfChannel;
    std::int32_t noticeHours = 0;
    std::string pilotTel;
    std::string agentName;
    std::string agentTel;
    std::string agentEmail;
    std::string berthImagePath;
    std::string berthName;
    double maxDraft = 0.0;
    double salinity = 0.0;
    double maxAirDraft = 0.0;
    TimeValue etb = 0;
    std::int32_t requestSide = 0;
    std::string sideAlongside;
    std::int32_t needsHfo = 0, hfoQty = 0;
    std::int32_t needsMdo = 0, mdoQty = 0;
    std::int32_t needsLubOil = 0, lubOilQty = 0;
    std::int32_t needsSludge = 0, sludgeQty = 0;
    std::int32_t needsFreshWater = 0, freshWaterQty = 0;
    std::int32_t needsGarbage = 0, garbageQty = 0;
    std::int32_t needsCrewRelief = 0, crewReliefCount = 0;
    std::int32_t engineImmobilisation = 0;
    std::int32_t lifeboatLowering = 0;
    Voyage inbound;   // working copies of the trajects
    Voyage outbound;
    std::string note;
  };

  // The vessel gives the trajects their times.
  CSheetPort(const QString& caption, Port& port, CVessel2& vessel, Prompter& prompter,
             QWidget* parent = nullptr);

 protected:
  void CopyIn() override;
  void CopyBack() override;

 private:
  Port& port_;
  Values values_;
  CPagePortDocuments* documents_;
};

}  // namespace keelmark
