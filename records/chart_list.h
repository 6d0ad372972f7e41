// ChartList: the charts and nautical publications of the route document, in one list.
#pragma once

#include "records/chart.h"
#include "records/record_list.h"

namespace keelmark {

class ChartList : public RecordList<Chart> {
 public:
  // The list shape with each chart's Serialize.
  void Serialize(Archive& archive);
  // The list shape with each chart's SerializeAsStored (files dumped and built byte for byte).
  void SerializeAsStored(Archive& archive);

  // The n-th (from 0) chart, or publication (Chart::Kind), in list order, skipping the records
  // of the other kind; none when there is no such record.
  [[nodiscard]] Chart* NthChart(int n) const;
  [[nodiscard]] Chart* NthPublication(int n) const;

 protected:
  [[nodiscard]] std::size_t MinimumRecordBytes() const override {
    return Chart::kMinimumStoredBytes;
  }

 private:
  [[nodiscard]] Chart* NthOfKind(int n, ChartKind kind) const;
};

}  // namespace keelmark
