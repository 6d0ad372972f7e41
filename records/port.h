// Port: a port of call with its pilot station, agent, berth, requirements, trajects, tide data
// and documents.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "records/document_list.h"
#include "records/field_visitor.h"
#include "records/position.h"
#include "records/tide_info.h"
#include "records/voyage.h"

namespace keelmark {

// Name is the port's name (the pilot station's description), the position the pilot station
// and ZoneOffset the port's time zone.
class Port : public CPosition2 {
 public:
  // The ETB starts at the creation time, read from the process clock.
  Port();

  // Storing sets LayoutMark to 1000 and writes the newer layout. Loading reads the requirement
  // quantities and flags, PilotTel and BerthImagePath only when the mark read is exactly 1000;
  // a port of the older layout keeps their defaults. The trajects are voyages of the current
  // version in both directions.
  void Serialize(Archive& archive) override;

  // Both directions, the fields exactly as a file holds them: storing writes the newer-layout
  // fields only when LayoutMark is 1000 and leaves the mark as it is, and the trajects as they
  // were loaded. Dump and build of files use it so that older layouts come back byte for byte.
  void SerializeAsStored(Archive& archive);

  [[nodiscard]] bool HasNewerLayout() const { return LayoutMark == kLayoutMark; }

  static constexpr std::int32_t kLayoutMark = 1000;

  std::int32_t LubOilQty = 0;             // lube oil to receive, m3
  std::int32_t CrewReliefCount = 0;       // persons
  std::int32_t GarbageQty = 0;            // garbage to dispose, m3
  std::int32_t SludgeQty = 0;             // sludge to dispose, m3
  std::int32_t MdoQty = 0;                // MDO bunkers, mT
  std::int32_t HfoQty = 0;                // HFO bunkers, mT
  std::int32_t FreshWaterQty = 0;         // m3
  std::int32_t RequestSide = 0;           // flag "Request" (a side alongside)
  std::int32_t LifeboatLowering = 0;      // flag "Lowering of lifeboat"
  std::int32_t EngineImmobilisation = 0;  // flag "Immobilisation of main engine"
  std::int32_t NeedsLubOil = 0;           // flag "LubOil bunkers"
  std::int32_t NeedsMdo = 0;              // flag "MDO bunkers"
  std::int32_t NeedsHfo = 0;              // flag "HFO bunkers"
  std::int32_t NeedsCrewRelief = 0;       // flag "Crew relief"
  std::string PilotTel;                   // pilot station "Tel."
  std::string BerthImagePath;             // berth chart or image (bitmap file)
  CTideInfo Tide;
  Voyage OutboundTraject;
  Voyage InboundTraject;                   // its length is the list's "Distance inbound"
  TimeValue Etb;                           // "ETB:"
  std::string VhfChannel = "VHF 16";       // pilot station "VHF Channel"
  std::string PilotText = "1";             // carried in the file
  std::string PilotCall = "PilotStation";  // pilot station "Call"
  std::string SideAlongside = "1";         // "PS" or "SB" once chosen in the editor
  std::int32_t LayoutMark = 0;             // 1000 once stored: the newer layout
  std::int32_t NoticeHours = 0;            // "Required notice prior arrival:", hours
  DocumentList Documents;
  std::int32_t PortSpare1 = 0;  // carried in the file
  std::int32_t PortSpare2 = 0;
  std::int32_t PortSpare3 = 0;
  std::int32_t PortSpare4 = 0;
  std::int32_t NeedsSludge = 0;      // flag "Sludge disposal"
  std::int32_t NeedsGarbage = 0;     // flag "Garbage disposal"
  std::int32_t NeedsFreshWater = 0;  // flag "Fresh water"
  std::string Note;                  // the port's notes
  double MaxAirDraft = 0.0;          // "Max. airdraft:", m
  double Salinity = 1.025;           // "Salinity:", water density
  double MaxDraft = 0.0;             // "Max. draft:", m
  std::string BerthName;             // berth "Name:"
  std::string AgentEmail;            // agent "Email"
  std::string AgentTel;              // agent "Tel."
  std::string AgentName;             // agent "Name"
  std::string Country;               // "Country:"

  // An empty traject: version, empty number, ConstantRpm, no waypoints (one of the current
  // layout adds a one-byte empty note).
  static constexpr std::size_t kMinimumTrajectBytes = 4 + 1 + 4 + 4;
  // The older layout with empty texts, no documents and two empty trajects.
  static constexpr std::size_t kMinimumStoredBytes =
      CPosition2::kMinimumStoredBytes + 7 * 4 + 3 * 8 + 6 + 4 + 4 + 4 + 2 * 4 +
      2 * kMinimumTrajectBytes + CTideInfo::kStoredBytes;

 private:
  void SerializeFields(Archive& archive, StoreLayout layout);
};

// The stored fields: the position's, then the port's own, its documents, trajects and tide.
template <RecordOf<Port> PortRecord, typename Visitor>
void VisitFields(PortRecord& p, Visitor&& visit) {
  VisitFields(FieldsOfBase<CPosition2>(p), visit);
  visit("PortSpare4", p.PortSpare4);
  visit("PortSpare3", p.PortSpare3);
  visit("NeedsFreshWater", p.NeedsFreshWater);
  visit("NeedsGarbage", p.NeedsGarbage);
  visit("NeedsSludge", p.NeedsSludge);
  visit("PortSpare1", p.PortSpare1);
  visit("PortSpare2", p.PortSpare2);
  visit("MaxAirDraft", p.MaxAirDraft);
  visit("MaxDraft", p.MaxDraft);
  visit("Salinity", p.Salinity);
  visit("Country", p.Country);
  visit("AgentEmail", p.AgentEmail);
  visit("AgentName", p.AgentName);
  visit("BerthName", p.BerthName);
  visit("Note", p.Note);
  visit("AgentTel", p.AgentTel);
  visit("Etb", p.Etb);
  visit("VhfChannel", p.VhfChannel);
  visit("PilotText", p.PilotText);
  visit("PilotCall", p.PilotCall);
  visit("SideAlongside", p.SideAlongside);
  visit("LayoutMark", p.LayoutMark);
  visit("NoticeHours", p.NoticeHours);
  visit("NeedsCrewRelief", p.NeedsCrewRelief);
  visit("NeedsHfo", p.NeedsHfo);
  visit("EngineImmobilisation", p.EngineImmobilisation);
  visit("LifeboatLowering", p.LifeboatLowering);
  visit("NeedsLubOil", p.NeedsLubOil);
  visit("NeedsMdo", p.NeedsMdo);
  visit("RequestSide", p.RequestSide);
  visit("CrewReliefCount", p.CrewReliefCount);
  visit("FreshWaterQty", p.FreshWaterQty);
  visit("GarbageQty", p.GarbageQty);
  visit("HfoQty", p.HfoQty);
  visit("LubOilQty", p.LubOilQty);
  visit("MdoQty", p.MdoQty);
  visit("SludgeQty", p.SludgeQty);
  visit("PilotTel", p.PilotTel);
  visit("BerthImagePath", p.BerthImagePath);
  visit("Documents", p.Documents);
  visit("InboundTraject", p.InboundTraject);
  visit("OutboundTraject", p.OutboundTraject);
  visit("Tide", p.Tide);
}

}  // namespace keelmark
