#include "records/chart_list.h"

namespace keelmark {

void ChartList::Serialize(Archive& archive) { SerializeRecords(archive); }

void ChartList::SerializeAsStored(Archive& archive) {
  SerializeRecordsWith(archive, MinimumRecordBytes(),
                       [](Chart& chart, Archive& a) { chart.SerializeAsStored(a); });
}

Chart* ChartList::NthChart(int n) const { return NthOfKind(n, ChartKind::Chart); }

Chart* ChartList::NthPublication(int n) const { return NthOfKind(n, ChartKind::Publication); }

Chart* ChartList::NthOfKind(int n, ChartKind kind) const {
  return NthWhere(n, [kind](const Chart& chart) { return chart.Kind() == kind; });
}

}  // namespace keelmark
