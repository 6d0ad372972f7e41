// CTideInfo: the tide information block of a port.
#pragma once

#include <array>
#include <cstddef>

#include "navigation/time_value.h"
#include "records/field_visitor.h"

namespace keelmark {

class Archive;

// Twenty-two numbers and a time whose meanings are not settled; they are kept and written back
// in their order.
class CTideInfo {
 public:
  // The tide time starts at the creation time, read from the process clock.
  CTideInfo();
  virtual ~CTideInfo() = default;
  CTideInfo(const CTideInfo&) = default;
  CTideInfo& operator=(const CTideInfo&) = default;

  // The fourteen leading numbers, the time, the eight trailing numbers.
  virtual void Serialize(Archive& archive);

  bool operator==(const CTideInfo&) const = default;

  std::array<double, 14> LeadingValues{};
  TimeValue TideTime;
  std::array<double, 8> TrailingValues{};

  static constexpr std::size_t kStoredBytes = (14 + 8) * 8 + 4;
};

// The stored fields.
template <RecordOf<CTideInfo> Tide, typename Visitor>
void VisitFields(Tide& t, Visitor&& visit) {
  visit("LeadingValues", t.LeadingValues);
  visit("TideTime", t.TideTime);
  visit("TrailingValues", t.TrailingValues);
}

}  // namespace keelmark
