// PortList: the ports of "port.dat".
#pragma once

#include "records/port.h"
#include "records/record_list.h"

namespace keelmark {

class PortList : public RecordList<Port> {
 public:
  // The list shape with each port's Serialize.
  void Serialize(Archive& archive);
  // The list shape with each port's SerializeAsStored (files dumped and built byte for byte).
  void SerializeAsStored(Archive& archive);

 protected:
  [[nodiscard]] std::size_t MinimumRecordBytes() const override {
    return Port::kMinimumStoredBytes;
  }
};

}  // namespace keelmark
