#include "records/port_list.h"

namespace keelmark {

void PortList::Serialize(Archive& archive) { SerializeRecords(archive); }

void PortList::SerializeAsStored(Archive& archive) {
  SerializeRecordsWith(archive, MinimumRecordBytes(),
                       [](Port& port, Archive& a) { port.SerializeAsStored(a); });
}

}  // namespace keelmark
