#include "records/chart_list.h"

namespace keelmark {

void ChartList::Serialize(Archive& archive) { SerializeRecords(archive); }

void ChartList::SerializeAsStored(Archive& archive) {
  SerializeRecordsWith(archive, MinimumRecordBytes(),
                       [](Chart& chart, Archive& a) { chart.SerializeAsStored(a); });
}

Chart* ChartList::NthChart(int n) const { return NthOfKind(n, 1); }

Chart* ChartList::NthPublication(int n) const { return NthOfKind(n, 0); }

Chart* ChartList::NthOfKind(int n, std::int32_t isChart) const {
  if (n < 0) return nullptr;
  int preceding = 0;
  for (const auto& chart : *this) {
    if (chart->IsChart != isChart) continue;
    if (preceding == n) return chart.get();
    ++preceding;
  }
  return nullptr;
}

}  // namespace keelmark
