#include "records/schedule_item.h"

#include "navigation/navigation.h"
#include "records/archive.h"

namespace keelmark {

void ScheduleItem::Serialize(Archive& archive) {
  archive.Io(Distance);
  archive.Io(PortStay);
  archive.Io(ZoneHours);
  archive.Io(Eta);
  archive.Io(Name);
}

TimeValue ScheduleItem::ArrivalTime() const {
  return CNavigation().TimeFromDayNumber(Eta + ZoneHours / 24.0);
}

TimeValue ScheduleItem::DepartureTime() const {
  return CNavigation().TimeFromDayNumber(Etd + ZoneHours / 24.0);
}

}  // namespace keelmark
