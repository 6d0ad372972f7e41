#include "records/port.h"

#include "navigation/clock.h"
#include "records/archive.h"

namespace keelmark {

Port::Port() : Etb(ProcessClock().Now()) {}

void Port::Serialize(Archive& archive) {
  if (archive.IsStoring()) LayoutMark = kLayoutMark;
  SerializeFields(archive, StoreLayout::Current);
}

void Port::SerializeAsStored(Archive& archive) { SerializeFields(archive, StoreLayout::AsLoaded); }

void Port::SerializeFields(Archive& archive, StoreLayout layout) {
  CPosition2::Serialize(archive);
  archive.Io(PortSpare4);
  archive.Io(PortSpare3);
  archive.Io(NeedsFreshWater);
  archive.Io(NeedsGarbage);
  archive.Io(NeedsSludge);
  archive.Io(PortSpare1);
  archive.Io(PortSpare2);
  archive.Io(MaxAirDraft);
  archive.Io(MaxDraft);
  archive.Io(Salinity);
  archive.Io(Country);
  archive.Io(AgentEmail);
  archive.Io(AgentName);
  archive.Io(BerthName);
  archive.Io(Note);
  archive.Io(AgentTel);
  Documents.Serialize(archive);
  archive.IoTime(Etb);
  archive.Io(VhfChannel);
  archive.Io(PilotText);
  archive.Io(PilotCall);
  archive.Io(SideAlongside);
  archive.Io(LayoutMark);
  archive.Io(NoticeHours);
  if (HasNewerLayout()) {
    archive.Io(NeedsCrewRelief);
    archive.Io(NeedsHfo);
    archive.Io(EngineImmobilisation);
    archive.Io(LifeboatLowering);
    archive.Io(NeedsLubOil);
    archive.Io(NeedsMdo);
    archive.Io(RequestSide);
    archive.Io(CrewReliefCount);
    archive.Io(FreshWaterQty);
    archive.Io(GarbageQty);
    archive.Io(HfoQty);
    archive.Io(LubOilQty);
    archive.Io(MdoQty);
    archive.Io(SludgeQty);
    archive.Io(PilotTel);
    archive.Io(BerthImagePath);
  }
  for (Voyage* traject : {&InboundTraject, &OutboundTraject}) {
    if (layout == StoreLayout::AsLoaded) {
      traject->SerializeAsStored(archive);
      continue;
    }
    // A traject must carry its version field in both directions: one that read a version of 3
    // or less would otherwise be written without it and could not be read back. The document
    // treats the route the same way.
    traject->Version = Voyage::kCurrentVersion;
    traject->Serialize(archive);
  }
  Tide.Serialize(archive);
}

}  // namespace keelmark
